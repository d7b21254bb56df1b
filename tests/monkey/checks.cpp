#include "checks.h"

#include <QtTest>
#include <QtWidgets>
#include <algorithm>

#include "app/colours.h"
#include "app/listing_box.h"
#include "app/values_window.h"
#include "log_text.h"

namespace zelk::app {
namespace {

using form::Kind;

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

// The sample logs beside the fuzz targets' seed logs (bad files among them),
// a frame log longer than the program's tables (the sample's frames six times
// over), names with blanks and letters beyond ASCII, logs in subfolders and a
// folder whose name looks like a log.
void MakeProgramFolder(const std::filesystem::path& root) {
  const std::filesystem::path logs = root / "logs", samples = ZELK_SAMPLE_LOGS;
  std::filesystem::create_directories(root / "saves");
  for (const char* from : {ZELK_SAMPLE_LOGS, ZELK_FUZZ_SEEDS}) std::filesystem::copy(from, logs);
  const std::string frames = testlogs::ReadFile(samples / "drive_frames.txt");
  std::string longer = frames;
  for (int copy = 1; copy < 6; ++copy) longer += frames.substr(frames.find("\n80") + 1);
  const std::pair<const char*, std::string> files[] = {
      {"long_drive.txt", longer},
      {"drive copy ä ö.txt", testlogs::ReadFile(samples / "drive_quillon.txt")},
      {"folder.txt/inside.txt", testlogs::ReadFile(samples / "drive_time.txt")},
      {"Ältere Logs/alt.TXT", frames}};
  for (const auto& [name, text] : files) testlogs::WriteFile(logs / name, text);
}

// What a control's menu item or widget shows beside what its state says:
// whether it is shown, its place, text, items, selection, value, and its colour
// where the program gives one; empty when they agree. With `folderRowMoved`
// the folder list's highlight may stand elsewhere: the user moved it without
// entering that folder.
static std::string Mismatch(MainWindow& window, const form::Control& c, bool folderRowMoved) {
  const form::ControlState& s = c.state;
  QString caption = Text(s.caption);
  QVariantList shown, state;
  const auto add = [&](const QVariant& widgetShows, const QVariant& stateSays) {
    shown << widgetShows;
    state << stateSays;
  };
  // The rows a list or a combo box shows, against the items of the state.
  const auto rows = [&](const QAbstractItemModel* model) {
    add(model->rowCount(), static_cast<int>(s.items.size()));
    for (int i = 0; i < model->rowCount() && i < static_cast<int>(s.items.size()); ++i)
      add(model->index(i, 0).data(), Text(s.items[i]));
  };
  QWidget* w = window.widget(Text(c.Key()));
  if (QAction* action = window.menuAction(Text(c.Key()))) {
    add(action->isVisible(), s.visible);
    add(action->isEnabled(), s.enabled);
    if (c.spec.kind == Kind::MenuItem) add(action->text(), caption);
    if (c.spec.checkable) add(action->isChecked(), s.checked);
  } else if (!w) {
    return "no widget";
  } else {
    const double k = window.scale() / 15;
    QRect place(qRound(s.left * k), qRound(s.top * k), qRound(s.width * k), qRound(s.height * k));
    // An axis label grows to the width of its caption.
    if (c.spec.name == "Label")
      place.setWidth(qMax(place.width(), w->fontMetrics().horizontalAdvance(caption) + 1));
    add(!w->isHidden(), s.visible);
    add(w->geometry(), place);
    add(w->toolTip(), Text(s.toolTip));
    const Kind kind = c.spec.kind;
    if (kind == Kind::Button || kind == Kind::Label || kind == Kind::TextBox ||
        kind == Kind::ListingBox) {
      // A listing's lines end in CR LF; its box shows them as lines.
      if (kind == Kind::ListingBox) {
        add(static_cast<ListingBox*>(w)->listing(), caption.replace("\r\n", "\n"));
      } else {
        add(w->property("text"), caption);
      }
      const bool coloured = s.backColour != form::kNoColour;
      if (kind == Kind::Label) add(w->autoFillBackground(), coloured);
      const QPalette::ColorRole role = kind == Kind::Button  ? QPalette::Button
                                       : kind == Kind::Label ? QPalette::Window
                                                             : QPalette::Base;
      if (coloured) add(w->palette().color(role), Resolve(s.backColour, window.palette()));
    }
    if (const auto* combo = qobject_cast<QComboBox*>(w)) {
      rows(combo->model());
      add(combo->currentIndex(), s.index);
    }
    // The row the user sees highlighted, not the keyboard's cursor.
    const auto* list = qobject_cast<QListWidget*>(w);
    if (list) rows(list->model());
    if (list && (kind == Kind::FileList || !folderRowMoved)) {
      const QList<QListWidgetItem*> selected = list->selectedItems();
      add(selected.isEmpty() ? -1 : list->row(selected.front()), s.index);
    }
    if (kind == Kind::ScrollBar) {
      add(w->property("value"), s.value);
      add(w->property("sliderPosition"), s.value);
    }
  }
  QString text;
  if (shown != state) QDebug(&text) << "shown" << shown << "state" << state;
  return text.toStdString();
}

// The first control whose widget or menu item does not show what its state
// says, as "KEY: what differs", or empty when all agree.
std::string FirstMismatch(MainWindow& window, bool folderRowMoved) {
  if (window.windowTitle() != Text(window.page().WindowTitle())) return "the window's title";
  const form::ValuesView values = window.page().ValuesAtMarker();
  if (window.valuesWindow()->isVisible() != values.shown) return "the values panel's visibility";
  for (const form::Control& c : window.page().controls().all()) {
    const std::string problem = Mismatch(window, c, folderRowMoved);
    if (!problem.empty()) return c.Key() + ": " + problem;
  }
  return {};
}

}  // namespace zelk::app
