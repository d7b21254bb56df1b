#include "form/saving.h"

#include <filesystem>

#include "channels/comparison.h"
#include "channels/series.h"
#include "form/channel_buttons.h"

namespace zelk::form {
namespace fs = std::filesystem;

std::string Saving::ChannelName() const {
  const ChannelButton* button = ButtonOf(graph_.state().channel);
  return button ? channels::Slug(button->caption) : "graph";
}

std::string Saving::ExportName() const {
  return fs::path(session_.file().name).stem().string() + "-" + ChannelName();
}

// A log's folder that cannot be written (logs installed with the program)
// gives way to the user's folder.
std::string Saving::ProposedPath(std::string_view extension) const {
  fs::path folder = lastFolder_;
  if (folder.empty()) {
    folder = fs::path(session_.file().path).parent_path();
    const bool writable = !folders_.writable || folders_.writable(folder.string());
    if (!writable && !folders_.home.empty()) folder = folders_.home;
  }
  return (folder / (ExportName() + std::string(extension))).string();
}

void Saving::WriteFailed(const std::string& path, const std::string& reason) {
  messages_.Show("Cannot write \"" + path + "\": " + reason + ".");
}

void Saving::Saved(const std::string& path) { lastFolder_ = fs::path(path).parent_path().string(); }

std::string Saving::DataCsv() const {
  const channels::ChannelRow* channel = channels::ChannelOf(graph_.state().channel);
  if (!channel) return "sample,minutes\n";
  // While a second log is compared, its columns follow the first's.
  if (const std::optional<channels::SecondLog> second = session_.SecondLog()) {
    return channels::ComparedDataCsv(*channel, session_.log(), session_.Decoded(*channel),
                                     session_.byte(), session_.window(), *second);
  }
  return channels::DataCsv(*channel, session_.log(), session_.Decoded(*channel), session_.byte(),
                           session_.window(), session_.file().samplesPerMinute);
}

}  // namespace zelk::form
