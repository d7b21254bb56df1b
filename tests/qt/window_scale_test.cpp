// The window as it grows: the form scales to fit, centred, and at its design
// size again is what it was. What it keeps between runs: the recent logs, the
// browser's folder and its size.
#include <QAbstractScrollArea>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>
#include <QSettings>

#include "app/colours.h"
#include "app/values_window.h"
#include "log_text.h"
#include "window_fixture.h"

namespace zelk::app {
namespace {

using ScaleTest = WindowFixture;

// Whether the window's own pixels show the canvas image (brought up to date
// only after they are taken) wherever no caption or marker lies over it.
bool WindowShowsCanvas(MainWindow& window) {
  QCoreApplication::processEvents();
  auto* canvas = window.findChild<CanvasWidget*>();
  QImage shown = window.screen()->grabWindow(window.winId()).toImage();
  shown = shown.copy(QRect(canvas->mapTo(&window, QPoint()), canvas->size()))
              .convertToFormat(QImage::Format_RGB32);
  QImage drawn = window.canvasImage();
  for (QImage* picture : {&shown, &drawn}) {
    QPainter p(picture);
    for (const QWidget* over : canvas->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (over->isVisible()) p.fillRect(over->geometry(), Qt::black);
    }
  }
  return shown == drawn;
}

// Rows: the central area as a multiple of the form's size across and down,
// and the scale that fits.
TEST_F(ScaleTest, TheFormGrowsWithTheWindowAndIsTheSameAtItsSize) {
  window_ = NewWindow();
  window_->OpenLog(Write("logs/drive.txt", testlogs::FrameLog(200, {900, 3000})));
  QWidget* client = Widget("RPMButton")->parentWidget();
  const QImage designed = client->grab().toImage();
  const QSize form(1089, 567), frame = window_->size() - form;
  const std::tuple<double, double, double> cases[] = {
      {1.5, 1.5, 1.5}, {2.5, 2.5, 2.5}, {3.0, 1.5, 1.5}, {1.0, 1.0, 1.0}};
  int turn = 0;
  for (const auto& [across, down, fits] : cases) {
    SCOPED_TRACE(across);
    window_->resize(frame + QSize(qRound(form.width() * across), qRound(form.height() * down)));
    // The menu bar grows with the window too, so the form fits what is left
    // under it: a little less than the window's own scale.
    const auto fitted = [&] {
      const QSize area = window_->centralWidget()->size();
      return std::max(1.0, std::min(double(area.width()) / form.width(),
                                    double(area.height()) / form.height()));
    };
    EXPECT_TRUE(QTest::qWaitFor([&] {
      return qAbs(window_->scale() - fitted()) < 0.002 && window_->scale() <= fits + 0.002 &&
             window_->scale() > fits * 0.95;
    }));
    EXPECT_TRUE(WindowShowsCanvas(*window_));
    const double scale = window_->scale();
    const auto px = [scale](int twips) { return qRound(twips * scale / 15); };
    EXPECT_LE(qAbs(client->geometry().center().x() - window_->centralWidget()->width() / 2), 1);
    const QFont font = Widget("RPMButton")->font();
    EXPECT_EQ(std::pair(font.pixelSize(), font.bold()), std::pair(qRound(16 * scale), true));
    EXPECT_EQ(qobject_cast<QLabel*>(Widget("FaultGreen(0)"))->pixmap().width(), px(450));
    // The menus and the windows beside the form grow with it, to a quarter.
    const QFont base = QApplication::font(), menus = window_->menuBar()->font();
    const double grown = base.pointSizeF() > 0 ? menus.pointSizeF() / base.pointSizeF()
                                               : double(menus.pixelSize()) / base.pixelSize();
    EXPECT_NEAR(grown, scale, 0.25);
    EXPECT_EQ(window_->valuesWindow()->font(), menus);
    // So do the scroll bars of the listing and the lists.
    const int extent = QProxyStyle().pixelMetric(QStyle::PM_ScrollBarExtent);
    EXPECT_NEAR(qobject_cast<QAbstractScrollArea*>(Widget("Text"))->verticalScrollBar()->width(),
                extent * scale, 2);
    // The time axis runs along canvas y 4000, as thick as the scale, on to
    // the right of the series' last sample.
    EXPECT_TRUE(CanvasShowsDrawing(*window_));
    EXPECT_EQ(window_->canvasImage().pixelColor(px(11150), px(4000)), QColor(Qt::blue));
    // Another channel's graph is on the window as soon as it is drawn.
    QTest::mouseClick(Widget(++turn % 2 ? "BatteryButton" : "RPMButton"), Qt::LeftButton);
    EXPECT_TRUE(WindowShowsCanvas(*window_));
  }
  EXPECT_TRUE(client->grab().toImage() == designed);
  // A press moved less far across than a drag takes (60 twips, 10 pixels at
  // two and a half times the size) is a click, not a drag the program refuses.
  window_->resize(frame + QSize(qRound(form.width() * 2.5), qRound(form.height() * 2.5)));
  ASSERT_TRUE(QTest::qWaitFor([&] { return qAbs(window_->scale() - 2.5) < 0.002; }));
  std::vector<std::string> lines;
  window_->setEventRecorder([&](const std::string& line) { lines.push_back(line); });
  QTest::mousePress(Canvas(), Qt::LeftButton, {}, {300, 150});
  QTest::mouseMove(Canvas(), {305, 150});
  QTest::mouseRelease(Canvas(), Qt::LeftButton, {}, {305, 150});
  ASSERT_EQ(lines.size(), 2u);  // the graph's click, and the picture box's
  EXPECT_TRUE(lines[0].starts_with("clickat 1799.")) << lines[0];
  EXPECT_EQ(lines[1], "click Picture1");
}

// Level and upright lines are painted as blocks of pixels: at even widths,
// the very pixels of the painter's own square-ended line.
TEST(CanvasPaint, BlocksAreTheLinesOwnPixels) {
  EnsureApplication();
  // Runs of level and of upright lines end to end (and after a one-pixel
  // gap), one of them crossed by a later line of another colour.
  const std::vector<chart::Line> lines = {
      {300, 300, 600, 300, 0xFF, 1},       {600, 300, 900, 300, 0xFF, 1},
      {930, 300, 1200, 300, 0xFF, 1},      {600, 900, 600, 600, 0xFF00, 2},
      {600, 600, 600, 150, 0xFF00, 2},     {600, 1350, 600, 1290, 0xFF00, 2},
      {150, 600, 1200, 750, 0, 2},         {-60, 1200, 300, 1200, 0xFF0000, 2},
      {300, 1200, 330, 1200, 0xFF0000, 2}, {330, 1200, 900, 1200, 0xFF0000, 2}};
  for (const double ratio : {1.0, 2.0}) {
    QImage expected(200, 200, QImage::Format_RGB32);
    expected.fill(Qt::white);
    QPainter p(&expected);
    for (const chart::Line& d : lines) {
      p.setPen(QPen(FromBgr(d.colour), qRound(d.width * ratio), Qt::SolidLine, Qt::SquareCap));
      const double k = ratio / 15;
      p.drawLine(QPointF(qRound(d.x1 * k), qRound(d.y1 * k)),
                 QPointF(qRound(d.x2 * k), qRound(d.y2 * k)));
    }
    p.end();
    EXPECT_TRUE(PaintedLines(expected.size(), ratio, lines) == expected) << ratio;
  }
}

// Logs opened (a rejected one not among them), the window closed: the next
// window lists them latest first (one removed meanwhile greyed when the menu
// opens), opens its browser where the last was left and takes its size.
TEST_F(ScaleTest, RecentLogsFolderAndSizeOutliveTheWindow) {
  const QString ini = dir_.filePath("settings.ini");
  const QString a = Write("logs/a.txt", testlogs::FrameLog(30, {900}));
  const QString b = Write("old/b.txt", testlogs::FrameLog(30, {900}));
  window_ = NewWindow();
  window_->Remember(std::make_shared<QSettings>(ini, QSettings::IniFormat));
  for (const QString& log : {a, b, a, Write("logs/bad.txt", "no,log\n"), b}) window_->OpenLog(log);
  window_->resize(1500, 900);
  window_->close();
  window_ = NewWindow();
  window_->Remember(std::make_shared<QSettings>(ini, QSettings::IniFormat));
  QFile::remove(a);
  emit window_->recentMenu()->aboutToShow();  // the menu opening sees it gone
  QStringList shown;
  for (QAction* item : window_->recentMenu()->actions())
    shown << item->text() + (item->isEnabled() ? "" : " (grey)");
  EXPECT_EQ(shown, QStringList({"&1 b.txt  (" + QFileInfo(b).path() + ")",
                                "&2 a.txt  (" + QFileInfo(a).path() + ") (grey)"}));
  EXPECT_EQ(window_->page().controls().Named("Dir1").state.folder,
            QFileInfo(b).path().toStdString());
  EXPECT_EQ(window_->size(), QSize(1500, 900));
  window_->recentMenu()->actions().front()->trigger();
  EXPECT_EQ(window_->page().session().file().name, "b.txt");
}

}  // namespace
}  // namespace zelk::app
