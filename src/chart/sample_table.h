// A channel's decoded values, one text per sample, indexes 0 to 10000. Reads
// outside the table give the empty text; writes outside it are dropped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zelk::chart {

inline constexpr long kSampleTableLast = 10000;

class SampleTable {
 public:
  SampleTable() : texts_(kSampleTableLast + 1) {}
  const std::string& operator[](long i) const {
    static const std::string empty;
    return (i < 0 || i > kSampleTableLast) ? empty : texts_[i];
  }
  void Set(long i, std::string text) {
    if (i < 0 || i > kSampleTableLast) return;
    texts_[i] = std::move(text);
    if (i > highest_) highest_ = i;
  }
  // Empties every entry from `first` on, so that a decode leaves nothing of
  // an earlier log or an earlier decode behind it.
  void ClearFrom(long first) {
    if (first < 0) first = 0;
    for (long i = first; i <= highest_; ++i) texts_[i].clear();
    if (highest_ >= first) highest_ = first - 1;
  }

 private:
  std::vector<std::string> texts_;
  long highest_ = -1;
};

}  // namespace zelk::chart
