// Channel 9: inlet manifold pressure on a scale labelled in psi, listed in
// whole psi and read off in psi, whether the log records kilopascals or psi.
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

// Psi for each unit stored: a "#time" log holds psi, the others kilopascals.
double PsiPerStored(const store::LogData& log) {
  return log.format == store::kShortTimeLog ? 1 : kPsiPerKilopascal;
}

}  // namespace

Axis AxisManifold(const store::LogData& log) {
  return {.bottom = 0, .step = 3, .perStored = PsiPerStored(log)};
}

void LoadManifold(const store::LogData& log, const ByteChoice&, Tables& tables) {
  FillSeries(tables, log, [&](long i) { return PressureOf(log, i); });
}

View DrawManifold(const store::LogData& log, const ByteChoice&, const Window& window,
                  const Tables& tables, chart::Canvas& canvas) {
  const double psiPer = PsiPerStored(log);
  View view = BeginDraw(canvas, "Inlet Manifold Pressure (MAP)(Pounds/sq inch)", kLabels,
                        AxisManifold(log));
  PlotListed(canvas, window, view, tables.data, "Raw Data - Manifold Absolute Pressure (MAP) - PSI",
             [&](std::string& out, long, double pressure) {
               out += TwoDigits(pressure * psiPer);
               out += ' ';
             });
  return view;
}

// The pressure read off in psi: as stored where the log holds psi, else
// converted to a hundredth (a kilopascal is 0.145 psi, so more digits would
// tell nothing the log holds). A stored pressure that is no number reads off
// as nothing.
std::string ReadOffManifold(const store::LogData& log, const Tables& tables, long i) {
  const auto pressure = text::ReadDecimal(tables.plot[0][i]);
  if (!pressure) return "";
  const double psiPer = PsiPerStored(log);
  if (psiPer == 1) return text::Plain(*pressure);
  return text::Plain(text::RoundHalfEven(*pressure * psiPer * 100) / 100);
}

}  // namespace zelk::channels
