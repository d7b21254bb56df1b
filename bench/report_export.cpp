// The batch export's rows of the benchmark report.
#include <iterator>
#include <string>

#include "bench_logs.h"
#include "bench_support.h"
#include "report.h"

namespace zelk::bench {

void ReportExport(Table& table, const FindFigure& find) {
  const std::string frames = KindName(LogKind::Frames);
  // A batch export of every channel, wall clock, per channel: the window's
  // files beside plain writes of the same bytes, then the shares of the PNG
  // encoding and of the core (decode, draw, table text) in the whole.
  const double channels = static_cast<double>(std::size(kChannelButtons));
  const std::string perChannel =
      " per channel (wall clock), every channel of the " + std::string(KindTitle(LogKind::Frames));
  const Figure* exported = find("BM_ExportWindow/" + frames);
  const Figure* plain = find("BM_ExportPlainWrites/" + frames);
  const std::string exportWhat = "Export (graph PNG and table CSV written)," + perChannel;
  if (exported && plain) {
    table.Measured(exportWhat, Ms(exported->ms / channels),
                   Ms(plain->ms / channels) + " writing the same bytes plainly",
                   exported->ms / plain->ms);
  } else {
    table.Missing(exportWhat);
  }
  const struct {
    std::string name, what;
  } exportShares[] = {
      {"BM_ExportPngEncode/" + frames + "/chosen",
       "Export, PNG encoding of the graph, per channel (processor time), every channel of the " +
           std::string(KindTitle(LogKind::Frames))},
      {"BM_ExportCore/" + frames,
       "Export, the core's share (decode, draw, table text)," + perChannel},
  };
  for (const auto& share : exportShares) {
    const Figure* measured = find(share.name);
    if (measured && exported) {
      table.Measured(share.what, Ms(measured->ms / channels),
                     Ms(exported->ms / channels) + " the whole export",
                     measured->ms / exported->ms);
    } else {
      table.Missing(share.what);
    }
  }
  // The PNG encoding of the same ten graphs, processor time and size per
  // graph: the program's settings against Qt's default, then the settings
  // around its choice.
  const std::string png = "BM_ExportPngEncode/" + frames + "/";
  const Figure* qtPng = find(png + "qt_default");
  const auto timeAndSize = [&](const Figure& f) {
    return Ms(f.ms / channels) + ", " + Fixed(f.counters.at("kB"), 1) + " kB";
  };
  const auto hasSize = [](const Figure* f) { return f && f->counters.count("kB"); };
  const std::string ofGraphs =
      ", per graph, every channel of the " + std::string(KindTitle(LogKind::Frames));
  if (const Figure* chosen = find(png + "chosen"); hasSize(chosen) && hasSize(qtPng)) {
    const double time = chosen->ms / qtPng->ms;
    const double size = chosen->counters.at("kB") / qtPng->counters.at("kB");
    table.Row(
        "PNG encoding time, the program's settings (8-bit palette, else 24-bit colour; zlib level "
        "1)" +
            ofGraphs,
        Ms(chosen->ms / channels), Ms(qtPng->ms / channels) + " Qt's default PNG", time, "≤ 0.5×",
        time <= 0.5);
    table.Row("PNG size, the program's settings (8-bit palette, else 24-bit colour; zlib level 1)" +
                  ofGraphs,
              Fixed(chosen->counters.at("kB"), 1) + " kB",
              Fixed(qtPng->counters.at("kB"), 1) + " kB Qt's default PNG", size, "≤ 1.25×",
              size <= 1.25);
  } else {
    table.Missing("PNG encoding, the program's settings against Qt's default" + ofGraphs);
  }
  const struct {
    const char *label, *what;
  } pngSettings[] = {{"rgb_level1", "24-bit colour always, zlib level 1"},
                     {"palette_level0", "8-bit palette where it fits, stored (level 0)"},
                     {"palette_level2", "8-bit palette where it fits, zlib level 2"},
                     {"palette_level6", "8-bit palette where it fits, zlib level 6"},
                     {"palette_level9", "8-bit palette where it fits, zlib level 9"}};
  for (const auto& setting : pngSettings) {
    const std::string what =
        std::string("PNG encoding, ") + setting.what + ": time, size" + ofGraphs;
    const Figure* f = find(png + setting.label);
    if (hasSize(f) && hasSize(qtPng)) {
      table.Measured(what, timeAndSize(*f), timeAndSize(*qtPng) + " Qt's default PNG",
                     f->ms / qtPng->ms);
    } else {
      table.Missing(what);
    }
  }
  // The program's PNG writer (libpng) against the hand-written writer it
  // replaced, both in this run: the same graphs' encoding, time and size,
  // and the whole export with each. Neither may cost a tenth more.
  constexpr double kPreviousPngTarget = 1.10;
  const std::string previousTarget = "≤ " + Fixed(kPreviousPngTarget, 2) + "×";
  const Figure* previousPng = find(png + "previous");
  if (const Figure* chosen = find(png + "chosen"); hasSize(chosen) && hasSize(previousPng)) {
    const std::string settings = " (8-bit palette, else 24-bit colour; zlib level 1)" + ofGraphs;
    table.Measured("PNG encoding time, libpng against the earlier hand-written writer" + settings,
                   Ms(chosen->ms / channels),
                   Ms(previousPng->ms / channels) + " the earlier writer",
                   chosen->ms / previousPng->ms);
    const double size = chosen->counters.at("kB") / previousPng->counters.at("kB");
    table.Row("PNG size, libpng against the earlier hand-written writer" + settings,
              Fixed(chosen->counters.at("kB"), 1) + " kB",
              Fixed(previousPng->counters.at("kB"), 1) + " kB the earlier writer", size,
              previousTarget, size <= kPreviousPngTarget);
  } else {
    table.Missing("PNG encoding, libpng against the earlier hand-written writer" + ofGraphs);
  }
  const std::string rgbWhat =
      "PNG encoding in 24-bit colour always, zlib level 1, libpng against the earlier "
      "hand-written writer: time, size" +
      ofGraphs;
  if (const Figure *rgb = find(png + "rgb_level1"), *previousRgb = find(png + "previous_rgb_level1");
      hasSize(rgb) && hasSize(previousRgb)) {
    table.Measured(rgbWhat, timeAndSize(*rgb), timeAndSize(*previousRgb) + " the earlier writer",
                   rgb->ms / previousRgb->ms);
  } else {
    table.Missing(rgbWhat);
  }
  const std::string previousExportWhat =
      "Export (graph PNG and table CSV written) with libpng," + perChannel;
  if (const Figure* previousExport = find("BM_ExportWindowPreviousPng/" + frames);
      exported && previousExport) {
    const double ratio = exported->ms / previousExport->ms;
    table.Row(previousExportWhat, Ms(exported->ms / channels),
              Ms(previousExport->ms / channels) + " with the earlier hand-written PNG writer",
              ratio, previousTarget, ratio <= kPreviousPngTarget);
  } else {
    table.Missing(previousExportWhat);
  }
  // The program's export of 30 logs as a new process, wall clock: one job
  // for each core against --jobs 1, both in this run.
  const int cores = ExportJobsCores();
  const Figure* serial = find("BM_ExportJobs/1");
  const Figure* shared = find("BM_ExportJobs/" + std::to_string(cores));
  const std::string jobsWhat = "Export of 30 logs (the sample logs ten times, 600 files), --jobs " +
                               std::to_string(cores) + " (wall clock, new process)";
  if (serial && shared && cores > 1) {
    // Nine tenths of a linear speed-up.
    const double target = 1 / (0.9 * cores);
    const double ratio = shared->ms / serial->ms;
    table.Row(jobsWhat, Ms(shared->ms), Ms(serial->ms) + " with --jobs 1", ratio,
              "≤ " + Fixed(target, 2) + "× (" + Fixed(0.9 * cores, 1) + "× quicker)",
              ratio <= target);
    if (shared->counters.count("cpu_ms") && serial->counters.count("cpu_ms")) {
      const double work = shared->counters.at("cpu_ms"), serialWork = serial->counters.at("cpu_ms");
      table.Measured(
          "The same export's processor time, all its processes, --jobs " + std::to_string(cores),
          Ms(work), Ms(serialWork) + " with --jobs 1", work / serialWork);
    }
  } else {
    table.Missing(jobsWhat);
  }
}

}  // namespace zelk::bench
