// A channel's decoded values, one text per sample, indexes 0 to 10000. Reads
// outside the table give the empty text; writes outside it are dropped.
// Each text's number is read once, when it is set: a graph is drawn from
// the numbers many times over.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/number_text.h"

namespace zelk::chart {

inline constexpr long kSampleTableLast = 10000;

class SampleTable {
 public:
  SampleTable() : texts_(kSampleTableLast + 1), values_(kSampleTableLast + 1, Blank()) {}
  const std::string& operator[](long i) const {
    static const std::string empty;
    return (i < 0 || i > kSampleTableLast) ? empty : texts_[i];
  }
  // The number sample i's text begins with (text::LeadingNumber).
  double Value(long i) const { return (i < 0 || i > kSampleTableLast) ? Blank() : values_[i]; }
  void Set(long i, std::string text) {
    if (i < 0 || i > kSampleTableLast) return;
    values_[i] = text::LeadingNumber(text);
    texts_[i] = std::move(text);
    if (i > highest_) highest_ = i;
  }
  // Empties every entry from `first` on, so that a decode leaves nothing of
  // an earlier log or an earlier decode behind it.
  void ClearFrom(long first) {
    if (first < 0) first = 0;
    for (long i = first; i <= highest_; ++i) {
      texts_[i].clear();
      values_[i] = Blank();
    }
    if (highest_ >= first) highest_ = first - 1;
  }

 private:
  static double Blank() { return text::LeadingNumber(""); }

  std::vector<std::string> texts_;
  std::vector<double> values_;
  long highest_ = -1;
};

}  // namespace zelk::chart
