// A second log compared in the window: dropped with Ctrl held, its paler
// lines painted where the page drew them, moved by Ctrl and the arrows, its
// marker by Shift and the arrows, lined up at the markers, its offset typed;
// its columns in Values at Marker; a plain drop ends it.
#include <QHeaderView>
#include <QMimeData>
#include <QTreeWidget>
#include <QUrl>

#include "app/values_window.h"
#include "chart/plot.h"
#include "store/log_alignment.h"
#include "window_fixture.h"

namespace zelk::app {
namespace {

class CompareWindowTest : public WindowTest {
 protected:
  void Drop(const QString& path, Qt::KeyboardModifiers held) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, held);
    QApplication::sendEvent(window_.get(), &enter);
    QDropEvent drop(enter.position(), Qt::CopyAction, &data, Qt::LeftButton, held);
    QApplication::sendEvent(window_.get(), &drop);
  }
  std::string Legend() {
    const auto* label = qobject_cast<QLabel*>(Widget("CompareLabel"));
    return label->isVisible() ? label->text().toStdString() : "";
  }
  // The legend for an offset of `samples` of the first log's spacing.
  std::string LegendAt(long samples) {
    const auto timing = store::LogTiming::Of(window_->page().session().log());
    return store::OffsetCaption("later.txt", samples * timing.Spacing());
  }
  void Press(Qt::Key key, Qt::KeyboardModifiers held) { QTest::keyClick(FocusTarget(), key, held); }
};

TEST_F(CompareWindowTest, ASecondLogDroppedWithCtrlIsDrawnPalerAndLinedUpByKeysAndMenus) {
  // Fifty samples of 60 °C coolant against the first log's 85 °C.
  std::map<int, std::string> bytes{{1, "03"}, {2, "20"}, {3, "70"}, {5, "55"}, {6, "4B"}};
  const QString later = Write("logs/later.txt", testlogs::FrameLogOf(
                                                    std::vector<std::string>(
                                                        50, testlogs::Frame80With(bytes)),
                                                    {}));
  Drop(later, Qt::ControlModifier);
  EXPECT_EQ(Legend(), "later.txt +0.0 s");
  EXPECT_EQ(window_->page().session().file().name, "drive.txt");
  // Its coolant crosses the graph in the paler black where the page drew it.
  const uint32_t paler = chart::Paler(chart::kBlack);
  const auto at = Crossing(window_->drawnLines(), paler, QLineF(3000, 0, 3000, 4455));
  ASSERT_TRUE(at);
  EXPECT_EQ(window_->GraphImage().pixelColor((*at / 15).toPoint()).name().toStdString(),
            Rgb(paler));
  // Ctrl with the arrows moves it by the marker's step; Shift places its own
  // marker at the first marker's time (its first sample), then steps it.
  Press(Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(Legend(), LegendAt(10));
  Press(Qt::Key_Right, Qt::ShiftModifier);
  Press(Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(window_->page().comparison()->marker, 11);
  EXPECT_EQ(Marked(), "11");
  // Lined up at the markers: its sample 11 where the first log's 11 stands.
  window_->menuAction("AlignMenu")->trigger();
  EXPECT_EQ(Legend(), LegendAt(0));
  // A typed offset, then one that is no number: refused with a message.
  typedOffset_ = "12.4";
  window_->menuAction("OffsetMenu")->trigger();
  EXPECT_EQ(Legend(), "later.txt +12.4 s");
  typedOffset_ = "soon";
  window_->menuAction("OffsetMenu")->trigger();
  EXPECT_EQ(Legend(), "later.txt +12.4 s");
  EXPECT_EQ(messages_.size(), 1);
  // Values at Marker gains the second log's value and the difference.
  window_->menuAction("ValuesMenu")->trigger();
  QTreeWidget& values = *window_->valuesWindow()->list();
  ASSERT_EQ(values.columnCount(), 5);
  EXPECT_EQ(values.headerItem()->text(3), "Second log");
  EXPECT_EQ(values.headerItem()->text(4), "Difference");
  // A drop without Ctrl opens the file as the main log and ends the comparison.
  Drop(later, Qt::NoModifier);
  EXPECT_EQ(Legend(), "");
  EXPECT_EQ(window_->page().session().file().name, "later.txt");
  EXPECT_EQ(values.columnCount(), 3);
}

}  // namespace
}  // namespace zelk::app
