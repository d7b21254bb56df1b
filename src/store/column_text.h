// The text a column log keeps of each field: a number in its plain form,
// anything else as written.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zelk::store {

// The stored text of a column-log field: a number is stored in its plain form
// ("00" and "0.0" become "0", "+5" "5", "1.5e3" "1500", "1E-06" "0.000001");
// anything else unchanged.
std::string ColumnText(std::string_view field);

// ColumnText's result where it can be told from the text alone, as a part of
// `field` (or a constant): a field that is no plain number, or one of at most
// 15 significant digits whose plain form only drops characters ("12.50" ->
// "12.5", "007" -> "7"). Nothing where the plain form needs characters the
// field lacks (".5" -> "0.5") or the general conversion (more digits, an
// exponent, a plus sign); the caller then uses ColumnText.
std::optional<std::string_view> ColumnTextInPlace(std::string_view field);

}  // namespace zelk::store
