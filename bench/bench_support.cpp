#include "bench_support.h"

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <thread>
#include <utility>

#include "bench_logs.h"
#include "chart/canvas.h"
#include "form/user_page.h"

#ifdef ZELK_WITH_WINDOW
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>

#include "app/channels_window.h"
#include "app/main_window.h"
#include "form/user_event.h"
#endif

namespace zelk::bench {
namespace {

std::string Quoted(const std::string& arg) {
  std::string out = "'";
  for (char c : arg) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// The log loaded in the core and every channel drawn.
int PeakMemoryCore(const std::string& path) {
  chart::RecordingCanvas canvas;
  form::UserPage page(canvas, ProgramDir());
  page.Form_Load();
  page.OpenPath(path);
  for (const char* button : kChannelButtons) page.Click(button);
  std::cout << PeakResidentMB() << std::endl;
  return page.session().file().everLoaded ? 0 : 1;
}

#ifdef ZELK_WITH_WINDOW
void UseOffscreenUnlessSet() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

// A child's application, gone before the program's own statics are.
struct ChildApp {
  int argc = 1;
  char name[11] = "zelk-bench";
  char* argv[2] = {name, nullptr};
  QApplication app{(UseOffscreenUnlessSet(), argc), argv};
};

// The application EnsureApp made.
QApplication* ownApp = nullptr;

// A child's window, built and shown until its first paint.
struct ShownWindow {
  ChildApp app;
  PaintWatch watch;
  app::MainWindow window{(qApp->installEventFilter(&watch), QString::fromStdString(ProgramDir()))};
  ShownWindow() {
    window.show();
    WaitForPaint(watch);
  }
};

// The window built and shown; prints a line once its first paint is done.
int FirstPaint() {
  ShownWindow shown;
  std::cout << (shown.watch.painted ? "painted" : "not painted") << std::endl;
  return shown.watch.painted ? 0 : 1;
}

// The whole program: the window, the log opened and every channel drawn
// and painted.
int PeakMemoryWindow(const std::string& path) {
  ShownWindow shown;
  app::MainWindow& window = shown.window;
  PaintWatch& watch = shown.watch;
  window.page().OpenPath(path);
  window.Sync();
  WaitForPaint(watch);
  for (const char* button : kChannelButtons) {
    window.page().Click(button);
    window.Sync();
    WaitForPaint(watch);
  }
  std::cout << PeakResidentMB() << std::endl;
  return window.page().session().file().everLoaded ? 0 : 1;
}

// The resident memory of this process now, in MB, with the heap's free
// pages first given back, so that what was freed before does not count
// and what is allocated next is new pages.
double ResidentNowMB() {
  ::malloc_trim(0);
  std::ifstream statm("/proc/self/statm");
  long total = 0, resident = 0;
  statm >> total >> resident;
  return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) /
         (1024.0 * 1024.0);
}

// The main window at 3840×2160 with the log open and its temperatures
// painted, the program's resident memory taken; then the Channels window
// opened at the same size with all ten strips, as the driver's strips event
// opens it, painted, and the memory taken again. Prints both.
int ChannelsWindowMemory(const std::string& path) {
  ShownWindow shown;
  app::MainWindow& window = shown.window;
  PaintWatch& watch = shown.watch;
  window.resize(3840, 2160);
  WaitForPaint(watch);
  window.page().OpenPath(path);
  window.page().Click("TemperatureButton");
  window.Sync();
  WaitForPaint(watch);
  // The window's size set while it is hidden, as a user's last use would
  // have left it.
  app::ChannelsWindow& channels = *window.channelsWindow();
  channels.resize(3840, 2160);
  form::UserPage& page = window.page();
  const double without = ResidentNowMB();
  page.Apply(*form::ParseUserEvent(
      "strips RPM Temperature Battery Ignition Lambda Loop Throttle Manifold STFT User-Defined"));
  window.Sync();
  WaitForPaint(watch);
  const bool open = channels.isVisible() && channels.width() == 3840 && channels.height() == 2160 &&
                    page.channelsView().channels().size() == 10;
  const double with = ResidentNowMB();
  std::cout << without << " " << with << std::endl;
  return page.session().file().everLoaded && open ? 0 : 1;
}
#endif

}  // namespace

#ifdef ZELK_WITH_WINDOW
void EnsureApp() {
  static int argc = 1;
  static char name[] = "zelk-bench";
  static char* argv[] = {name, nullptr};
  if (qApp) return;
  UseOffscreenUnlessSet();
  ownApp = new QApplication(argc, argv);
}

void EndApp() { delete std::exchange(ownApp, nullptr); }

bool PaintWatch::eventFilter(QObject*, QEvent* event) {
  if (event->type() == QEvent::Paint) painted = true;
  return false;
}

void WaitForPaint(PaintWatch& watch) {
  watch.painted = false;
  QElapsedTimer timer;
  timer.start();
  while (!watch.painted && timer.elapsed() < 1000) QCoreApplication::processEvents();
  QCoreApplication::processEvents();
}

bool PaintedNow(QWidget& widget) {
  PaintWatch watch;
  widget.installEventFilter(&watch);
  QCoreApplication::processEvents();
  widget.removeEventFilter(&watch);
  return watch.painted;
}

bool PaintedSoon(QWidget& widget) {
  PaintWatch watch;
  widget.installEventFilter(&watch);
  WaitForPaint(watch);
  widget.removeEventFilter(&watch);
  return watch.painted;
}
#endif

int ExportJobsCores() {
  return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

std::string RunChild(const std::vector<std::string>& args) {
  std::string command = Quoted(std::filesystem::read_symlink("/proc/self/exe").string());
  for (const std::string& arg : args) command += " " + Quoted(arg);
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return {};
  std::string out;
  std::array<char, 256> buffer;
  size_t n;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), n);
  return ::pclose(pipe) == 0 ? out : std::string();
}

double PeakResidentMB() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

int ChildMain(const std::vector<std::string>& args) {
  const std::string mode = args.empty() ? std::string() : args[0];
  if (mode == "peak-memory-core" && args.size() == 2) return PeakMemoryCore(args[1]);
#ifdef ZELK_WITH_WINDOW
  if (mode == "first-paint") return FirstPaint();
  if (mode == "peak-memory-window" && args.size() == 2) return PeakMemoryWindow(args[1]);
  if (mode == "channels-window-memory" && args.size() == 2) return ChannelsWindowMemory(args[1]);
#endif
  std::cerr << "zelk-bench: unknown child mode\n";
  return 2;
}

}  // namespace zelk::bench
