// Opening logs by drop and from the command line, the File menu, saving the
// graph and the data, and clicks on the graph, on an off-screen display.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <cerrno>
#include <cstring>
#include <memory>
#include <sstream>
#include <tuple>

#include "app/batch_output.h"
#include "app/main_window.h"
#include "application.h"
#include "chart/canvas.h"
#include "cli/batch.h"
#include "log_text.h"

namespace zelk::app {
namespace {

// 104 samples: in the Full Trip a sample is about 104 twips (7 pixels) wide.
const std::string kLog = testlogs::FrameLog(103, {800, 2400, 1500, 3100});

class ExportWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }

  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    log_ = Write("drive.txt", kLog);
    window_ = NewWindow();
  }

  QString Write(const QString& name, const std::string& text) {
    QFile file(dir_.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.data(), static_cast<qint64>(text.size()));
    return file.fileName();
  }

  std::unique_ptr<MainWindow> NewWindow() {
    auto window = std::make_unique<MainWindow>(dir_.path());
    window->setMessageShower([this](const QString& title, const QString& text) {
      messages_.push_back(title + ": " + text);
    });
    window->setFileChooser([this](const QString& title, const QString& proposed, const QString&) {
      asked_.push_back(title + ": " + proposed);
      return chosen_;
    });
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return window;
  }

  QWidget* Widget(const char* key) { return window_->widget(QString::fromUtf8(key)); }
  QString Caption(const char* key) { return qobject_cast<QLineEdit*>(Widget(key))->text(); }
  // The graph's canvas: what fills the picture box inside its border.
  QWidget* Canvas() { return Widget("Picture1")->findChild<QWidget*>(); }

  QTemporaryDir dir_;
  QString log_;
  std::unique_ptr<MainWindow> window_;
  QStringList messages_, asked_;
  QString chosen_;
};

// Only a local file is a log: the first of a drop's files is opened, a web
// address or plain text is not taken.
TEST_F(ExportWindowTest, DropOpensTheFirstLocalFile) {
  const QString second = Write("second.txt", kLog);
  const QUrl web(QStringLiteral("https://example.com/drive.txt"));
  const struct {
    const char* what;
    QList<QUrl> urls;
    QString text;
    QString opened;
  } cases[] = {
      {"one file", {QUrl::fromLocalFile(log_)}, {}, "drive.txt"},
      {"several", {web, QUrl::fromLocalFile(second), QUrl::fromLocalFile(log_)}, {}, "second.txt"},
      {"web address", {web}, {}, {}},
      {"plain text", {}, log_, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto window = NewWindow();
    QMimeData data;
    if (!c.urls.isEmpty()) data.setUrls(c.urls);
    if (!c.text.isEmpty()) data.setText(c.text);
    QDragEnterEvent enter(QPoint(500, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(window.get(), &enter);
    QDropEvent drop(QPointF(500, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(window.get(), &drop);

    EXPECT_EQ(enter.isAccepted(), !c.opened.isEmpty());
    EXPECT_EQ(QString::fromStdString(window->page().vars().file.name), c.opened);
    EXPECT_EQ(window->windowTitle(),
              c.opened.isEmpty() ? QStringLiteral("ZelkScope") : c.opened + " - ZelkScope");
  }
}

TEST_F(ExportWindowTest, FileMenuKeys) {
  const std::pair<const char*, const char*> keys[] = {{"OpenMenu", "Ctrl+O"},
                                                      {"SaveGraphMenu", "Ctrl+S"},
                                                      {"ExportDataMenu", "Ctrl+E"},
                                                      {"ExitMenu", "Ctrl+Q"}};
  for (const auto& [item, key] : keys) {
    EXPECT_EQ(window_->menuAction(item)->shortcut(), QKeySequence(key)) << item;
  }
}

// Each save asks for a file, proposing one beside the log named after it and
// the channel, and writes what is on screen: the graph as the window shows
// it, the marker strip included, and the channel's data table.
TEST_F(ExportWindowTest, SavedFilesHoldWhatIsOnScreen) {
  window_->OpenLog(log_);
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  QWidget* focus = window_->focusWidget() ? window_->focusWidget() : window_.get();
  for (int i = 0; i < 3; ++i) QTest::keyClick(focus, Qt::Key_Right);
  chosen_ = dir_.filePath("saved.png");
  QTest::keySequence(window_.get(), QKeySequence(QStringLiteral("Ctrl+S")));

  QWidget* canvas = Canvas();
  const QRect place(canvas->mapTo(window_.get(), QPoint()), canvas->size());
  const QImage shown = window_->grab(place).toImage().convertToFormat(QImage::Format_RGB32);
  const QImage saved = QImage(chosen_).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(saved.size(), shown.size());
  EXPECT_TRUE(saved == shown);
  QWidget* strip = Widget("Overlay");
  ASSERT_LT(strip->x(), canvas->width());
  EXPECT_EQ(saved.pixel(strip->geometry().center()), qRgb(255, 0, 0));

  QTest::mouseClick(Widget("BatteryButton"), Qt::LeftButton);
  chosen_ = dir_.filePath("saved.csv");
  QTest::keySequence(window_.get(), QKeySequence(QStringLiteral("Ctrl+E")));
  QFile table(chosen_);
  ASSERT_TRUE(table.open(QIODevice::ReadOnly));
  EXPECT_EQ(table.readAll().toStdString(), window_->page().DataCsv());

  EXPECT_EQ(asked_, QStringList({"Save Graph: " + dir_.filePath("drive-rpm.png"),
                                 "Export Data: " + dir_.filePath("drive-battery.csv")}));
  EXPECT_TRUE(messages_.isEmpty());
}

// The time axis's caption shows every time of every window length and page
// on its one line: a caption wider than the graph wraps, and its last times
// end up below the canvas's edge.
TEST_F(ExportWindowTest, TimeAxisCaptionFitsUnderTheGraph) {
  const QString log = Write("long.txt", testlogs::FrameLog(1740, {900}));  // 12 minutes
  auto* axis = qobject_cast<QLabel*>(Widget("YLabel"));
  for (int entry = 0; entry < 6; ++entry) {
    window_->OpenLog(log);
    window_->page().Select("YAxis", entry);
    for (bool more = true; more; window_->page().Click("NextImage")) {
      window_->Sync();
      EXPECT_LE(axis->fontMetrics().horizontalAdvance(axis->text()), axis->contentsRect().width())
          << axis->text().simplified().toStdString();
      more = Widget("NextImage")->isVisible();
    }
  }
}

// A file that cannot be written is reported with the system's reason, and
// nothing is left behind: neither the file nor a temporary one. A save whose
// dialog is cancelled does nothing at all. The rows: each save, into a folder
// that does not exist or a read-only one, or cancelled.
enum class Target { MissingFolder, ReadOnlyFolder, Cancelled };

class WriteFailureTest : public ExportWindowTest,
                         public ::testing::WithParamInterface<std::tuple<const char*, Target>> {};

TEST_P(WriteFailureTest, IsReportedAndLeavesNoFile) {
  const auto [menu, target] = GetParam();
  const bool readOnly = target == Target::ReadOnlyFolder;
  QDir folder(dir_.filePath("out"));
  if (readOnly) {
    if (geteuid() == 0) GTEST_SKIP() << "run as root, who may write into a read-only folder";
    ASSERT_TRUE(folder.mkpath("."));
    ASSERT_TRUE(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
  }
  window_->OpenLog(log_);
  chosen_ = target == Target::Cancelled ? QString() : folder.filePath("saved");
  window_->menuAction(menu)->trigger();
  if (readOnly) QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner);

  const QString reason = QString::fromLocal8Bit(std::strerror(readOnly ? EACCES : ENOENT));
  const QStringList told =
      target == Target::Cancelled
          ? QStringList()
          : QStringList{QStringLiteral("ZelkScope: Cannot write \"%1\": %2.").arg(chosen_, reason)};
  EXPECT_EQ(messages_, told);
  EXPECT_EQ(QDir(readOnly ? folder.path() : dir_.path()).entryList(QDir::Files | QDir::Hidden),
            readOnly ? QStringList() : QStringList{"drive.txt"});
}

std::string WriteFailureName(
    const ::testing::TestParamInfo<std::tuple<const char*, Target>>& info) {
  static const char* const kTargets[] = {"IntoMissingFolder", "IntoReadOnlyFolder", "Cancelled"};
  return std::get<0>(info.param) + std::string(kTargets[static_cast<int>(std::get<1>(info.param))]);
}

INSTANTIATE_TEST_SUITE_P(ExportWindow, WriteFailureTest,
                         ::testing::Combine(::testing::Values("SaveGraphMenu", "ExportDataMenu"),
                                            ::testing::Values(Target::MissingFolder,
                                                              Target::ReadOnlyFolder,
                                                              Target::Cancelled)),
                         WriteFailureName);

// A batch run's pictures are the window's pictures of the same log, channel
// and window, pixel for pixel: title, value labels and time axis included.
TEST_F(ExportWindowTest, BatchPicturesAreTheWindowsPictures) {
  const QString log = Write("long.txt", testlogs::FrameLog(600, {900, 3100, 1700}));
  cli::BatchOptions options;
  options.folder = dir_.filePath("batch").toStdString();
  options.channels = {"TemperatureButton", "RPMButton"};
  options.minutes = 2;
  options.logs = {log.toStdString()};
  auto batchWindow = NewWindow();
  WindowBatchOutput output(*batchWindow);
  std::ostringstream out, err;
  ASSERT_EQ(cli::RunBatch(batchWindow->page(), options, output, out, err), 0) << err.str();

  window_->OpenLog(log);
  auto* windows = qobject_cast<QComboBox*>(Widget("YAxis"));
  ASSERT_NE(windows, nullptr);
  windows->activated(1);  // 2 minutes, as the user picks it
  for (const char* channel : {"TemperatureButton", "RPMButton"}) {
    QTest::mouseClick(Widget(channel), Qt::LeftButton);
    const QString name = QStringLiteral("batch/long-%1-page1.png")
                             .arg(QString::fromStdString(window_->page().ChannelName()));
    const QImage saved = QImage(dir_.filePath(name)).convertToFormat(QImage::Format_RGB32);
    EXPECT_FALSE(saved.isNull()) << name.toStdString();
    EXPECT_TRUE(saved == window_->GraphImage()) << name.toStdString();
  }
}

// A left click on the graph moves the marker as the same click in twips
// moves it in the program's core: the read-off and the strip's place agree.
// Pixels 200 and 497 lie within a pixel of the middle between two samples, so
// a click read a pixel off would mark another sample. Clicks beyond either
// end mark the window's first or last sample.
TEST_F(ExportWindowTest, ClickOnTheGraphMovesTheMarker) {
  window_->OpenLog(log_);
  chart::RecordingCanvas lines;
  form::UserPage core(lines, dir_.path().toStdString());
  core.Form_Load();
  ASSERT_TRUE(core.OpenPath(log_.toStdString()));
  const struct {
    int x;
    const char* sample;  // empty: whatever the core reads off
  } clicks[] = {{2, "1"}, {200, ""}, {497, ""}, {782, "101"}};
  for (const auto& click : clicks) {
    SCOPED_TRACE(click.x);
    QTest::mouseClick(Canvas(), Qt::LeftButton, {}, QPoint(click.x, 120));
    core.Picture1_MouseDown(1, click.x * 15.0, 120 * 15.0);
    const form::Controls& c = core.controls();
    EXPECT_EQ(Caption("DataPointText").toStdString(), c.Named("DataPointText").state.caption);
    if (*click.sample) {
      EXPECT_EQ(Caption("DataPointText").toStdString(), click.sample);
    }
    EXPECT_EQ(Widget("Overlay")->x(), qRound(c.Named("Overlay").state.left / 15.0));
    EXPECT_TRUE(Widget("DataPointText")->isVisible());
  }
}

}  // namespace
}  // namespace zelk::app
