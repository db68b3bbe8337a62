// The real terminal: curses on standard input and output.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "ui/terminal/device.h"
#include "ui/terminal/input_event.h"

namespace terminal {

// The file beside the program that takes what is written to standard output
// and error while the device runs (a POS library's prints): the screen is
// the program's alone.
inline constexpr char kOutputCaptureName[] = "ridozod-output.txt";

// Why no terminal can be used here (standard input or output is not a
// terminal, its type is unknown, or it cannot place the cursor, as "dumb");
// empty when one can.
std::string TerminalProblem();

// For tests: capture into this file instead of the one beside the program.
void SetOutputCaptureFileForTesting(const char* path);

// Starts curses; nullptr with the reason in *error when it cannot. The
// terminal is restored when the device is destroyed, at exit, and on SIGINT,
// SIGTERM, SIGHUP and SIGQUIT. From the first start on, standard output and
// error go to the capture file until the process ends.
std::unique_ptr<Device> StartCursesDevice(std::string* error);

// One key code as curses' getch returns it (no Esc prefix): the input event,
// or nothing for a code the front end does not use.
std::optional<InputEvent> DecodeCursesKey(int code);

}  // namespace terminal
