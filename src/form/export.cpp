// Saving what is on screen: the graph as a picture and the channel's data as
// a table, under a name made from the log and the channel.
#include <filesystem>

#include "channels/series.h"
#include "form/user_page.h"

namespace zelk::form {
namespace fs = std::filesystem;

std::string UserPage::ChannelName() const {
  const channels::ChannelRow* channel = channels::ChannelOf(vars_.graph.channel);
  return channel ? channels::Slug(controls_.Named(channel->button).state.caption) : "graph";
}

std::string UserPage::ExportName() const {
  return fs::path(vars_.file.name).stem().string() + "-" + ChannelName();
}

// What is saved is proposed beside the log.
void UserPage::SaveGraphMenu_Click() {
  saveRequest_ = {SaveRequest::What::Graph, ProposedPath(".png")};
}

void UserPage::ExportDataMenu_Click() {
  saveRequest_ = {SaveRequest::What::Data, ProposedPath(".csv")};
}

std::string UserPage::ProposedPath(std::string_view extension) const {
  return (fs::path(vars_.file.path).parent_path() / (ExportName() + std::string(extension)))
      .string();
}

void UserPage::WriteFailed(const std::string& path, const std::string& reason) {
  ShowMessage("Cannot write \"" + path + "\": " + reason + ".");
}

std::string UserPage::DataCsv() const {
  const channels::ChannelRow* channel = channels::ChannelOf(vars_.graph.channel);
  if (!channel) return "sample,minutes\n";
  return channels::DataCsv(*channel, log_, channelTables_, UserByteChoice(), vars_.window,
                           vars_.file.samplesPerMinute);
}

std::string UserPage::WindowTitle() const {
  if (!vars_.file.everLoaded) return kProgramTitle;
  return vars_.file.name + " - " + kProgramTitle;
}

}  // namespace zelk::form
