// The real terminal: curses on standard input and output.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "ui/terminal/device.h"
#include "ui/terminal/input_event.h"

namespace terminal {

// Why no terminal can be used here (standard input or output is not a
// terminal, or its type is unknown); empty when one can.
std::string TerminalProblem();

// Starts curses; nullptr with the reason in *error when it cannot. The
// terminal is restored when the device is destroyed, at exit, and on SIGINT,
// SIGTERM, SIGHUP and SIGQUIT.
std::unique_ptr<Device> StartCursesDevice(std::string* error);

// One key code as curses' getch returns it (no Esc prefix): the input event,
// or nothing for a code the front end does not use.
std::optional<InputEvent> DecodeCursesKey(int code);

}  // namespace terminal
