#include "store/log_alignment.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "text/number_text.h"
#include "text/significant.h"

namespace zelk::store {
namespace {

static_assert(
    [] {
      for (const LogKind& kind : kLogKinds) {
        if (kind.samplesPerMinute <= 0 || 60 * kTicksPerSecond % kind.samplesPerMinute != 0) {
          return false;
        }
      }
      return true;
    }(),
    "every kind of log's sample spacing is a whole number of ticks");

// Quotient rounded down, for either sign of the dividend; the divisor is
// positive.
__int128 FloorDiv(__int128 a, __int128 b) {
  const __int128 q = a / b;
  return (a % b != 0 && a < 0) ? q - 1 : q;
}

Ticks Held(__int128 t, Ticks limit) {
  return static_cast<Ticks>(std::clamp<__int128>(t, -limit, limit));
}

// The largest offset a user could type, before it is measured against the
// limit: far beyond any log, well within what ticks hold.
constexpr double kFarSeconds = 1e12;

// A double's seconds as ticks, exact on its 15 significant digits, a part
// below a tick rounded half away from zero. |seconds| <= kFarSeconds.
__int128 TicksOf(double seconds) {
  const text::Sig15 sig = text::Decompose(seconds);
  __int128 whole = 0;
  for (int k = 0; k < sig.count; ++k) whole = whole * 10 + (sig.digits[k] - '0');
  __int128 ticks = whole * kTicksPerSecond;
  // The last digit is worth 10^(exp - count + 1) seconds.
  const int exponent = sig.exp - sig.count + 1;
  if (exponent >= 0) {
    for (int k = 0; k < exponent; ++k) ticks *= 10;
  } else if (exponent < -27) {
    // Less than half a tick, as the ticks of 15 digits stay below 10^26.
    ticks = 0;
  } else {
    __int128 divisor = 1;
    for (int k = 0; k < -exponent; ++k) divisor *= 10;
    ticks = (ticks + divisor / 2) / divisor;
  }
  return sig.negative ? -ticks : ticks;
}

// A typed text as a message quotes it: at most 32 characters of it.
std::string Quoted(std::string_view typed) {
  constexpr size_t kShown = 32;
  std::string shown(typed.substr(0, kShown));
  if (typed.size() > kShown) {
    // Not through the middle of a character's bytes.
    while (!shown.empty() && (static_cast<unsigned char>(typed[shown.size()]) & 0xC0) == 0x80) {
      shown.pop_back();
    }
    shown += "...";
  }
  return '"' + shown + '"';
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

Ticks LogAlignment::Limit() const {
  return std::max(first_.Length(), second_.Length()) + kOffsetMargin;
}

void LogAlignment::SetOffset(Ticks offset) { offset_ = Held(offset, Limit()); }

void LogAlignment::MoveBySamples(long firstSamples) {
  offset_ = Held(offset_ + static_cast<__int128>(firstSamples) * first_.Spacing(), Limit());
}

void LogAlignment::AlignAt(long firstSample, long secondSample) {
  SetOffset(first_.TimeOf(firstSample) - second_.TimeOf(secondSample));
}

double LogAlignment::SecondAsFirstSample(long j) const {
  const Ticks spacing = first_.Spacing();
  const Ticks t = SecondTime(j);
  const auto whole = static_cast<Ticks>(FloorDiv(t, spacing));
  return 1 + static_cast<double>(whole) +
         static_cast<double>(t - whole * spacing) / static_cast<double>(spacing);
}

std::optional<long> LogAlignment::SecondNearest(Ticks time) const {
  if (second_.lastSample < 1) return std::nullopt;
  const __int128 spacing = second_.Spacing();
  // The time from the second log's own first sample.
  const __int128 own = static_cast<__int128>(time) - offset_;
  if (2 * own < -spacing || 2 * (own - second_.TimeOf(second_.lastSample)) > spacing) {
    return std::nullopt;
  }
  __int128 before = FloorDiv(own, spacing);
  if (2 * (own - before * spacing) > spacing) ++before;
  return static_cast<long>(std::clamp<__int128>(before + 1, 1, second_.lastSample));
}

long LogAlignment::SecondAtOrBefore(Ticks time) const {
  const __int128 own = static_cast<__int128>(time) - offset_;
  const __int128 j = FloorDiv(own, second_.Spacing()) + 1;
  return static_cast<long>(std::clamp<__int128>(j, 1, std::max(second_.lastSample, 1L)));
}

long LogAlignment::SecondAtOrAfter(Ticks time) const {
  const __int128 own = static_cast<__int128>(time) - offset_;
  const __int128 j = -FloorDiv(-own, second_.Spacing()) + 1;
  return static_cast<long>(std::clamp<__int128>(j, 1, std::max(second_.lastSample, 1L)));
}

OffsetReading ReadOffset(std::string_view typed, const LogAlignment& alignment) {
  std::string_view number = Trimmed(typed);
  // The unit the window shows may be typed with the number.
  if (number.ends_with('s')) number = Trimmed(number.substr(0, number.size() - 1));
  const std::optional<double> seconds = text::ReadDecimal(number);
  if (!seconds) {
    return {std::nullopt,
            Quoted(Trimmed(typed)) + " is not a number of seconds, such as 12.4 or -3."};
  }
  const Ticks limit = alignment.Limit();
  const std::string beyond = "An offset of " + Quoted(Trimmed(typed)) + " lies beyond ±" +
                             text::FormatFixed(SecondsOf(limit), 1) +
                             " s, the longer log's length and a day.";
  if (!(std::abs(*seconds) <= kFarSeconds)) return {std::nullopt, beyond};
  const __int128 offset = TicksOf(*seconds);
  if (offset > limit || offset < -limit) return {std::nullopt, beyond};
  return {static_cast<Ticks>(offset), {}};
}

std::string OffsetCaption(std::string_view path, Ticks offset) {
  std::string name = std::filesystem::path(path).filename().string();
  if (name.empty()) name = std::string(path);
  std::string seconds = text::FormatFixed(SecondsOf(offset), 1);
  if (!seconds.starts_with('-')) seconds.insert(0, 1, '+');
  return (name.empty() ? "" : name + ' ') + seconds + " s";
}

}  // namespace zelk::store
