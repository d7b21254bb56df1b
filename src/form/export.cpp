// Saving what is on screen: the graph as a picture and the channel's data as
// a table, under a name made from the log and the channel.
#include <filesystem>

#include "channels/series.h"
#include "form/channel_buttons.h"
#include "form/user_page.h"

namespace zelk::form {
namespace fs = std::filesystem;

std::string UserPage::ChannelName() const {
  const ChannelButton* button = ButtonOf(vars_.graph.channel);
  return button ? channels::Slug(button->caption) : "graph";
}

std::string UserPage::ExportName() const {
  return fs::path(vars_.file.name).stem().string() + "-" + ChannelName();
}

void UserPage::SaveGraphMenu_Click() {
  saveRequest_ = {SaveRequest::What::Graph, ProposedPath(".png")};
}

void UserPage::ExportDataMenu_Click() {
  saveRequest_ = {SaveRequest::What::Data, ProposedPath(".csv")};
}

// The folder last saved to, or the log's own; a log's folder that cannot be
// written (logs installed with the program) gives way to the user's folder.
std::string UserPage::ProposedPath(std::string_view extension) const {
  fs::path folder = lastSaveFolder_;
  if (folder.empty()) {
    folder = fs::path(vars_.file.path).parent_path();
    const bool writable = !saveFolders_.writable || saveFolders_.writable(folder.string());
    if (!writable && !saveFolders_.home.empty()) folder = saveFolders_.home;
  }
  return (folder / (ExportName() + std::string(extension))).string();
}

void UserPage::WriteFailed(const std::string& path, const std::string& reason) {
  ShowMessage("Cannot write \"" + path + "\": " + reason + ".");
}

void UserPage::Saved(const std::string& path) {
  lastSaveFolder_ = fs::path(path).parent_path().string();
}

std::string UserPage::DataCsv() const {
  const channels::ChannelRow* channel = channels::ChannelOf(vars_.graph.channel);
  if (!channel) return "sample,minutes\n";
  return channels::DataCsv(*channel, log_, channel_.tables(), UserByteChoice(), vars_.window,
                           vars_.file.samplesPerMinute);
}

std::string UserPage::WindowTitle() const {
  if (!vars_.file.everLoaded) return kProgramTitle;
  return vars_.file.name + " - " + kProgramTitle;
}

}  // namespace zelk::form
