// Reading the CommandLog off the emulated screen: the log's place on the
// screen, the lines it shows, and whether a burst's last lines are shown.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "bench/pty_program.h"

namespace bench {

// The visible part of the log: its text rows, the column they start in,
// and the count of lines below the view ("N more" in its lower frame).
struct LogView {
  int first_row = 0;
  int rows = 0;
  int column = 0;
  int width = 0;
  long below = 0;
};
std::optional<LogView> FindLogView(const VtScreen& screen);

// The text of visible row r of the log, without trailing blanks.
std::string LogRow(const VtScreen& screen, const LogView& view, int r);

// Whether the screen shows the last `count` of the lines one under the
// other, the last of them lowest, at one column.
bool ShowsTail(const VtScreen& screen, const std::vector<std::string>& lines, int count);

// The last `count` lines of the log, the newest first, read by paging up
// from the end through a maximised, focused log on a tall terminal. The log
// and the terminal are put back as they were (the view at the end).
std::optional<std::vector<std::string>> ReadLogTail(PtyProgram& pty, std::size_t count,
                                                    int normal_width, int normal_height,
                                                    std::string* error);

}  // namespace bench
