// Saving what is on screen: the graph as a picture and the channel's data as
// a table, under a name made from the log and the channel, proposed in the
// folder last saved to in this run, else beside the log where that folder
// can be written, else in the user's own folder.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "form/focus.h"
#include "form/graph.h"
#include "session/session.h"

namespace zelk::form {

// A file the user asked to save: the window asks where, proposing
// `proposedPath`, and writes the graph as on screen or the data table.
struct SaveRequest {
  enum class What { Graph, Data };
  What what = What::Graph;
  std::string proposedPath;
  bool operator==(const SaveRequest&) const = default;
};

// What the window knows of the folders a file may be saved to: whether a
// folder can be written, and the user's own folder, proposed when the log's
// folder cannot be. Without them every folder counts as writable.
struct SaveFolders {
  std::function<bool(const std::string& folder)> writable;
  std::string home;
};

class Saving {
 public:
  Saving(session::Session& session, const Graph& graph, Messages& messages)
      : session_(session), graph_(graph), messages_(messages) {}

  // Each menu item asks the window for a file (TakeSaveRequest); a write
  // that failed is reported through WriteFailed, one that succeeded through
  // Saved.
  void SaveGraphMenu_Click() { request_ = {SaveRequest::What::Graph, ProposedPath(".png")}; }
  void ExportDataMenu_Click() { request_ = {SaveRequest::What::Data, ProposedPath(".csv")}; }
  std::optional<SaveRequest> TakeSaveRequest() { return std::exchange(request_, {}); }
  void SetSaveFolders(SaveFolders folders) { folders_ = std::move(folders); }
  void WriteFailed(const std::string& path, const std::string& reason);
  void Saved(const std::string& path);

  // The channel on screen in a file name ("temperature"), and
  // "<log name>-<channel>", the name proposed for what is saved.
  std::string ChannelName() const;
  std::string ExportName() const;
  // The data table of the channel on screen over the window on screen.
  std::string DataCsv() const;

 private:
  std::string ProposedPath(std::string_view extension) const;

  session::Session& session_;
  const Graph& graph_;
  Messages& messages_;
  std::optional<SaveRequest> request_;
  SaveFolders folders_;
  std::string lastFolder_;  // empty until something is saved
};

}  // namespace zelk::form
