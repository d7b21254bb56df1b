// The comparison's rows of the benchmark report.
#include <string>

#include "bench_logs.h"
#include "report.h"

namespace zelk::bench {

void ReportCompare(Table& table, const FindFigure& find) {
  constexpr double kStepTargetMs = 8;
  FigureRows(table, find,
             {{"BM_CompareOpen/",
               "Comparison opened until the graph with both logs is painted (design size)",
               "the same second log opened as the main log and painted", kFrameMs, "< 1 frame"},
              {"BM_CompareMarkerStep/",
               "Marker step with both logs in the main window (3840×2160)",
               "the same step with the first log alone", kStepTargetMs, "< 8 ms"},
              {"BM_CompareStripsMarkerStep/",
               "Marker step with both logs in the Channels window, ten strips (3840×2160)",
               "the same step with the first log alone", kStepTargetMs, "< 8 ms"}},
             ": ");
}

}  // namespace zelk::bench
