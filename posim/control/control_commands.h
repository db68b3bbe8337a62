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
//   rs232 BYTES                bytes arrive at the RS-232 port, typed with the
//                              Write dialog's escapes (\r, \x1B, \0 ...)
//   fail ENTRY STATUS [COUNT]  the next COUNT calls (1) of an entry (open,
//                              close, ioctl, read, write, term, version) answer
//                              STATUS (a POSERR_ name or number); COUNT 0
//                              clears it; "fail off" clears all, "fail" lists
//   post CODE WPARAM LPARAM [COUNT]   any event, COUNT times
//   show WHAT                  display, printer, rs232, nvram, ... or a device
//                              name: what the device holds or has waiting to
//                              be read; "devices": the terminal; "events": the
//                              event queue's length
//   values WHAT                every named value of a device
//   check COMMAND [WORD...]    the command's words checked on a scratch copy
//                              of the devices: "ok" unless the line itself is
//                              wrong (refusals that depend on the devices'
//                              state do not count)
//   help
//
// A word "@NAME" anywhere picks the device by name instead of the first of
// its class. Words are split as command_words.h says. The reply begins with
// "ok" or "error: ..."; show, values and help add their text on the lines
// after "ok".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "posim/session/simulator.h"

namespace posim {

std::string RunControlCommand(Simulator& simulator, std::string_view line);

// A device by name or by class word ("display": the first display).
Device* NamedDevice(Client& client, std::string_view what);
// The word of a device class ("display"), empty for none.
const char* ClassWord(std::int32_t class_code);

}  // namespace posim
