// The row of channel buttons along the top of the form: each button's
// control, caption, tool tip and place, and the channel it shows. The
// layout table builds the buttons from it; a click on one shows its channel.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "channels/channels.h"

namespace zelk::form {

struct ChannelButton {
  channels::ChannelId id;
  const char* key;  // the control: "RPMButton"
  const char* caption;
  const char* toolTip;
  int left, width, height;
};

// The buttons from left to right.
std::span<const ChannelButton> ChannelButtons();
// The button that shows a channel, and the button of a control key; nothing
// for none.
const ChannelButton* ButtonOf(channels::ChannelId id);
const ChannelButton* ButtonNamed(std::string_view key);
// The button whose caption is `caption`, in any case ("map" for "Manifold").
const ChannelButton* ButtonCaptioned(std::string_view caption);
// The keys of the buttons, and their channels, from left to right.
std::vector<std::string> ChannelButtonKeys();
std::vector<channels::ChannelId> ButtonChannels();

}  // namespace zelk::form
