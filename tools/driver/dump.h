// The state of the window as one line of JSON.
#pragma once

#include <string>
#include <vector>

#include "chart/canvas.h"
#include "form/user_page.h"

namespace zelk::driver {

std::string Dump(const form::UserPage& page, const chart::RecordingCanvas& canvas,
                 const std::vector<form::Message>& messages,
                 const std::vector<std::string>& started);

}  // namespace zelk::driver
