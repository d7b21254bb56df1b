#include "window_check.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QComboBox>
#include <QDebug>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include "app/colours.h"

namespace zelk::app {
namespace {

using form::Kind;

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }
int Pixels(double twips) { return qRound(twips / 15); }

template <class T>
std::string Differs(const char* what, const T& shown, const T& state) {
  if (shown == state) return {};
  QString text;
  QDebug(&text) << what << "shown" << shown << "state" << state;
  return text.toStdString();
}

QStringList Items(const std::vector<std::string>& items) {
  QStringList list;
  for (const std::string& item : items) list << Text(item);
  return list;
}

// The rows a list or a combo box shows.
QStringList Shown(const QAbstractItemModel* model) {
  QStringList rows;
  for (int i = 0; i < model->rowCount(); ++i) rows << model->index(i, 0).data().toString();
  return rows;
}

// What a widget of `kind` shows of `state` that differs, or empty.
std::string WidgetMismatch(QWidget* widget, const form::Control& control, const QPalette& palette,
                           bool folderRowMoved) {
  const form::ControlState& state = control.state;
  const Kind kind = control.spec.kind;
  const QString caption = Text(state.caption);
  std::string problem = Differs("visible", !widget->isHidden(), state.visible);
  if (!problem.empty()) return problem;

  QRect place(Pixels(state.left), Pixels(state.top), Pixels(state.width), Pixels(state.height));
  if (control.spec.name == "Label") {
    // An axis label grows to the width of its caption.
    place.setWidth(qMax(place.width(), widget->fontMetrics().horizontalAdvance(caption) + 1));
  }
  problem = Differs("geometry", widget->geometry(), place);
  if (!problem.empty()) return problem;

  const bool coloured = state.backColour != form::kNoColour;
  const QColor colour = coloured ? Resolve(state.backColour, palette) : QColor();
  // The text a widget shows, then its colour where the program gives one.
  const auto textAndColour = [&](const char* what, const QString& shown, const QString& expected,
                                 QPalette::ColorRole role) {
    std::string found = Differs(what, shown, expected);
    if (found.empty() && coloured) found = Differs("colour", widget->palette().color(role), colour);
    return found;
  };
  switch (kind) {
    case Kind::Button:
      return textAndColour("caption", static_cast<QPushButton*>(widget)->text(), caption,
                           QPalette::Button);
    case Kind::Label: {
      const auto* label = static_cast<QLabel*>(widget);
      problem = Differs("filled", label->autoFillBackground(), coloured);
      return problem.empty() ? textAndColour("caption", label->text(), caption, QPalette::Window)
                             : problem;
    }
    case Kind::TextBox:
      return textAndColour("text", static_cast<QLineEdit*>(widget)->text(), caption,
                           QPalette::Base);
    case Kind::ListingBox: {
      // The listing's lines end in CR LF; the text box shows them as lines.
      QString expected = caption;
      expected.replace(QLatin1String("\r\n"), QLatin1String("\n"));
      return textAndColour("text", static_cast<QPlainTextEdit*>(widget)->toPlainText(), expected,
                           QPalette::Base);
    }
    case Kind::ComboBox:
    case Kind::DriveList: {
      const auto* combo = static_cast<QComboBox*>(widget);
      problem = Differs("items", Shown(combo->model()), Items(state.items));
      if (problem.empty()) problem = Differs("index", combo->currentIndex(), state.index);
      return problem;
    }
    case Kind::FolderList:
    case Kind::FileList: {
      const auto* list = static_cast<QListWidget*>(widget);
      problem = Differs("items", Shown(list->model()), Items(state.items));
      if (problem.empty() && !(kind == Kind::FolderList && folderRowMoved)) {
        // The row the user sees highlighted, not the keyboard's cursor.
        const QList<QListWidgetItem*> selected = list->selectedItems();
        problem = Differs("selected row", selected.isEmpty() ? -1 : list->row(selected.front()),
                          state.index);
      }
      return problem;
    }
    case Kind::ScrollBar: {
      const auto* bar = static_cast<QScrollBar*>(widget);
      problem = Differs("value", bar->value(), state.value);
      if (problem.empty()) problem = Differs("position", bar->sliderPosition(), state.value);
      return problem;
    }
    case Kind::Image:
    case Kind::Picture:
    case Kind::Menu:
    case Kind::MenuItem:
      return {};
  }
  return {};
}

}  // namespace

std::string FirstMismatch(MainWindow& window, bool folderRowMoved) {
  const std::string title =
      Differs("title", window.windowTitle(), Text(window.page().WindowTitle()));
  if (!title.empty()) return "window: " + title;
  for (const form::Control& control : window.page().controls().all()) {
    const QString key = Text(control.Key());
    std::string problem;
    if (QAction* action = window.menuAction(key)) {
      problem = Differs("visible", action->isVisible(), control.state.visible);
      if (problem.empty()) problem = Differs("enabled", action->isEnabled(), control.state.enabled);
      if (problem.empty() && control.spec.kind == Kind::MenuItem) {
        problem = Differs("caption", action->text(), Text(control.state.caption));
      }
    } else if (QWidget* widget = window.widget(key)) {
      problem = WidgetMismatch(widget, control, window.palette(), folderRowMoved);
    } else {
      problem = "no widget";
    }
    if (!problem.empty()) return control.Key() + ": " + problem;
  }
  return {};
}

}  // namespace zelk::app
