// A plain grid of cells that every widget draws into. The terminal only paints
// it; tests read it without a terminal. A cell always holds a printable
// character (0x20..0x7E): anything else is stored as a visible stand-in.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace terminal {

// What a cell means; the painter turns it into terminal attributes.
enum class Style : std::uint8_t {
  kNormal,
  kTitle,          // the main window's title bar
  kMenuBar,        // the menu bar and a closed menu title
  kMenuItem,       // an item of an open popup
  kMenuSelected,   // the highlighted popup item / open menu title
  kCaption,        // the caption bar of a box or dialog without focus
  kCaptionActive,  // ... with focus
  kFrame,          // borders
  kField,          // an edit field, a combo box field
  kFieldSelected,  // selected text in a field
  kItemSelected,   // the selected item of a list
  kButton,
  kButtonDefault,
  kButtonFocused,
  kFocusMark,  // a focused radio button or label-like control
  kScrollTrack,
  kScrollThumb,
  kScrollArrow,
  kStandIn,  // a byte that is not printable, shown as a stand-in
  kNotice,   // "terminal too small"
};

// Line-drawing glyphs; the character of such a cell is an ASCII fallback.
enum class Glyph : std::uint8_t {
  kNone,
  kHorizontal,
  kVertical,
  kTopLeft,
  kTopRight,
  kBottomLeft,
  kBottomRight,
  kTeeLeft,   // a separator's left end: |-
  kTeeRight,  // ... and right end: -|
  kArrowUp,
  kArrowDown,
  kArrowLeft,
  kArrowRight,
  kLineFeed,  // the stand-in of a line feed: a return arrow where the terminal can draw one
  kMenuMark,  // a menu box's mark: three bars where the terminal can draw them
};

struct Cell {
  char ch = ' ';
  Style style = Style::kNormal;
  Glyph glyph = Glyph::kNone;
  bool operator==(const Cell&) const = default;
};

struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
  int right() const { return x + w; }   // one past the last column
  int bottom() const { return y + h; }  // one past the last row
  bool Contains(int cx, int cy) const {
    return cx >= x && cx < right() && cy >= y && cy < bottom();
  }
  bool operator==(const Rect&) const = default;
};

// The one-cell stand-in of a byte that is not printable: the character shown
// (as in ^J for a line feed, ^[ for ESC; '?' for DEL, '.' for bytes >= 0x80).
char StandInChar(unsigned char byte);
inline bool IsPrintable(unsigned char byte) {
  return byte >= 0x20 && byte <= 0x7E;
}

class CellGrid {
 public:
  CellGrid(int width = 0, int height = 0) { Resize(width, height); }

  void Resize(int width, int height);
  int width() const { return width_; }
  int height() const { return height_; }

  // Out-of-range positions are ignored. Bytes that are not printable become
  // stand-ins (style kStandIn).
  void Put(int x, int y, char ch, Style style, Glyph glyph = Glyph::kNone);
  // Writes text from x on, at most max_width cells (-1: to the right edge).
  // Returns the number of cells written.
  int Text(int x, int y, std::string_view text, Style style, int max_width = -1);
  void Fill(const Rect& r, char ch, Style style);
  // A frame of line glyphs around r (r includes the frame).
  void Frame(const Rect& r, Style style);
  void HLine(int x, int y, int w, Style style);

  // The cell at a position; a blank one outside the grid.
  const Cell& At(int x, int y) const {
    static const Cell kOutside{};
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return kOutside;
    return cells_[Index(x, y)];
  }
  // The characters of a row (or part of it), for tests and plain captures.
  std::string Row(int y) const;
  std::string RowText(int x, int y, int w) const;

  // The text cursor, shown where a focused field has it.
  void SetCursor(int x, int y) {
    cursor_x_ = x;
    cursor_y_ = y;
    cursor_visible_ = true;
  }
  void HideCursor() { cursor_visible_ = false; }
  bool cursor_shown() const { return cursor_visible_; }
  int cursor_x() const { return cursor_x_; }
  int cursor_y() const { return cursor_y_; }

 private:
  // What a byte drawn with style and glyph stores in a cell.
  static Cell CellOf(char ch, Style style, Glyph glyph);
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
  }

  int width_ = 0, height_ = 0;
  std::vector<Cell> cells_;
  int cursor_x_ = 0, cursor_y_ = 0;
  bool cursor_visible_ = false;
};

}  // namespace terminal
