#include "app/batch_output.h"

#include "app/stack_widget.h"
#include "app/save_file.h"

namespace zelk::app {

bool WindowBatchOutput::WriteGraph(const std::string& path, std::string& problem) {
  window_.SyncGraph();
  QString why;
  if (SavePng(QString::fromStdString(path), window_.GraphImage(), why)) return true;
  problem = why.toStdString();
  return false;
}

bool WindowBatchOutput::WriteStack(const std::string& path, std::string& problem) {
  QString why;
  if (SavePng(QString::fromStdString(path), StackImage(window_.page().channelsView(), QFont()),
              why)) {
    return true;
  }
  problem = why.toStdString();
  return false;
}

bool WindowBatchOutput::WriteText(const std::string& path, const std::string& text,
                                  std::string& problem) {
  QString why;
  if (SaveBytes(QString::fromStdString(path), QByteArray::fromStdString(text), why)) return true;
  problem = why.toStdString();
  return false;
}

}  // namespace zelk::app
