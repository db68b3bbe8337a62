// The commands of the control channel, shared by posimctl, the exported test
// entry PosimControl and the socket:
//
//   scan LABEL                 a label passes the scanner
//   swipe TRACK1 [TRACK2 [TRACK3]]   a card passes the MSR ("-": no such track)
//   weigh GRAMS                the load on the scale
//   key CODE [CHAR]            a key stroke (set-1 scan code, 0x.. or decimal;
//                              without CHAR the key's own character, if any)
//   type TEXT                  key strokes for letters, digits and blanks
//   keylock POSITION           the key lock turned
//   touch X Y                  a touch on the touch screen
//   close-drawer               the cash drawer pushed shut
//   paper out | paper in       the printer's paper runs out or is put back
//   offline DEVICE | online DEVICE
//   post CODE WPARAM LPARAM [COUNT]   any event, COUNT times
//   show WHAT                  display, printer, rs232, nvram, ... or a device
//                              name: what the device holds or has waiting to
//                              be read; "devices": the terminal; "events": the
//                              event queue's length
//   values WHAT                every named value of a device
//   help
//
// A word "@NAME" anywhere picks the device by name instead of the first of
// its class. Words are separated by blanks; "double quotes" keep blanks in
// one word (\" and \\ inside them). The reply begins with "ok" or
// "error: ..."; show, values and help add their text on the lines after "ok".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "posim/simulator.h"

namespace posim {

std::string RunControlCommand(Simulator& simulator, std::string_view line);

std::vector<std::string> SplitCommandLine(std::string_view line);

// A word of a command line as posimctl writes it: quoted when needed.
std::string QuoteCommandWord(std::string_view word);

}  // namespace posim
