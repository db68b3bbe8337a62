#include "posim/devices/display.h"

namespace posim {

namespace {

// The rows without their trailing blanks, joined by LF, empty rows at the end left out.
void UpdateText(Device& display) {
  std::string text;
  for (std::size_t i = 0; i < display.rows.size(); ++i) {
    if (i > 0) text += '\n';
    const std::string& row = display.rows[i];
    const std::size_t end = row.find_last_not_of(' ');
    if (end != std::string::npos) text.append(row, 0, end + 1);
  }
  while (!text.empty() && text.back() == '\n') text.pop_back();
  display.own.Text("displayText") = text;
}

void NextRow(Device& display, std::int64_t& row) {
  const std::int64_t rows = static_cast<std::int64_t>(display.rows.size());
  if (row + 1 < rows) {
    ++row;
  } else if (display.own.Number("displayMode") == 1) {
    display.rows.erase(display.rows.begin());
    display.rows.push_back(std::string(display.rows.front().size(), ' '));
  } else {
    row = 0;
  }
}

}  // namespace

void ClearDisplay(Device& display) {
  for (std::string& row : display.rows) row.assign(row.size(), ' ');
  display.own.Number("cursorRow") = 0;
  display.own.Number("cursorColumn") = 0;
  UpdateText(display);
}

void WriteDisplay(Device& display, std::span<const std::uint8_t> data) {
  if (display.rows.empty()) return;
  std::int64_t& row = display.own.Number("cursorRow");
  std::int64_t& column = display.own.Number("cursorColumn");
  const std::int64_t columns = static_cast<std::int64_t>(display.rows[0].size());
  for (const std::uint8_t byte : data) {
    switch (byte) {
      case '\r':
        column = 0;
        break;
      case '\n':
        NextRow(display, row);
        break;
      case '\b':
        if (column > 0) --column;
        break;
      case '\f':
        ClearDisplay(display);
        break;
      default:
        if (byte < 0x20 || byte == 0x7F) break;
        display.rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] =
            static_cast<char>(byte);
        if (++column == columns) {
          column = 0;
          NextRow(display, row);
        }
    }
  }
  UpdateText(display);
}

}  // namespace posim
