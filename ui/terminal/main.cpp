// The program in a terminal: refuses to start without one, then runs the
// start-up check and the main window.
#include <cstdio>
#include <string>

#include "app/program.h"
#include "ui/terminal/terminal_front_end.h"

int main() {
  if (std::string why = terminal::TerminalFrontEnd::NoTerminalReason(); !why.empty()) {
    std::fprintf(stderr, "ridozod: %s\n", why.c_str());
    return terminal::TerminalFrontEnd::kNoTerminalExit;
  }
  terminal::TerminalFrontEnd front_end;
  return app::RunProgram(front_end);
}
