#include "bench/log_reader.h"

#include <cstdlib>

namespace bench {
namespace {

constexpr std::string_view kCaption = "Command and Status";
constexpr int kTallWidth = 160, kTallHeight = 300;

std::string TrimRight(std::string s) {
  s.erase(s.find_last_not_of(' ') + 1);
  return s;
}

}  // namespace

std::optional<LogView> FindLogView(const VtScreen& screen) {
  for (int y = 0; y < screen.height(); ++y) {
    const std::string caption = screen.Row(y);
    const std::size_t at = caption.find(kCaption);
    if (at == std::string::npos) continue;
    // The caption starts where the text rows do, one in from the frame.
    LogView view;
    view.first_row = y + 1;
    view.column = static_cast<int>(at);
    int bar = view.first_row;
    while (bar < screen.height() && screen.Row(bar)[static_cast<std::size_t>(view.column)] != '<')
      ++bar;
    if (bar >= screen.height() - 1) return std::nullopt;
    view.rows = bar - view.first_row;
    const std::string bar_row = screen.Row(bar);
    const std::size_t right = bar_row.find('>', static_cast<std::size_t>(view.column));
    if (right == std::string::npos) return std::nullopt;
    view.width = static_cast<int>(right) + 1 - view.column;  // the text columns over the bar
    const std::string frame = screen.Row(bar + 1);
    const std::size_t more = frame.find(" more ");
    if (more != std::string::npos) {
      const std::size_t digits = frame.find_last_of(' ', more - 1);
      view.below = std::atol(frame.c_str() + digits + 1);
    }
    return view;
  }
  return std::nullopt;
}

std::string LogRow(const VtScreen& screen, const LogView& view, int r) {
  return TrimRight(
      screen.Row(view.first_row + r)
          .substr(static_cast<std::size_t>(view.column), static_cast<std::size_t>(view.width)));
}

bool ShowsTail(const VtScreen& screen, const std::vector<std::string>& lines, int count) {
  if (lines.empty()) return false;
  const int n = std::min<int>(count, static_cast<int>(lines.size()));
  const std::string& last = lines.back();
  for (int y = n - 1; y < screen.height(); ++y) {
    const std::string row = screen.Row(y);
    for (std::size_t at = row.find(last); at != std::string::npos; at = row.find(last, at + 1)) {
      auto ends_there = [&](const std::string& r, const std::string& line) {
        if (r.compare(at, line.size(), line) != 0) return false;
        const std::size_t after = at + line.size();
        return after >= r.size() || r[after] == ' ' || r[after] == '|';
      };
      bool all = true;
      for (int k = 0; k < n && all; ++k)
        all = ends_there(screen.Row(y - k), lines[lines.size() - 1 - static_cast<std::size_t>(k)]);
      if (all) return true;
    }
  }
  return false;
}

std::optional<std::vector<std::string>> ReadLogTail(PtyProgram& pty, std::size_t count,
                                                    int normal_width, int normal_height,
                                                    std::string* error) {
  pty.Send(keys::kAltM);
  pty.Send(keys::kAltL);
  pty.Resize(kTallWidth, kTallHeight);
  pty.Send(keys::kEnd);
  const bool tall = pty.WaitFor(
                           [](const VtScreen& s) {
                             const std::optional<LogView> v = FindLogView(s);
                             return v && v->rows > kTallHeight / 2 && v->below == 0;
                           },
                           10000)
                        .has_value();
  pty.WaitQuiet(20, 2000);
  std::vector<std::string> tail;
  std::optional<LogView> view = FindLogView(pty.screen());
  while (tall && view && tail.size() < count) {
    // Row r shows the line that has below + rows - 1 - r lines after it.
    for (int r = view->rows - 1; r >= 0; --r) {
      const std::size_t distance = static_cast<std::size_t>(view->below + view->rows - 1 - r);
      if (distance == tail.size()) tail.push_back(LogRow(pty.screen(), *view, r));
    }
    if (tail.size() >= count) break;
    const long below = view->below;
    pty.Send(keys::kPageUp);
    const bool moved = pty.WaitFor(
                              [below](const VtScreen& s) {
                                const std::optional<LogView> v = FindLogView(s);
                                return v && v->below != below;
                              },
                              5000)
                           .has_value();
    if (!moved) break;  // the top of the log
    pty.WaitQuiet(2, 1000);
    view = FindLogView(pty.screen());
  }
  // Back to the normal size and layout, then to the end, then the focus back.
  pty.Resize(normal_width, normal_height);
  pty.WaitQuiet(20, 5000);
  pty.Send(keys::kAltM);
  pty.Send(keys::kEnd);
  pty.Send(keys::kAltL);
  pty.WaitQuiet(50, 5000);
  if (!tall || tail.size() < count) {
    *error = "the log could not be read back (" + std::to_string(tail.size()) + " lines):\n" +
             ScreenText(pty.screen());
    return std::nullopt;
  }
  tail.resize(count);
  return tail;
}

}  // namespace bench
