#include "session.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <cstdio>

#include "application.h"
#include "chart/canvas.h"
#include "dump.h"

namespace zelk::app {
namespace {

bool Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray Repeated(const QByteArray& row, int count) {
  QByteArray out;
  for (int i = 0; i < count; ++i) out += row;
  return out;
}

// The sample logs beside odd files: a long log, empty, one byte, binary with NUL bytes,
// a frame log with a wrong header, a "Time" log of words, names with blanks
// and letters beyond ASCII, a folder whose name looks like a log.
bool MakeProgramFolder(const QString& root) {
  QDir dir(root);
  if (!dir.mkpath("logs/folder.txt") || !dir.mkpath(QString::fromUtf8("logs/Ältere Logs"))) {
    return false;
  }
  const QString logs = root + "/logs/";
  for (const char* name : {"drive_frames.txt", "drive_quillon.txt", "drive_time.txt"}) {
    if (!QFile::copy(QStringLiteral(ZELK_SAMPLE_LOGS "/") + name, logs + name)) return false;
  }
  // A frame log longer than the program's tables: the sample log's frames
  // six times over.
  QFile sample(logs + "drive_frames.txt");
  if (!sample.open(QIODevice::ReadOnly)) return false;
  const QByteArray text = sample.readAll();
  const qsizetype firstFrame = text.indexOf("\n80");
  if (firstFrame < 0) return false;
  if (!Write(logs + "long_drive.txt",
             text.left(firstFrame + 1) + Repeated(text.mid(firstFrame + 1), 6))) {
    return false;
  }
  QByteArray garbage;
  for (int i = 0; i < 600; ++i) garbage += static_cast<char>((i * 37) % 256);
  const QByteArray frames =
      "80 1C 03 20" + Repeated(" 00", 25) + "\r\n7D 20" + Repeated(" 10", 31) + "\r\n";
  const QByteArray timeHeader = "Time" + Repeated(",x", 32) + "\r\n";
  const QByteArray words = "08:00:00" + Repeated(",word", 31) + "\r\n";
  return Write(logs + "empty.txt", {}) && Write(logs + "one_byte.txt", "8") &&
         Write(logs + "garbage.txt", garbage) &&
         Write(logs + "bad_header.txt",
               "ZelkLog v1.2\r\nXCU Zelkon\r\nRecorded\r\n" + Repeated(frames, 20)) &&
         Write(logs + "text_values.txt", timeHeader + Repeated(words, 30)) &&
         QFile::copy(logs + "drive_quillon.txt", logs + QString::fromUtf8("drive copy ä ö.txt")) &&
         QFile::copy(logs + "drive_time.txt", logs + "folder.txt/inside.txt") &&
         QFile::copy(logs + "drive_frames.txt", logs + QString::fromUtf8("Ältere Logs/alt.TXT"));
}

// The program's variables and controls in a dump line of the driver, without
// the canvas and the messages, which the window and the driver keep apart.
std::string StatePart(const std::string& dump) { return dump.substr(0, dump.find(",\"canvas\":")); }

// Where `a` and `b` first differ, with the text around it.
std::string FirstDifference(const std::string& a, const std::string& b) {
  size_t at = 0;
  while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
  if (at == a.size() && at == b.size()) return {};
  // The control or group the difference lies in: the last key that opens an
  // object before it.
  const size_t open = a.rfind("\":{", at);
  const size_t keyStart = open == std::string::npos ? 0 : a.rfind('"', open - 1) + 1;
  const std::string key = open == std::string::npos ? "" : a.substr(keyStart, open - keyStart);
  const size_t from = at < 120 ? 0 : at - 120;
  return "in " + key + ", at byte " + std::to_string(at) + ":\n  window: ..." +
         a.substr(from, 240) + "\n  driver: ..." + b.substr(from, 240);
}

QtMessageHandler standardHandler = nullptr;

void QuietPlatform(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QLatin1String("This plugin does not support"))) return;
  if (standardHandler) {
    standardHandler(type, context, message);
  } else {
    std::fprintf(stderr, "%s\n", qPrintable(message));
  }
}

}  // namespace

void Session::SetUpApplication() {
  EnsureApplication();
  if (!standardHandler) standardHandler = qInstallMessageHandler(QuietPlatform);
}

bool Session::Start(const QString& scriptPath) {
  if (!root_.isValid() || !saves_.isValid() || !MakeProgramFolder(root_.path())) return false;
  if (!scriptPath.isEmpty()) script_.open(scriptPath.toStdString());
  window_ = std::make_unique<MainWindow>(root_.path());
  window_->KeepDrawing();
  window_->setMessageShower([this](const QString&, const QString&) { ++messages_; });
  window_->setEventRecorder([this](const std::string& line) {
    lines_.push_back(line);
    if (script_.is_open()) script_ << line << '\n' << std::flush;
  });
  window_->show();
  window_->activateWindow();
  return QTest::qWaitForWindowExposed(window_.get());
}

QStringList Session::Drops() const {
  const QString logs = root_.path() + "/logs/";
  QStringList drops;
  for (const QString& name : QDir(logs).entryList(QDir::Files)) drops << logs + name;
  drops << logs + "folder.txt" << logs + "missing.txt" << logs + "folder.txt/inside.txt"
        << logs + QString::fromUtf8("Ältere Logs/alt.TXT");
  return drops;
}

void Session::Keep() {
  root_.setAutoRemove(false);
  saves_.setAutoRemove(false);
}

std::string Session::ReplayDifference() {
  const QString scriptPath = saves_.path() + "/replay.script";
  QFile script(scriptPath);
  if (!script.open(QIODevice::WriteOnly)) return "cannot write " + scriptPath.toStdString();
  for (const std::string& line : lines_) script.write(QByteArray::fromStdString(line + '\n'));
  script.write("dump\n");
  script.close();

  QProcess driver;
  driver.start(QStringLiteral(ZELK_DRIVER),
               {QStringLiteral("--program-dir"), root_.path(), scriptPath});
  if (!driver.waitForFinished(120'000)) {
    driver.kill();
    return "the driver did not finish";
  }
  if (driver.exitStatus() != QProcess::NormalExit || driver.exitCode() != 0) {
    return "the driver ended with status " + std::to_string(driver.exitCode()) + ": " +
           driver.readAllStandardError().toStdString();
  }
  const QByteArray lastDump = driver.readAllStandardOutput().trimmed().split('\n').back();
  const chart::RecordingCanvas nothingDrawn;
  return FirstDifference(StatePart(driver::Dump(window_->page(), nothingDrawn, {}, {})),
                         StatePart(lastDump.toStdString()));
}

}  // namespace zelk::app
