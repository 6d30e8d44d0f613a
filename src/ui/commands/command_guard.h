// The boundary of every command: a file error ends the command with one
// message box naming the file and the reason, and nothing escapes into the
// event loop.
#pragma once

#include <functional>

#include "core/model/ports.h"

namespace d7::ui {

// Caption of the message that reports a file error.
inline constexpr const char* kErrorCaption = "D7Irir";

// Runs the command; returns false when it ended with an error (already reported).
bool runCommand(Prompt& prompt, const std::function<void()>& command);

}  // namespace d7::ui
