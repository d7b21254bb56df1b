// Bringing the window up to date: each widget is given its control's state
// (place, caption, colour, entries, visibility) where it differs from what
// the widget shows, and the window its title.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStringList>

#include "app/canvas_widget.h"
#include "app/channels_window.h"
#include "app/colours.h"
#include "app/control_widgets.h"
#include "app/listing_box.h"
#include "app/main_window.h"
#include "app/values_window.h"
#include "app/window_helpers.h"

namespace zelk::app {
namespace {

using form::Control;
using form::ControlSpec;
using form::ControlState;
using form::Kind;

QStringList ToStrings(const std::vector<std::string>& items) {
  QStringList list;
  list.reserve(static_cast<qsizetype>(items.size()));
  for (const std::string& item : items) list.push_back(Text(item));
  return list;
}

// Puts the entries into a combo box or list widget when they changed since
// they were last shown; true when it did.
template <class ListWidget>
bool ReplaceItems(ListWidget* widget, std::vector<std::string>& shown,
                  const std::vector<std::string>& items) {
  if (shown == items) return false;
  shown = items;
  widget->clear();
  widget->addItems(ToStrings(items));
  return true;
}

}  // namespace

void MainWindow::Sync() {
  const QString title = Text(page_->WindowTitle());
  if (windowTitle() != title) setWindowTitle(title);
  const std::vector<Control>& controls = page_->controls().all();
  for (size_t i = 0; i < controls.size() && i < bound_.size(); ++i) {
    SyncControl(controls[i], bound_[i]);
  }
  SyncCompareRecent();
  if (values_) values_->Show(page_->ValuesAtMarker());
  if (channels_) channels_->Sync();
  canvas_->RepaintIfAsked();
}

void MainWindow::SyncGraph() {
  const std::vector<Control>& controls = page_->controls().all();
  for (size_t i = 0; i < controls.size() && i < bound_.size(); ++i) {
    if (controls[i].spec.container == kCanvasName) SyncControl(controls[i], bound_[i]);
  }
}

void MainWindow::SyncControl(const Control& control, Bound& bound) {
  const ControlSpec& design = control.spec;
  const ControlState& state = control.state;
  const QString caption = Text(state.caption);

  if (bound.action) {
    if (design.kind == Kind::MenuItem && bound.action->text() != caption) {
      bound.action->setText(caption);
    }
    if (bound.action->isVisible() != state.visible) bound.action->setVisible(state.visible);
    if (bound.action->isEnabled() != state.enabled) bound.action->setEnabled(state.enabled);
    if (design.checkable && bound.action->isChecked() != state.checked) {
      bound.action->setChecked(state.checked);
    }
    return;
  }
  QWidget* widget = bound.widget;
  if (!widget) return;
  const QSignalBlocker blocker(widget);
  if (bound.toolTip != state.toolTip) {
    bound.toolTip = state.toolTip;
    widget->setToolTip(Text(state.toolTip));
  }

  QRect place(Pixels(state.left, scale_), Pixels(state.top, scale_), Pixels(state.width, scale_),
              Pixels(state.height, scale_));
  if (design.name == "Label") {
    // A value-axis label is narrower than some captions the channels give it
    // ("Closed"); it grows to show the whole caption, into the free space
    // left of the axis.
    const int needed = widget->fontMetrics().horizontalAdvance(caption) + 1;
    if (needed > place.width()) place.setWidth(needed);
  }
  if (widget->geometry() != place) widget->setGeometry(place);

  const bool newColour = bound.backColour != state.backColour;
  bound.backColour = state.backColour;
  SyncContent(control, bound, newColour);
  if (widget->isHidden() == state.visible) widget->setVisible(state.visible);
}

void MainWindow::SyncContent(const Control& control, Bound& bound, bool newColour) {
  const ControlSpec& design = control.spec;
  const ControlState& state = control.state;
  const QString caption = Text(state.caption);
  QWidget* widget = bound.widget;
  const bool hasColour = state.backColour != form::kNoColour;
  switch (design.kind) {
    case Kind::Button: {
      auto* button = static_cast<QPushButton*>(widget);
      if (button->text() != caption) button->setText(caption);
      if (newColour && hasColour) {
        SetPaletteColour(button, QPalette::Button, Resolve(state.backColour, palette()));
      }
      break;
    }
    case Kind::Label: {
      auto* label = static_cast<QLabel*>(widget);
      if (label->text() != caption) label->setText(caption);
      if (newColour) {
        label->setAutoFillBackground(hasColour);
        if (hasColour) {
          SetPaletteColour(label, QPalette::Window, Resolve(state.backColour, palette()));
        }
      }
      break;
    }
    case Kind::TextBox: {
      auto* box = static_cast<QLineEdit*>(widget);
      if (box->text() != caption) {
        // A text set by the program is shown from its start.
        box->setText(caption);
        box->setCursorPosition(0);
      }
      if (newColour && hasColour) {
        SetPaletteColour(box, QPalette::Base, Resolve(state.backColour, palette()));
      }
      break;
    }
    case Kind::ListingBox: {
      auto* listing = static_cast<ListingBox*>(widget);
      if (bound.text != state.caption) {
        bound.text = state.caption;
        listing->setListing(caption);
      }
      if (newColour && hasColour) {
        SetPaletteColour(listing, QPalette::Base, Resolve(state.backColour, palette()));
      }
      break;
    }
    case Kind::ComboBox:
    case Kind::DriveList:
    case Kind::FolderList:
    case Kind::FileList:
      SyncList(control, bound);
      break;
    case Kind::ScrollBar: {
      auto* bar = static_cast<QScrollBar*>(widget);
      // During the user's action the bar already stands at its new position;
      // one the program did not take goes back to the value it keeps.
      if (bar->value() != state.value || bar->sliderPosition() != state.value) {
        bar->setValue(state.value);
      }
      break;
    }
    case Kind::Picture: {
      if (newColour && hasColour && design.name != kCanvasName) {
        static_cast<Panel*>(widget)->setFill(Resolve(state.backColour, palette()));
      }
      break;
    }
    case Kind::Image:
    case Kind::Menu:
    case Kind::MenuItem:
      break;
  }
}

// A list's entries and the one chosen.
void MainWindow::SyncList(const Control& control, Bound& bound) {
  const ControlState& state = control.state;
  if (control.spec.kind == Kind::ComboBox || control.spec.kind == Kind::DriveList) {
    auto* combo = static_cast<QComboBox*>(bound.widget);
    ReplaceItems(combo, bound.items, state.items);
    if (combo->currentIndex() != state.index) combo->setCurrentIndex(state.index);
    return;
  }
  auto* list = static_cast<QListWidget*>(bound.widget);
  // The file list always shows the file the program holds. In the folder
  // list the user may move the highlight between two folder changes (a
  // folder is entered on a double click or Enter), so its row is set only
  // when the program changes it.
  const bool changed = ReplaceItems(list, bound.items, state.items) || bound.index != state.index;
  if (changed || (control.spec.kind == Kind::FileList && list->currentRow() != state.index)) {
    bound.index = state.index;
    list->setCurrentRow(state.index);
    if (state.index < 0) list->clearSelection();
    if (state.index >= 0) list->scrollToItem(list->item(state.index));
  }
}

}  // namespace zelk::app
