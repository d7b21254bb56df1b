// What the user sees of the window, read off its painted pixels, and key
// and mouse events as the user's desktop sends them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineF>
#include <QPlainTextEdit>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/canvas_widget.h"
#include "chart/canvas.h"
#include "chart/plot.h"
#include "form/user_page.h"
#include "log_text.h"
#include "window_fixture.h"

namespace zelk::app {
namespace {

constexpr double kTwipsPerPixel = 15;

// 150 samples of 85 °C coolant, 30 °C intake air and 20 °C fuel: three level
// series well apart. The last 0x80 frame reports the air temperature
// sensor's fault.
QByteArray TemperatureLog() {
  const std::map<int, std::string> bytes{{1, "03"}, {2, "20"}, {3, "8C"}, {5, "55"}, {6, "4B"}};
  std::vector<std::string> frames80(150, testlogs::Frame80With(bytes));
  auto faulty = bytes;
  faulty[13] = "02";
  frames80.back() = testlogs::Frame80With(faulty);
  return QByteArray::fromStdString(testlogs::FrameLogOf(frames80, {}));
}

// A colour number 0x00BBGGRR as the screen shows it, "#rrggbb".
std::string Rgb(uint32_t bgr) {
  return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF).name().toStdString();
}

// Where `probe` crosses the first line drawn in `colour`, in twips.
std::optional<QPointF> Crossing(const std::vector<chart::Line>& lines, uint32_t colour,
                                const QLineF& probe) {
  for (const chart::Line& line : lines) {
    QPointF at;
    if (line.colour == colour &&
        QLineF(line.x1, line.y1, line.x2, line.y2).intersects(probe, &at) ==
            QLineF::BoundedIntersection) {
      return at;
    }
  }
  return std::nullopt;
}

class WindowPixelsTest : public WindowFixture {
 protected:
  // The temperatures of the log drawn, the marker on its eleventh sample.
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Start(TemperatureLog()));
    PickLogWithMouse();
    QTest::mouseClick(Widget("TemperatureButton"), Qt::LeftButton);
    KeyClick(Qt::Key_Right);
    ASSERT_EQ(Marked(), "11");
  }

  // The sample the marker panel shows.
  std::string Marked() { return Shown(Widget("DataPointText")).toStdString(); }

  void SendKey(QEvent::Type type, Qt::Key key, bool autoRepeat) {
    QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(FocusTarget(), &event);
  }
};

// Every colour the program gives lies at the pixel where its drawing puts it
// (a twip position divided by 15), as the window paints it.
TEST_F(WindowPixelsTest, ColoursArePaintedWhereTheProgramPutsThem) {
  // The same drawing, recorded.
  chart::RecordingCanvas recorder;
  form::UserPage twin(recorder, dir_.path().toStdString());
  twin.Form_Load();
  ASSERT_TRUE(twin.OpenPath(LogPath().toStdString()));
  twin.Click("TemperatureButton");
  twin.Form_KeyUp(39);
  const std::vector<chart::Line>& lines = recorder.lines();

  QWidget* client = window_->centralWidget();
  const auto* canvas = Widget("Picture1")->findChild<CanvasWidget*>();
  ASSERT_NE(canvas, nullptr);
  const QImage shot = client->grab().toImage();
  ASSERT_EQ(shot.size(), client->size());
  const auto seen = [&shot](QPoint pixel) { return shot.pixelColor(pixel).name().toStdString(); };
  const auto pixelOf = [&](QPointF twips) {
    return canvas->mapTo(client, (twips / kTwipsPerPixel).toPoint());
  };
  const auto centreOf = [&](const char* key) {
    QWidget* widget = Widget(key);
    return widget->parentWidget()->mapTo(client, widget->geometry().center());
  };
  const auto colourOf = [&](const char* key) {
    return Rgb(window_->page().controls().Named(key).state.backColour);
  };

  // Across the graph right of its title and legend, and down the value axis
  // between two of its labels.
  const QLineF across(7000, 0, 7000, 4455), down(0, 2500, 11805, 2500);
  const struct {
    const char* what;
    uint32_t colour;
    QLineF probe;
  } drawn[] = {
      {"time axis", chart::kBlue, across},   {"value axis", chart::kBlue, down},
      {"limit line", chart::kRed, across},   {"coolant", chart::kBlack, across},
      {"intake air", chart::kGreen, across}, {"fuel", chart::kMagenta, across},
  };
  for (const auto& d : drawn) {
    const auto at = Crossing(lines, d.colour, d.probe);
    ASSERT_TRUE(at) << d.what;
    EXPECT_EQ(seen(pixelOf(*at)), Rgb(d.colour)) << d.what;
  }
  const auto coolant = Crossing(lines, chart::kBlack, across);
  const auto intake = Crossing(lines, chart::kGreen, across);

  auto* listing = qobject_cast<QPlainTextEdit*>(Widget("Text"));
  ASSERT_NE(listing, nullptr);
  const QWidget* page = listing->viewport();
  const struct {
    const char* what;
    QPoint pixel;
    std::string colour;
  } surfaces[] = {
      {"paper between two series", pixelOf((*coolant + *intake) / 2), "#ffffff"},
      {"listing box", page->mapTo(client, QPoint(page->width() - 4, page->height() - 4)),
       colourOf("Text")},
      {"marker strip", centreOf("Overlay"), colourOf("Overlay")},
  };
  for (const auto& s : surfaces) EXPECT_EQ(seen(s.pixel), s.colour) << s.what;

  // The lamps are pictures: the hue at a lamp's centre tells which is lit.
  const struct {
    const char* key;
    int hue;
  } lamps[] = {{"FaultRed(1)", 0}, {"FaultGreen(0)", 120}, {"FaultGreen(2)", 120}};
  for (const auto& l : lamps) {
    EXPECT_NEAR(shot.pixelColor(centreOf(l.key)).hsvHue(), l.hue, 10) << l.key;
  }
}

// A held key sends presses and releases marked as repeats, then one real
// release: the marker moves once for each real key-up.
TEST_F(WindowPixelsTest, AHeldArrowKeyMovesTheMarkerOnce) {
  const struct {
    Qt::Key key;
    int repeats;
    const char* marked;
  } holds[] = {{Qt::Key_Right, 0, "21"}, {Qt::Key_Right, 3, "31"}, {Qt::Key_Left, 3, "21"}};
  for (const auto& h : holds) {
    SendKey(QEvent::KeyPress, h.key, false);
    for (int i = 0; i < h.repeats; ++i) {
      SendKey(QEvent::KeyRelease, h.key, true);
      SendKey(QEvent::KeyPress, h.key, true);
    }
    SendKey(QEvent::KeyRelease, h.key, false);
    EXPECT_EQ(Marked(), h.marked) << QKeySequence(h.key).toString().toStdString() << " held for "
                                  << h.repeats << " repeats";
  }
}

// The canvas shows exactly what the program drew since it last cleared it:
// nothing lost, nothing left over from an earlier graph. Opening a longer log
// draws its engine speed twice in one event, first over the old window, then
// over its own.
TEST_F(WindowPixelsTest, TheCanvasShowsWhatTheProgramDrew) {
  EXPECT_TRUE(CanvasShowsDrawing(*window_)) << "temperatures, marker moved";
  QTest::mouseClick(Widget("RPMButton"), Qt::LeftButton);
  QFile other(QDir(dir_.path()).filePath("logs/other.txt"));
  ASSERT_TRUE(other.open(QIODevice::WriteOnly));
  other.write(testlogs::FrameLog(400, {900, 3000, 1800}).c_str());
  other.close();
  window_->OpenLog(other.fileName());
  ASSERT_EQ(window_->page().vars().file.name, "other.txt");
  EXPECT_TRUE(CanvasShowsDrawing(*window_)) << "the next log";
  KeyClick(Qt::Key_Right);
  EXPECT_TRUE(CanvasShowsDrawing(*window_)) << "the next log, marker moved";
}

// Only a left click on the graph moves the marker. On the Full Trip the
// paging arrows are hidden: a click where one would be reaches whatever lies
// under it and does not page (which would take the marker back to the first
// sample).
TEST_F(WindowPixelsTest, OnlyALeftClickOnTheGraphMovesTheMarker) {
  const QRect strip = Widget("Overlay")->geometry();
  const auto placeOf = [this](QWidget* widget, QPoint at) {
    return widget->mapTo(window_.get(), at);
  };
  QWidget* canvas = Widget("Picture1")->findChild<CanvasWidget*>();
  const QPoint graph = placeOf(canvas, QPoint(400, 150));
  const struct {
    const char* what;
    Qt::MouseButton button;
    QPoint place;
  } clicks[] = {
      {"right on the graph", Qt::RightButton, graph},
      {"middle on the graph", Qt::MiddleButton, graph},
      {"where PreviousImage would be", Qt::LeftButton,
       placeOf(Widget("PreviousImage"), Widget("PreviousImage")->rect().center())},
      {"where NextImage would be", Qt::LeftButton,
       placeOf(Widget("NextImage"), Widget("NextImage")->rect().center())},
  };
  for (const auto& c : clicks) {
    QTest::mouseClick(window_->windowHandle(), c.button, {}, c.place);
    EXPECT_EQ(Marked(), "11") << c.what;
    EXPECT_EQ(Widget("Overlay")->geometry(), strip) << c.what;
  }
  QTest::mouseClick(window_->windowHandle(), Qt::LeftButton, {}, graph);
  EXPECT_NE(Marked(), "11") << "left on the graph";
}

}  // namespace
}  // namespace zelk::app
