#include "ui/terminal/cell_grid.h"

#include <algorithm>

namespace terminal {

char StandInChar(unsigned char byte) {
  if (byte < 0x20) return static_cast<char>('@' + byte);  // ^@ .. ^_
  if (byte == 0x7F) return '?';
  if (byte >= 0x80) return '.';
  return static_cast<char>(byte);
}

void CellGrid::Resize(int width, int height) {
  width_ = std::max(0, width);
  height_ = std::max(0, height);
  cells_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), Cell{});
  cursor_visible_ = false;
}

Cell CellGrid::CellOf(char ch, Style style, Glyph glyph) {
  const auto byte = static_cast<unsigned char>(ch);
  if (IsPrintable(byte)) return Cell{ch, style, glyph};
  return Cell{StandInChar(byte), Style::kStandIn, byte == '\n' ? Glyph::kLineFeed : Glyph::kNone};
}

void CellGrid::Put(int x, int y, char ch, Style style, Glyph glyph) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  cells_[Index(x, y)] = CellOf(ch, style, glyph);
}

int CellGrid::Text(int x, int y, std::string_view text, Style style, int max_width) {
  int limit = max_width < 0 ? width_ - x : max_width;
  int n = std::min<int>(limit, static_cast<int>(text.size()));
  for (int i = 0; i < n; ++i) Put(x + i, y, text[static_cast<std::size_t>(i)], style);
  return std::max(0, n);
}

void CellGrid::Fill(const Rect& r, char ch, Style style) {
  // Clipped to the grid once, one cell value for the whole rectangle.
  const int x0 = std::max(r.x, 0), x1 = std::min(r.right(), width_);
  const int y0 = std::max(r.y, 0), y1 = std::min(r.bottom(), height_);
  if (x0 >= x1 || y0 >= y1) return;
  const Cell cell = CellOf(ch, style, Glyph::kNone);
  for (int y = y0; y < y1; ++y) {
    const auto row = cells_.begin() + static_cast<std::ptrdiff_t>(Index(0, y));
    std::fill(row + x0, row + x1, cell);
  }
}

void CellGrid::HLine(int x, int y, int w, Style style) {
  for (int i = 0; i < w; ++i) Put(x + i, y, '-', style, Glyph::kHorizontal);
}

void CellGrid::Frame(const Rect& r, Style style) {
  if (r.w < 2 || r.h < 2) return;
  HLine(r.x + 1, r.y, r.w - 2, style);
  HLine(r.x + 1, r.bottom() - 1, r.w - 2, style);
  for (int y = r.y + 1; y < r.bottom() - 1; ++y) {
    Put(r.x, y, '|', style, Glyph::kVertical);
    Put(r.right() - 1, y, '|', style, Glyph::kVertical);
  }
  Put(r.x, r.y, '+', style, Glyph::kTopLeft);
  Put(r.right() - 1, r.y, '+', style, Glyph::kTopRight);
  Put(r.x, r.bottom() - 1, '+', style, Glyph::kBottomLeft);
  Put(r.right() - 1, r.bottom() - 1, '+', style, Glyph::kBottomRight);
}

std::string CellGrid::Row(int y) const {
  return RowText(0, y, width_);
}

std::string CellGrid::RowText(int x, int y, int w) const {
  std::string s;
  for (int i = 0; i < w; ++i) s.push_back(At(x + i, y).ch);
  return s;
}

}  // namespace terminal
