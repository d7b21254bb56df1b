// The real window on an off-screen display: what the user sees of it, read
// off its widgets and painted pixels; key and mouse events as the user's
// desktop sends them; drops. That each widget copies its control is the
// monkey test's; what the window writes to disk is window_save_test's.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QDropEvent>
#include <QLineF>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <QUrl>
#include <QWheelEvent>
#include <memory>
#include <optional>
#include <tuple>

#include "app/options_dialog.h"
#include "app/pictures.h"
#include "app/values_window.h"
#include "chart/plot.h"
#include "chart/time_window.h"
#include "window_fixture.h"

namespace zelk::app {
namespace {

// What the check of every widget against its control does not see: the
// window's size, which widget holds which, the fonts they inherit; that no
// widget takes a dropped file for itself (as a text box would take its
// name); that labels lie under the other controls, so a caption placed under
// the canvas is never seen; that images show their whole picture. The paging
// arrows point at the middle of their height; the About picture has its
// photograph's size. Every colour the program gives lies at the pixel where
// its drawing puts it (a twip position divided by 15), as the window paints it.
TEST_F(WindowTest, ControlsImagesAndColoursAreWhereTheProgramPutsThem) {
  QWidget* client = window_->centralWidget();
  const QImage shot = client->grab().toImage();
  ASSERT_EQ(shot.size(), QSize(1089, 567));
  EXPECT_TRUE(Widget("Picture1")->isAncestorOf(Widget("ScreenTitle")));
  EXPECT_TRUE(Widget("Background")->isAncestorOf(Widget("File1")));
  // A control without a font of its own takes its container's: the graph's
  // title the canvas's MS Sans Serif (as its metric twin), 8.25 pt at 96 dpi.
  const QFont title = Widget("ScreenTitle")->font();
  EXPECT_EQ(title.family() + QString::number(title.pixelSize()), "Liberation Sans11");
  for (const form::Control& control : window_->page().controls().all()) {
    const QWidget* widget = window_->widget(QString::fromStdString(control.Key()));
    EXPECT_FALSE(widget && widget->acceptDrops()) << control.Key();
    if (control.spec.kind != form::Kind::Image) continue;
    const auto* image = qobject_cast<const QLabel*>(widget);
    ASSERT_NE(image, nullptr) << control.Key();
    EXPECT_TRUE(QRect(QPoint(), image->size()).contains(image->pixmap().rect())) << control.Key();
  }
  for (const char* key : {"InfoLabel", "LabelInfo(11)"}) {
    QWidget* under = client->childAt(Widget(key)->geometry().center());
    EXPECT_TRUE(under == Widget("Picture1") || Widget("Picture1")->isAncestorOf(under)) << key;
  }
  for (const form::Art art : {form::Art::LeftArrow, form::Art::RightArrow}) {
    const QImage arrow = ArtPixmap(art).toImage();
    double weight = 0, rows = 0;
    for (int y = 0; y < arrow.height(); ++y)  // each row weighed at its centre
      for (int x = 0; x < arrow.width(); ++x)
        weight += qAlpha(arrow.pixel(x, y)), rows += (y + 0.5) * qAlpha(arrow.pixel(x, y));
    EXPECT_NEAR(rows / weight, (arrow.height() - 1) / 2.0, 0.25) << static_cast<int>(art);
  }
  EXPECT_EQ(ArtPixmap(form::Art::About).size(), QSize(500, 320));
  const std::vector<chart::Line>& lines = window_->drawnLines();
  const auto seen = [&shot](QPoint pixel) { return shot.pixelColor(pixel).name().toStdString(); };
  const auto pixelOf = [&](QPointF twips) {
    return Canvas()->mapTo(client, (twips / 15).toPoint());
  };
  const auto centreOf = [&](const char* key) {
    return Widget(key)->parentWidget()->mapTo(client, Widget(key)->geometry().center());
  };
  const auto colourOf = [&](const char* key) {
    return Rgb(window_->page().controls().Named(key).state.backColour);
  };
  // Across the graph right of its title and legend, and down the value axis
  // between two of its labels.
  const QLineF across(7000, 0, 7000, 4455), down(0, 2500, 11805, 2500);
  const std::tuple<const char*, uint32_t, QLineF> drawn[] = {
      {"time axis", chart::kBlue, across},   {"value axis", chart::kBlue, down},
      {"limit line", chart::kRed, across},   {"coolant", chart::kBlack, across},
      {"intake air", chart::kGreen, across}, {"fuel", chart::kMagenta, across},
  };
  for (const auto& [what, colour, probe] : drawn) {
    const auto at = Crossing(lines, colour, probe);
    ASSERT_TRUE(at) << what;
    EXPECT_EQ(seen(pixelOf(*at)), Rgb(colour)) << what;
  }
  const QPointF between =
      (*Crossing(lines, chart::kBlack, across) + *Crossing(lines, chart::kGreen, across)) / 2;
  const QWidget* page = qobject_cast<QPlainTextEdit*>(Widget("Text"))->viewport();
  const std::tuple<const char*, QPoint, std::string> surfaces[] = {
      {"paper between two series", pixelOf(between), "#ffffff"},
      {"listing box", page->mapTo(client, QPoint(page->width() - 4, page->height() - 4)),
       colourOf("Text")},
      {"marker strip", centreOf("Overlay"), colourOf("Overlay")},
  };
  for (const auto& [what, pixel, colour] : surfaces) EXPECT_EQ(seen(pixel), colour) << what;
  // The lamps are pictures: the hue at a lamp's centre tells which is lit.
  const std::pair<const char*, int> lamps[] = {
      {"FaultRed(1)", 0}, {"FaultGreen(0)", 120}, {"FaultGreen(2)", 120}};
  for (const auto& [key, hue] : lamps)
    EXPECT_NEAR(shot.pixelColor(centreOf(key)).hsvHue(), hue, 10) << key;
}

// What moves the marker, in turn, and the sample then marked. A held key
// sends presses and releases marked as repeats, then one real release: the
// marker moves once for each real key-up. Only a left click on the graph or
// on a red lamp moves it; the lamp marks the sample nearest its fault's first
// report (the log's last). On the Full Trip the
// paging arrows are hidden: a click where one would be reaches whatever lies
// under it and does not page (which would take the marker back to the first
// sample). Pixels 198 and 493 lie within a pixel of the middle between two
// samples, so a click read a pixel off would mark another sample. Clicks
// beyond either end mark the first or last sample. The values panel, opened
// from the menu, follows the marker's keys, and closing it unticks the menu.
// A clicked channel button takes the highlight colour, the others the face.
// The recorder is a Windows program: here it cannot start, and the window
// says so and stays open; full screen ticks its menu item, and the Exit menu
// closes the window.
TEST_F(WindowTest, KeysClicksAndMenusDoWhatTheySay) {
  const std::tuple<Qt::Key, int, const char*> holds[] = {
      {Qt::Key_Right, 0, "21"}, {Qt::Key_Right, 3, "31"}, {Qt::Key_Left, 3, "21"}};
  for (const auto& [key, repeats, marked] : holds) {
    SendKey(QEvent::KeyPress, key, false);
    for (int i = 0; i < repeats; ++i)
      SendKey(QEvent::KeyRelease, key, true), SendKey(QEvent::KeyPress, key, true);
    SendKey(QEvent::KeyRelease, key, false);
    EXPECT_EQ(Marked(), marked) << key << " held for " << repeats << " repeats";
  }
  const auto placeOf = [this](QWidget* w, QPoint at) { return w->mapTo(window_.get(), at); };
  const auto middleOf = [&](const char* key) {
    return placeOf(Widget(key), Widget(key)->rect().center());
  };
  // What, which button, where, and the sample marked.
  const std::tuple<const char*, Qt::MouseButton, QPoint, const char*> clicks[] = {
      {"right on the graph", Qt::RightButton, placeOf(Canvas(), {400, 150}), "21"},
      {"middle on the graph", Qt::MiddleButton, placeOf(Canvas(), {400, 150}), "21"},
      {"where PreviousImage would be", Qt::LeftButton, middleOf("PreviousImage"), "21"},
      {"where NextImage would be", Qt::LeftButton, middleOf("NextImage"), "21"},
      {"left at 2", Qt::LeftButton, placeOf(Canvas(), {2, 120}), "1"},
      {"red lamp", Qt::LeftButton, middleOf("FaultRed(1)"), "103"},
      {"left at 198", Qt::LeftButton, placeOf(Canvas(), {198, 120}), "25"},
      {"left at 493", Qt::LeftButton, placeOf(Canvas(), {493, 120}), "67"},
      {"left at 782", Qt::LeftButton, placeOf(Canvas(), {782, 120}), "103"},
  };
  for (const auto& [what, button, place, sample] : clicks) {
    SCOPED_TRACE(what);
    QTest::mouseClick(window_->windowHandle(), button, {}, place);
    EXPECT_EQ(Marked(), sample);
  }
  window_->menuAction("ValuesMenu")->trigger();
  ValuesWindow* values = window_->valuesWindow();
  ASSERT_TRUE(values->isVisible());
  QTest::keyClick(FocusTarget(), Qt::Key_Left);
  EXPECT_EQ(values->heading()->text().toStdString(), "Sample 93 at 0:38.1");
  const QTreeWidgetItem* coolant = values->list()->topLevelItem(1);
  EXPECT_EQ(coolant->text(0) + "|" + coolant->text(1) + "|" + coolant->text(2), "Coolant|85|°C");
  values->close();
  EXPECT_FALSE(window_->menuAction("ValuesMenu")->isChecked());
  QTest::mouseClick(Widget("RPMButton"), Qt::LeftButton);
  for (const char* key : {"RPMButton", "TemperatureButton", "BatteryButton"}) {
    const auto role = key[0] == 'R' ? QPalette::Highlight : QPalette::Button;
    EXPECT_EQ(Widget(key)->palette().color(QPalette::Button),
              QApplication::palette().color(QPalette::Active, role))
        << key;
  }
  // A click on the step bar's lower arrow moves its thumb, from 1, one step on.
  QWidget* bar = Widget("MarkerStepScroll");
  QTest::mouseClick(bar, Qt::LeftButton, {}, {bar->width() / 2, bar->height() - 4});
  EXPECT_EQ(qobject_cast<QLineEdit*>(Widget("MarkerStepValueText"))->text(), " 2");
  QTest::mouseClick(Widget("ShellButton"), Qt::LeftButton);
  EXPECT_EQ(messages_, QStringList("ZelkScope: The reader program could not be started: "
                                   "\"C:\\Readzelk.exe\"."));
  EXPECT_TRUE(window_->isVisible());
  // Full screen and back: the menu's tick says which the window is in.
  for (const bool full : {true, false}) {
    window_->menuAction("FullScreenMenu")->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window_->isFullScreen() == full; })) << full;
    EXPECT_EQ(window_->menuAction("FullScreenMenu")->isChecked(), full);
  }
  window_->menuAction("ExitMenu")->trigger();
  EXPECT_FALSE(window_->isVisible());
}

// A drag across the graph paints its band over the graph without drawing it
// again; the drag, the wheel (with Shift a pan) and the right button (back)
// reach the program as their script lines, in twips.
TEST_F(WindowTest, DragAndWheelOnTheGraphZoom) {
  std::vector<std::string> lines;
  window_->setEventRecorder([&](const std::string& line) { lines.push_back(line); });
  const QImage before = Canvas()->grab().toImage();
  QTest::mousePress(Canvas(), Qt::LeftButton, {}, {300, 150});
  QTest::mouseMove(Canvas(), {100, 150});
  const QImage during = Canvas()->grab().toImage();
  EXPECT_TRUE(CanvasShowsDrawing(*window_) && lines.empty());
  EXPECT_NE(during.pixel(200, 150), before.pixel(200, 150));
  EXPECT_NE(during.pixel(200, 0), before.pixel(200, 0));  // the band runs from the top
  EXPECT_EQ(during.pixel(400, 150), before.pixel(400, 150));
  QTest::mouseRelease(Canvas(), Qt::LeftButton, {}, {100, 150});
  for (const auto modifiers : {Qt::NoModifier, Qt::ShiftModifier}) {
    QWheelEvent wheel({200, 100}, Canvas()->mapToGlobal(QPointF(200, 100)), {}, {0, 120},
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Canvas(), &wheel);
  }
  QTest::mouseClick(Canvas(), Qt::RightButton, {}, {10, 10});
  EXPECT_EQ(lines, (std::vector<std::string>{"drag 4500 1500", "wheel 3000 1", "pan -1", "key 8"}));
}

// Only a local file is a log: the first of a drop's files is opened, a web
// address or plain text is not taken. Moving through the browser's file list
// with the arrow keys opens each file reached, as a click on it does.
TEST_F(WindowTest, DropsAndArrowKeysInTheFileListOpenTheFileMeant) {
  const QString more = Write("logs/more.txt", testlogs::FrameLog(30, {900}));
  const QUrl web(QStringLiteral("https://example.com/drive.txt"));
  const struct {
    QList<QUrl> urls;
    QString text, opened;
  } cases[] = {
      {{QUrl::fromLocalFile(log_)}, {}, "drive.txt"},
      {{web, QUrl::fromLocalFile(more), QUrl::fromLocalFile(log_)}, {}, "more.txt"},
      {{web}, {}, {}},
      {{}, log_, {}},
  };
  for (const auto& [urls, text, opened] : cases) {
    SCOPED_TRACE(urls.size());
    auto window = NewWindow();
    QMimeData data;
    if (!urls.isEmpty()) data.setUrls(urls);
    if (!text.isEmpty()) data.setText(text);
    QDragEnterEvent enter(QPoint(500, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(window.get(), &enter);
    QDropEvent drop(QPointF(500, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(window.get(), &drop);
    EXPECT_EQ(enter.isAccepted(), !opened.isEmpty());
    EXPECT_EQ(QString::fromStdString(window->page().session().file().name), opened);
  }
  window_ = NewWindow();
  Widget("File1")->setFocus();
  for (const auto& [key, opened] :
       {std::pair{Qt::Key_Down, "more.txt"}, {Qt::Key_Up, "drive.txt"}}) {
    QTest::keyClick(Widget("File1"), key);
    EXPECT_EQ(window_->page().session().file().name, opened);
  }
}

// Each time under the graph stands at the place on the canvas whose time it
// gives, on every window length and page: its text covers that place.
TEST_F(WindowTest, TimeAxisTimesStandUnderTheirPlaces) {
  window_->OpenLog(Write("long.txt", testlogs::FrameLog(1740, {900})));  // 12 minutes
  QWidget* axis = Widget("YLabel");
  for (int entry = 0; entry < 6; ++entry) {
    window_->page().Select("YAxis", entry);
    for (bool more = true; more; window_->page().Click("NextImage")) {
      window_->Sync();
      const QImage image = axis->grab().toImage();
      std::vector<std::pair<int, int>> texts;  // runs of columns with dark pixels
      for (int x = 0; x < image.width(); ++x) {
        bool dark = false;
        for (int y = 0; y < image.height() && !dark; ++y) dark = qGray(image.pixel(x, y)) < 128;
        if (!dark) continue;
        if (texts.empty() || x - texts.back().second > 8) texts.push_back({x, x});
        texts.back().second = x;
      }
      ASSERT_EQ(texts.size(), 11u) << entry;
      for (int i = 0; i <= 10; ++i) {
        const double place = (zelk::chart::TimeWindow::CaptionX(i) - 495) / 15;
        EXPECT_TRUE(texts[i].first - 1 <= place && place <= texts[i].second + 1)
            << entry << " time " << i << " at " << place;
      }
      more = Widget("NextImage")->isVisible();
    }
  }
}

// File > Options chooses the reader program: the Log button starts the one
// chosen (which here leaves a file behind as it runs), and a cancelled dialog
// changes nothing. The choice outlives the window in its settings, and an
// empty one goes back to none, the fixed path. (What Log tells of each
// reader, and of none, is reader_program_test's.)
TEST_F(WindowTest, OptionsChooseTheReaderThatLogStartsAndTheSettingsKeepIt) {
  const QString ran = dir_.filePath("ran"), missing = dir_.filePath("gone/reader");
  const QString reader = Write("reader", "#!/bin/sh\necho ran > '" + ran.toStdString() + "'\n");
  ASSERT_TRUE(QFile::setPermissions(reader, QFile::ReadOwner | QFile::ExeOwner));
  QStringList offered;
  std::optional<QString> answer;
  const auto remember = [&] {
    window_->Remember(
        std::make_shared<QSettings>(dir_.filePath("settings.ini"), QSettings::IniFormat));
    window_->setOptionsEditor([&](const QString& current) {
      offered << current;
      return answer;
    });
  };
  const auto choose = [&](std::optional<QString> path) {
    answer = std::move(path);
    window_->menuAction("OptionsMenu")->trigger();
    QTest::mouseClick(Widget("ShellButton"), Qt::LeftButton);
  };
  remember();
  choose(reader);
  EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(ran); }, 5000));
  choose(std::nullopt);
  choose(missing);
  EXPECT_EQ(offered, QStringList({"", reader, reader}));
  window_->close();
  window_ = NewWindow();
  remember();
  EXPECT_EQ(window_->page().readerProgram(), missing.toStdString());
  choose(QString());
  EXPECT_EQ(window_->page().readerProgram(), "");
}

// What the Options dialog gives back of what was typed: trimmed, and a bare
// program name as the path PATH finds it at (kept as typed where it finds none).
TEST(OptionsDialog, GivesBackAPathToTheReader) {
  EnsureApplication();
  const std::pair<QString, QString> typed[] = {
      {"", ""},
      {"  /opt/ecu/reader ", "/opt/ecu/reader"},
      {"sh", QStandardPaths::findExecutable("sh")},
      {"zelk-no-such-reader", "zelk-no-such-reader"}};
  for (const auto& [text, path] : typed) {
    OptionsDialog dialog({}, nullptr);
    dialog.readerBox()->setText(text);
    EXPECT_EQ(dialog.readerProgram(), path) << text.toStdString();
  }
  EXPECT_TRUE(QStandardPaths::findExecutable("sh").startsWith('/'));
}

}  // namespace
}  // namespace zelk::app