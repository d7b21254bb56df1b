#include "form/selectors.h"

#include "status/bit_pattern.h"
#include "store/log_kinds.h"
#include "text/number_text.h"

namespace zelk::form {
namespace {

// The byte list's caption and where it and its caption stand: a frame log's
// bytes are listed below the page list, a column log's fields higher up, in
// the page list's place.
struct ByteListPlace {
  const char* caption;
  int captionTop, listTop;
};
constexpr ByteListPlace kFrameByteList{"Byte", 4300, 4560};
constexpr ByteListPlace kColumnByteList{"Byte/Field", 3700, 4000};

}  // namespace

void Selectors::ShowLog() {
  const store::LogData& log = session_.log();
  const store::LogKind& kind = store::KindOf(log.format);
  const ByteListPlace& place = kind.frames ? kFrameByteList : kColumnByteList;
  Control& byteCaption = controls_(ctl::LabelInfo, 4);
  Control& byteList = controls_(ctl::UserByteSelect);
  byteCaption.state.top = place.captionTop;
  byteCaption.state.caption = place.caption;
  byteList.state.top = place.listTop;

  Control& pageList = controls_(ctl::UserPageSelect);
  pageList.state.items = {"0x80 Status Page", "0x7D Status Page"};
  pageList.state.index = session_.byte().page;
  FillByteSelector(false);
  byteList.state.index = session_.byte().byte;
  controls_(ctl::LTFTValue).state.visible = false;
  controls_(ctl::LabelInfo, 21).state.visible = false;
  // Only frame logs carry the long-term trim.
  if (kind.frames) SetTrimReadout();
}

void Selectors::Show(bool shown) {
  controls_(ctl::LabelInfo, 3).state.visible = shown;
  controls_(ctl::LabelInfo, 4).state.visible = shown;
  controls_(ctl::UserByteSelect).state.visible = shown;
  const bool pageShown = shown && session_.log().format == store::kFrameLog;
  controls_(ctl::UserPageSelect).state.visible = pageShown;
  controls_(ctl::LabelInfo, 6).state.visible = pageShown;
}

void Selectors::UserPageSelect_Click() {
  if (session_.log().format != store::kFrameLog) return;
  FillByteSelector(true);
  controls_(ctl::UserByteSelect).state.index = 0;
  UserByteSelect_Click();
}

void Selectors::UserByteSelect_Click() {
  session_.ChooseByte(controls_(ctl::UserPageSelect).state.index,
                      controls_(ctl::UserByteSelect).state.index);
}

// The byte list for the kind of log loaded.
void Selectors::FillByteSelector(bool evenGaps) {
  const store::LogData& log = session_.log();
  Control& byteList = controls_(ctl::UserByteSelect);
  byteList.state.items.clear();
  byteList.state.index = -1;
  const store::LogKind& kind = store::KindOf(log.format);
  const int page = controls_(ctl::UserPageSelect).state.index == 1 ? 1 : 0;
  for (int k = 0; k < kind.listed[page]; ++k) {
    const std::string& name = session_.tables().EntryName(log.format, page, k);
    if (kind.frames) {
      // A byte by its number in hexadecimal, a column by its own from 1.
      std::string entry = text::HexText(k);
      entry += (k < 16 || evenGaps) ? "  " : " ";
      byteList.state.items.push_back(entry + name);
    } else {
      byteList.state.items.push_back(" " + std::to_string(k + 1) + " " + name);
    }
  }
}

// The long-term fuel trim: byte 11 of the 50th 0x7D frame, or of the 2nd in
// a short log. A log without that frame, or with no hexadecimal byte there,
// shows an empty readout.
void Selectors::SetTrimReadout() {
  const store::LogData& log = session_.log();
  const std::string_view frame = log.Frame7D(log.sampleCount > 50 ? 50 : 2);
  const auto value = text::HexStrict(store::FrameByte(frame, 11));
  controls_(ctl::LTFTValue).state.caption = value ? std::to_string(*value) : "";
  controls_(ctl::LTFTValue).state.visible = true;
  controls_(ctl::LabelInfo, 21).state.visible = true;
}

void Selectors::ShowBits(std::string_view byteText) {
  const std::array<bool, 8> set = status::BitPattern(byteText);
  for (int k = 0; k < 8; ++k) {
    controls_(ctl::Bit, k).state.visible = set[k];
    controls_(ctl::BitClear, k).state.visible = !set[k];
  }
}

void Selectors::HideBits() {
  controls_(ctl::BitSurround).state.visible = false;
  controls_(ctl::BitLabel).state.visible = false;
  for (int k = 0; k <= 7; ++k) {
    controls_(ctl::Bit, k).state.visible = false;
    controls_(ctl::BitClear, k).state.visible = false;
  }
}

}  // namespace zelk::form
