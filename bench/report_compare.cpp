// The comparison's rows of the benchmark report.
#include <string>

#include "bench_logs.h"
#include "report.h"

namespace zelk::bench {

void ReportCompare(Table& table, const FindFigure& find) {
  constexpr double kStepTargetMs = 8;
  const struct {
    const char *name, *what, *reference;
    double targetMs;
    const char* target;
  } rows[] = {
      {"BM_CompareOpen/",
       "Comparison opened until the graph with both logs is painted (design size)",
       "the same second log opened as the main log and painted", kFrameMs, "< 1 frame"},
      {"BM_CompareMarkerStep/", "Marker step with both logs in the main window (3840×2160)",
       "the same step with the first log alone", kStepTargetMs, "< 8 ms"},
      {"BM_CompareStripsMarkerStep/",
       "Marker step with both logs in the Channels window, ten strips (3840×2160)",
       "the same step with the first log alone", kStepTargetMs, "< 8 ms"},
  };
  for (const auto& row : rows) {
    for (LogKind kind : kLogKinds) {
      const std::string what = std::string(row.what) + ": " + KindTitle(kind);
      const Figure* figure = find(row.name + std::string(KindName(kind)));
      const Figure* reference =
          find(std::string(row.name).insert(std::string(row.name).size() - 1, "Reference") +
               KindName(kind));
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
