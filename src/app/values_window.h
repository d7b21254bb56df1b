// The "Values at Marker" tool window: a heading and a list of every
// quantity at the marked sample, in three columns (quantity, value, unit);
// while a second log is compared, two more: its value and the difference.
// It shows what the page computes and tells the window when the user closes it.
#pragma once

#include <QWidget>

#include "form/user_page.h"

class QLabel;
class QTreeWidget;

namespace zelk::app {

class ValuesWindow : public QWidget {
  Q_OBJECT

 public:
  explicit ValuesWindow(QWidget* parent);
  // Shows or hides itself and fills the list as `view` says.
  void Show(const form::ValuesView& view);
  QTreeWidget* list() const { return list_; }
  QLabel* heading() const { return heading_; }

 signals:
  void closedByUser();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QLabel* heading_;
  QTreeWidget* list_;
  form::ValuesView shown_;
  bool placed_ = false;  // moved beside the main window once
};

}  // namespace zelk::app
