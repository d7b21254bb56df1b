#include <unistd.h>

#include <QApplication>
#include <QSettings>
#include <QTimer>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/batch_output.h"
#include "app/main_window.h"
#include "cli/command_line.h"
#include "cli/workers.h"

namespace {

using zelk::cli::CommandLine;

int BadArguments(const std::string& problem) {
  std::cerr << "zelkscope: " << problem << "\n\n" << zelk::cli::UsageText();
  return 2;
}

bool HasSingleDashOption(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--") return false;
    if (arg.size() > 1 && arg[0] == '-' && arg[1] != '-') return true;
  }
  return false;
}

std::vector<std::string> Arguments(const QStringList& list) {
  std::vector<std::string> args;
  for (qsizetype i = 1; i < list.size(); ++i) args.push_back(list[i].toStdString());
  return args;
}

// A batch run's standard error is for its own reports: Qt's notes about the
// screen it does without are left out, its errors kept.
void KeepQtErrorsOnly(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::cerr << qPrintable(qFormatLogMessage(type, context, text)) << "\n";
  }
}

// Writes every file of the batch, or of a worker's share of it, from a window
// that is never on a screen.
int RunBatch(int argc, char* argv[], const zelk::cli::BatchOptions& options) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(KeepQtErrorsOnly);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("ZelkScope"));
  zelk::app::MainWindow window(QCoreApplication::applicationDirPath());
  window.show();
  zelk::app::WindowBatchOutput output(window);
  if (options.worker) return zelk::cli::RunAsWorker(window.page(), options, output, std::cout);
  return zelk::cli::RunBatch(window.page(), options, output, std::cout, std::cerr);
}

}  // namespace

int main(int argc, char* argv[]) {
  const CommandLine given = zelk::cli::ParseCommandLine({argv + (argc > 0), argv + argc});
  switch (given.mode) {
    case CommandLine::Mode::Help:
      std::cout << zelk::cli::UsageText();
      return 0;
    case CommandLine::Mode::Version:
      std::cout << zelk::cli::VersionText();
      return 0;
    case CommandLine::Mode::Batch: {
      zelk::cli::BatchOptions batch = given.batch;
      batch.progress = !batch.worker && isatty(STDERR_FILENO);
      // The run that shares out the logs needs no window of its own.
      const int workers = zelk::cli::WorkerCount(batch);
      if (!batch.worker && workers > 1) {
        return zelk::cli::RunInWorkers(batch, workers, std::cout, std::cerr);
      }
      return RunBatch(argc, argv, batch);
    }
    case CommandLine::Mode::Bad:
      // Only an option of Qt's own (one dash: -platform, -style) can make
      // these arguments right once Qt has taken it out; anything else is
      // told at once, with no display needed.
      if (!HasSingleDashOption(argc, argv)) return BadArguments(given.problem);
      break;
    case CommandLine::Mode::Window:
      break;
  }

  // Qt takes its own options (-platform, -style) out of the arguments; what
  // is left is the program's.
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("ZelkScope"));
  QApplication::setOrganizationName(QStringLiteral("ZelkScope"));
  const CommandLine line = zelk::cli::ParseCommandLine(Arguments(QCoreApplication::arguments()));
  if (line.mode != CommandLine::Mode::Window) return BadArguments(line.problem);

  zelk::app::MainWindow window(QCoreApplication::applicationDirPath());
  window.Remember(std::make_shared<QSettings>());
  window.show();
  if (!line.log.empty()) {
    // Opened once the window is on screen, so that a message about the log
    // stands in front of it.
    const QString log = QString::fromLocal8Bit(line.log);
    QTimer::singleShot(0, &window, [&window, log] { window.OpenLog(log); });
  }
  return app.exec();
}
