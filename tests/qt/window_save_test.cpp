// What the window writes to disk: the graph and the table it saves, a save
// that cannot be written, a batch run's pictures and the picture writer.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QBuffer>
#include <QComboBox>
#include <QKeySequence>
#include <cerrno>
#include <cstring>
#include <sstream>
#include <tuple>

#include "app/batch_output.h"
#include "app/save_file.h"
#include "cli/batch.h"
#include "window_fixture.h"

namespace zelk::app {
namespace {

// Each save (by its menu key) asks for a file, proposing one named after the
// log and the channel beside the log, or in the folder last saved to, and
// writes what is on screen: the graph as the window shows it, the marker
// strip included, and the channel's table. A batch run's pictures are the
// window's pictures of the same log, channel and window, pixel for pixel:
// title, value labels and time axis included.
TEST_F(WindowTest, SavedFilesAndBatchPicturesHoldWhatIsOnScreen) {
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  chosen_ = dir_.filePath("saved.png");
  QTest::keySequence(window_.get(), QKeySequence(QStringLiteral("Ctrl+S")));
  const QRect place(Canvas()->mapTo(window_.get(), QPoint()), Canvas()->size());
  EXPECT_TRUE(QImage(chosen_).convertToFormat(QImage::Format_RGB32) ==
              window_->grab(place).toImage().convertToFormat(QImage::Format_RGB32));

  QTest::mouseClick(Widget("BatteryButton"), Qt::LeftButton);
  chosen_ = dir_.filePath("saved.csv");
  QTest::keySequence(window_.get(), QKeySequence(QStringLiteral("Ctrl+E")));
  EXPECT_EQ(testlogs::ReadFile(chosen_.toStdString()), window_->page().DataCsv());
  EXPECT_EQ(asked_, QStringList({"Save Graph: " + dir_.filePath("logs/drive-temperature.png"),
                                 "Export Data: " + dir_.filePath("drive-battery.csv")}));
  EXPECT_TRUE(messages_.isEmpty());
  // The menus' keys work wherever the focus is, also where the widget with
  // the focus would keep them for its own editing, as a text box does with
  // Ctrl+E on X11: here the step box and the listing keep every key.
  chosen_.clear();
  struct KeepsEveryKey : QObject {
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::ShortcutOverride) event->accept();
      return event->type() == QEvent::ShortcutOverride;
    }
  } keeps;
  for (const char* focus : {"MarkerStepValueText", "Text"}) {
    QTest::mouseClick(Widget(focus), Qt::LeftButton);
    ASSERT_EQ(FocusTarget(), Widget(focus)) << focus;
    FocusTarget()->installEventFilter(&keeps);
    for (const char* keys : {"Ctrl+E", "Ctrl+S"}) {
      asked_.clear();
      QTest::keySequence(FocusTarget(), QKeySequence(QString::fromLatin1(keys)));
      EXPECT_EQ(asked_.size(), 1) << focus << " " << keys;
    }
    FocusTarget()->removeEventFilter(&keeps);
  }

  const QString log = Write("long.txt", testlogs::FrameLog(600, {900, 3100, 1700}));
  auto batchWindow = NewWindow();
  WindowBatchOutput output(*batchWindow);
  std::ostringstream out, err;
  cli::BatchOptions options;
  options.folder = dir_.filePath("batch").toStdString();
  options.channels = {channels::ChannelId::Temperatures, channels::ChannelId::EngineSpeed};
  options.minutes = 2;
  options.logs = {log.toStdString()};
  ASSERT_EQ(cli::RunBatch(batchWindow->page(), options, output, out, err), 0) << err.str();

  window_ = NewWindow();  // no marker shown, as in a batch run
  window_->OpenLog(log);
  qobject_cast<QComboBox*>(Widget("YAxis"))->activated(1);  // 2 minutes, as the user picks it
  for (const char* channel : {"TemperatureButton", "RPMButton"}) {
    QTest::mouseClick(Widget(channel), Qt::LeftButton);
    const QString name = QStringLiteral("batch/long-%1-page1.png")
                             .arg(QString::fromStdString(window_->page().ChannelName()));
    EXPECT_TRUE(QImage(dir_.filePath(name)).convertToFormat(QImage::Format_RGB32) ==
                window_->GraphImage())
        << name.toStdString();
  }
}

// A file that cannot be written is reported with the system's reason, and
// nothing is left behind: neither the file nor a temporary one. A save whose
// dialog is cancelled does nothing at all. The rows: each save, into a folder
// that does not exist or a read-only one, or cancelled.
class WriteFailureTest
    : public WindowTest,
      public ::testing::WithParamInterface<std::tuple<const char*, std::string>> {};

TEST_P(WriteFailureTest, IsReportedAndLeavesNoFile) {
  const auto [menu, target] = GetParam();
  const bool readOnly = target == "IntoReadOnlyFolder", cancelled = target == "Cancelled";
  QDir folder(dir_.filePath("out"));
  if (readOnly) {
    if (geteuid() == 0) GTEST_SKIP() << "run as root, who may write into a read-only folder";
    ASSERT_TRUE(folder.mkpath("."));
    ASSERT_TRUE(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
  }
  chosen_ = cancelled ? QString() : folder.filePath("saved");
  window_->menuAction(menu)->trigger();
  if (readOnly) QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner);
  const QString reason = QString::fromLocal8Bit(std::strerror(readOnly ? EACCES : ENOENT));
  EXPECT_EQ(
      messages_.join("\n"),
      cancelled ? "" : QStringLiteral("ZelkScope: Cannot write \"%1\": %2.").arg(chosen_, reason));
  EXPECT_EQ(QDir(readOnly ? folder.path() : dir_.path()).entryList(QDir::Files | QDir::Hidden),
            QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    ExportWindow, WriteFailureTest,
    ::testing::Combine(::testing::Values("SaveGraphMenu", "ExportDataMenu"),
                       ::testing::Values("IntoMissingFolder", "IntoReadOnlyFolder", "Cancelled")),
    [](const auto& info) { return std::get<0>(info.param) + std::get<1>(info.param); });

// A picture of few colours goes out with a palette, one of many in 24-bit
// colour, one that can be seen through in 32-bit colour with its alpha;
// every one reads back pixel for pixel. The rows: the colours the picture
// holds, and the PNG colour type its header must name.
TEST(SavedPicture, ReadsBackPixelForPixel) {
  constexpr char kPalette = 3, kColour = 2, kColourAndAlpha = 6;
  const struct {
    QImage::Format format;
    int colours;
    char type;
  } pictures[] = {{QImage::Format_RGB32, 3, kPalette},
                  {QImage::Format_RGB32, 256, kPalette},
                  {QImage::Format_RGB32, 257, kColour},
                  {QImage::Format_RGB32, 5000, kColour},
                  {QImage::Format_ARGB32, 3, kColourAndAlpha},
                  {QImage::Format_ARGB32, 5000, kColourAndAlpha}};
  for (const auto& [format, colours, type] : pictures) {
    QImage picture(97, 31, format);
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x) {
        const QRgb colour = (x * 131 + y * 7919) % colours * 3361;
        // Alpha (where there is one) from clear at the left to opaque at the right.
        picture.setPixel(x, y, qRgba(qRed(colour), qGreen(colour), qBlue(colour), x * 255 / 96));
      }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(WritePng(picture, buffer)) << colours;
    EXPECT_EQ(png.mid(25, 1), QByteArray(1, type)) << colours;  // IHDR's colour type
    EXPECT_EQ(QImage::fromData(png).convertToFormat(format), picture) << colours;
  }
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_FALSE(WritePng(QImage(), buffer));
  EXPECT_TRUE(png.isEmpty());
}

}  // namespace
}  // namespace zelk::app
