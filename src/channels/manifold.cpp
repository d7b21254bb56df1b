// Channel 9: inlet manifold pressure, plotted in kilopascals on a scale
// labelled in psi, listed in whole psi and read off in psi.
#include "channels/channels.h"

namespace zelk::channels {
namespace {

constexpr Labels kLabels = {" 0psi", " 3psi", " 6psi", " 9psi", "12psi", "15psi", "18psi"};

// Byte 7 of the 0x80 frame in kilopascals (0 when it cannot be read), or the
// pressure column as stored: kilopascals in a "Time" log, psi in a "#time" log.
std::string PressureOf(const store::LogData& log, long i) {
  if (log.format != store::kFrameLog) return std::string(ColumnOf(log, i, 6, 5));
  return text::Plain(FrameByteValue(log.Frame80(i), 7).value_or(0));
}

// The pressure in kilopascals, as it is plotted; a text that is no number
// is kept, and plots at 0.
std::string KilopascalsOf(const store::LogData& log, const std::string& pressure) {
  if (log.format != store::kShortTimeLog) return pressure;
  const auto psi = text::ReadDecimal(pressure);
  return psi ? SampleText(*psi / kPsiPerKilopascal) : pressure;
}

}  // namespace

void LoadManifold(const store::LogData& log, const ByteChoice&, Tables& tables) {
  Fill(tables.data, log, [&](long i) { return PressureOf(log, i); });
  Fill(tables.plot[0], log, [&](long i) { return KilopascalsOf(log, tables.data[i]); });
}

View DrawManifold(const store::LogData&, const ByteChoice&, const Window& window, Tables& tables,
                  chart::Canvas& canvas) {
  View view = BeginDraw(canvas, "Inlet Manifold Pressure (MAP)(Pounds/sq inch)", kLabels, 30, 3900);
  PlotListed(canvas, window, view, tables.plot[0], "Raw Data - Manifold Absolute Pressure (MAP) - PSI",
             [&](std::string& out, long, double kilopascals) {
               out += TwoDigits(Unsigned(kilopascals * kPsiPerKilopascal));
               out += ' ';
             });
  return view;
}

// The pressure read off in psi; a stored pressure that is no number reads
// off as nothing.
std::string ReadOffManifold(const store::LogData&, const Tables& tables, long i) {
  const auto pressure = text::ReadDecimal(tables.plot[0][i]);
  return pressure ? text::Plain(*pressure * kPsiPerKilopascal) : "";
}

}  // namespace zelk::channels
