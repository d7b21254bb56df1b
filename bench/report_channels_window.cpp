// The Channels window's rows of the benchmark report.
#include <string>

#include "bench_logs.h"
#include "report.h"

namespace zelk::bench {

void ReportChannelsWindow(Table& table, const FindFigure& find) {
  constexpr double kStepTargetMs = 8;
  constexpr double kAddedTargetMB = 32;
  const std::string over = " (3840×2160, all ten strips, Full Trip): ";
  FigureRows(
      table, find,
      {{"BM_ChannelsWindowOpen/", "Channels window opened from its menu item to its painted strips",
        "the main window drawing and painting its ten channels in turn from their buttons",
        kFrameMs, "< 1 frame"},
       {"BM_ChannelsWindowMarkerStep/",
        "Marker step (Right/Left key-up in the stack) until both windows have painted it",
        "the main window's own marker step and repaint without the Channels window",
        kStepTargetMs, "< 8 ms"},
       {"BM_ChannelsWindowWheelZoom/",
        "Wheel zoom over the stack until both windows have painted it",
        "the main window's own wheel zoom and repaint without the Channels window", kFrameMs,
        "< 1 frame"}},
      over);
  for (LogKind kind : kLogKinds) {
    const std::string what =
        "Resident memory the open Channels window adds (new process)" + over + KindTitle(kind);
    const Figure* memory = find("BM_ChannelsWindowMemory/" + std::string(KindName(kind)));
    if (!memory || !memory->counters.count("MB") || !memory->counters.count("withoutMB")) {
      table.Missing(what);
      continue;
    }
    const double added = memory->counters.at("MB"), without = memory->counters.at("withoutMB");
    table.Row(what, "+" + Fixed(added, 1) + " MB",
              Fixed(without, 1) + " MB the program without it (main window at 3840×2160)",
              added / without, "≤ +" + Fixed(kAddedTargetMB, 0) + " MB", added <= kAddedTargetMB);
  }
}

void FigureRows(Table& table, const FindFigure& find, const std::vector<FigureRow>& rows,
                const std::string& between) {
  for (const FigureRow& row : rows) {
    const std::string name = row.name;  // "BM_X/"
    const std::string referenceName = name.substr(0, name.size() - 1) + "Reference/";
    for (LogKind kind : kLogKinds) {
      const std::string what = row.what + between + KindTitle(kind);
      const Figure* figure = find(name + KindName(kind));
      const Figure* reference = find(referenceName + KindName(kind));
      if (!figure || !reference) {
        table.Missing(what);
        continue;
      }
      table.Row(what, Ms(figure->ms), Ms(reference->ms) + " " + row.reference,
                figure->ms / reference->ms, row.target, figure->ms < row.targetMs);
    }
  }
}

}  // namespace zelk::bench
