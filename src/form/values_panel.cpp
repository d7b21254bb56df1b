#include "form/values_panel.h"

#include "store/log_kinds.h"
#include "text/number_text.h"

namespace zelk::form {

std::string SecondText(const channels::ComparedValue& value) {
  if (value.secondUnit.empty() || value.secondUnit == value.unit) return value.second;
  return value.second + ' ' + value.secondUnit;
}

void ValuesPanel::ValuesMenu_Click() {
  bool& shown = controls_(ctl::ValuesMenu).state.checked;
  shown = !shown;
}

ValuesView ValuesPanel::View() {
  ValuesView view;
  view.shown = controls_(ctl::ValuesMenu).state.checked;
  if (!view.shown) return view;
  if (!session_.file().everLoaded) {
    view.heading = "No log loaded";
    return view;
  }
  if (!session_.marker().shown) {
    view.heading = "No sample marked: press the Right Arrow key or click the graph";
    return view;
  }
  const long i = session_.MarkedSample();
  view.heading = "Sample " + text::Plain(i) + " at " +
                 text::ClockText(store::MinutesOf(i, session_.file().samplesPerMinute));
  // A column log's row also records its own time.
  const std::string_view logged = session_.log().RowTime(i);
  if (!logged.empty()) view.heading += " (logged " + std::string(logged) + ")";
  view.rows = session_.ValuesAt(i);
  if (const std::optional<channels::SecondLog> second = session_.SecondLog()) {
    const session::Comparison& comparison = *session_.comparison();
    channels::ComparedSample compared =
        channels::CompareAtMarker(session_.log(), session_.Decoding(), i, *second);
    view.secondHeading =
        store::OffsetCaption(comparison.name, comparison.alignment.offset()) +
        (compared.secondSample
             ? ": sample " + text::Plain(*compared.secondSample) + " at " + compared.secondTime
             : ": no sample at this time");
    view.compared = std::move(compared.values);
  }
  return view;
}

}  // namespace zelk::form
