#include "dump.h"

#include <variant>

#include "json.h"

namespace zelk::driver {
namespace {

using form::Kind;

void Vars(Json& j, const form::UserPage& page) {
  const session::Session& session = page.session();
  const session::LoadedFile& file = session.file();
  const chart::TimeWindow& window = session.window();
  const form::GraphState& graph = page.graph();
  const store::LogData& log = session.log();
  j.Key("vars").BeginObject();
  j.Key("LogFormat").Number(static_cast<long long>(log.format));
  j.Key("SampleCount").Number(static_cast<long long>(log.sampleCount));
  j.Key("SamplesPerMinute").Number(static_cast<long long>(file.samplesPerMinute));
  j.Key("TripMins").Number(static_cast<long long>(file.tripMins));
  j.Key("FilePath").String(file.path);
  j.Key("FileName").String(file.name);
  j.Key("FileLoaded").Number(file.everLoaded ? 1LL : 0LL);
  j.Key("WinStartMins").Number(window.startMins);
  j.Key("WinEndMins").Number(window.endMins);
  j.Key("YStart").Number(static_cast<long long>(window.yStart));
  j.Key("YEnd").Number(static_cast<long long>(window.yEnd));
  j.Key("XStep").Raw(window.xStep.ToText());
  j.Key("CurrentChannel").Number(static_cast<long long>(graph.channel));
  j.Key("ValueScale").Number(graph.valueScale);
  j.Key("BaseLine").Number(static_cast<long long>(graph.baseLine));
  j.Key("StartY1").Number(graph.startY[0]);
  j.Key("StartY2").Number(graph.startY[1]);
  j.Key("StartY3").Number(graph.startY[2]);
  j.Key("MarkerPos").Number(session.marker().pos);
  j.Key("MarkerStep");
  if (const auto* step = std::get_if<int16_t>(&session.marker().step)) {
    j.Number(static_cast<long long>(*step));
  } else {
    j.String(std::get<std::string>(session.marker().step));
  }
  j.Key("AverageSum").Number(graph.averageSum);
  j.Key("STFTExcluded").Number(static_cast<long long>(graph.stftExcluded));
  j.EndObject();
}

bool IsList(Kind k) {
  return k == Kind::ComboBox || k == Kind::DriveList || k == Kind::FolderList ||
         k == Kind::FileList;
}

void Controls(Json& j, const form::UserPage& page) {
  j.Key("controls").BeginObject();
  for (const form::Control& c : page.controls().all()) {
    const form::ControlState& s = c.state;
    const Kind kind = c.spec.kind;
    j.Key(c.Key()).BeginObject();
    if (kind == Kind::Label || kind == Kind::Button || kind == Kind::Menu ||
        kind == Kind::MenuItem) {
      j.Key("caption").String(s.caption);
    }
    if (kind == Kind::TextBox || kind == Kind::ListingBox) j.Key("text").String(s.caption);
    j.Key("visible").Bool(s.visible);
    j.Key("left").Number(s.left);
    j.Key("top").Number(s.top);
    j.Key("width").Number(static_cast<long long>(s.width));
    j.Key("height").Number(static_cast<long long>(s.height));
    if (IsList(kind)) {
      j.Key("items").BeginArray();
      for (const std::string& item : s.items) j.String(item);
      j.EndArray();
      j.Key("index").Number(static_cast<long long>(s.index));
    }
    if (kind == Kind::MenuItem) j.Key("enabled").Bool(s.enabled);
    if (c.spec.checkable) j.Key("checked").Bool(s.checked);
    if (kind == Kind::Image && !s.toolTip.empty()) j.Key("tooltip").String(s.toolTip);
    if (kind == Kind::Button) j.Key("backcolour").Number(static_cast<long long>(s.backColour));
    if (kind == Kind::ScrollBar) j.Key("value").Number(static_cast<long long>(s.value));
    if (kind == Kind::DriveList) j.Key("drive").String(s.folder);
    if (kind == Kind::FolderList || kind == Kind::FileList) j.Key("folder").String(s.folder);
    j.EndObject();
  }
  j.EndObject();
}

// The Channels window's strips, from the top: empty while it is closed.
void Strips(Json& j, const form::UserPage& page) {
  j.Key("strips").BeginArray();
  for (const form::StripState& strip : page.channelsView().States()) {
    j.BeginObject().Key("channel").String(strip.channel);
    j.Key("first").Number(static_cast<long long>(strip.first));
    j.Key("last").Number(static_cast<long long>(strip.last));
    j.Key("marker");
    if (strip.marker) {
      j.Number(static_cast<long long>(*strip.marker));
    } else {
      j.Null();
    }
    j.Key("value").String(strip.value);
    j.Key("low").Number(strip.low).Key("high").Number(strip.high);
    j.Key("lines").Number(static_cast<long long>(strip.lines));
    // A second log's: "" and 0 without one.
    j.Key("value2").String(strip.secondValue);
    j.Key("lines2").Number(static_cast<long long>(strip.secondLines)).EndObject();
  }
  j.EndArray();
}

// The second log compared with the loaded one: null while there is none.
void Comparison(Json& j, const form::UserPage& page) {
  j.Key("compare");
  const std::optional<form::ComparisonState> state = page.comparison();
  if (!state) {
    j.Null();
    return;
  }
  const auto sampleOrNull = [&j](const std::optional<long>& sample) {
    if (sample) {
      j.Number(static_cast<long long>(*sample));
    } else {
      j.Null();
    }
  };
  j.BeginObject().Key("file").String(state->file).Key("offset").Number(state->offset);
  j.Key("sample");
  sampleOrNull(state->sample);
  j.Key("value").String(state->value);
  j.Key("lines").Number(static_cast<long long>(state->lines));
  j.Key("marker");
  sampleOrNull(state->marker);
  j.EndObject();
}

}  // namespace

std::string Dump(const form::UserPage& page, const chart::RecordingCanvas& canvas,
                 const std::vector<form::Message>& messages,
                 const std::vector<std::string>& started) {
  Json j;
  j.BeginObject();
  Vars(j, page);
  Controls(j, page);
  Strips(j, page);
  Comparison(j, page);
  j.Key("canvas").BeginArray();
  for (const chart::Line& line : canvas.lines()) {
    j.BeginArray().Number(line.x1).Number(line.y1).Number(line.x2).Number(line.y2);
    j.Number(static_cast<long long>(line.colour)).Number(static_cast<long long>(line.width));
    j.EndArray();
  }
  j.EndArray();
  j.Key("messages").BeginArray();
  for (const form::Message& m : messages) {
    j.BeginObject().Key("title").String(m.title).Key("text").String(m.text).EndObject();
  }
  j.EndArray();
  j.Key("started").BeginArray();
  for (const std::string& path : started) j.String(path);
  j.EndArray();
  j.EndObject();
  return j.str();
}

}  // namespace zelk::driver
