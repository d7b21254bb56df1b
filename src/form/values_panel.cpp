// The "Values at Marker" panel: every channel's quantities at the marked
// sample, opened and closed from the View menu.
#include "form/user_page.h"

namespace zelk::form {

void UserPage::ValuesMenu_Click() {
  bool& shown = controls_(ctl::ValuesMenu).state.checked;
  shown = !shown;
}

ValuesView UserPage::ValuesAtMarker() {
  ValuesView view;
  view.shown = controls_(ctl::ValuesMenu).state.checked;
  if (!view.shown) return view;
  if (!vars_.file.everLoaded) {
    view.heading = "No log loaded";
    return view;
  }
  // The marked sample is the one the marker panel names, while it is shown.
  const std::optional<double> marked =
      controls_(ctl::DataPointText).state.visible
          ? text::ReadDecimal(controls_(ctl::DataPointText).state.caption)
          : std::nullopt;
  if (!marked) {
    view.heading = "No sample marked: press the Right Arrow key or click the graph";
    return view;
  }
  const long i = static_cast<long>(*marked);
  view.heading = "Sample " + text::Plain(i) + " at " + controls_(ctl::MarkerTimeText).state.caption;
  // A column log's row also records its own time.
  const std::string_view logged = log_.RowTime(i);
  if (!logged.empty()) view.heading += " (logged " + std::string(logged) + ")";
  decoded_.Update(log_, logId_, UserByteChoice());
  view.rows = decoded_.At(log_, i);
  return view;
}

}  // namespace zelk::form
