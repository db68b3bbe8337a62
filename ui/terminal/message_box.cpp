#include "ui/terminal/message_box.h"

#include <algorithm>

#include "port/dialog_model.h"
#include "port/port.h"

namespace terminal {
namespace {

constexpr std::string_view kOk = "[  OK  ]";

}  // namespace

MessageBoxLayer::MessageBoxLayer(std::string_view text, std::string_view caption)
    : text_(text), caption_(caption.empty() ? ui::kDefaultErrorCaption : caption) {}

void MessageBoxLayer::Layout(int width, int height) {
  // Lines break at line ends and, when too wide for the screen, at words.
  const int room = std::max(10, width - 8);
  lines_ = ui::DialogModel::WrapLines(text_, room);
  int widest = static_cast<int>(kOk.size());
  for (const std::string& l : lines_) widest = std::max(widest, static_cast<int>(l.size()));
  widest = std::max(widest, static_cast<int>(caption_.size()) + 5);  // caption and [X]
  const int w = std::min(width, widest + 6);
  const int h = std::min(height, static_cast<int>(lines_.size()) + 6);
  rect_ = Rect{std::max(0, (width - w) / 2), std::max(0, (height - h) / 2), w, h};
}

Rect MessageBoxLayer::ok_button() const {
  const int w = static_cast<int>(kOk.size());
  return Rect{rect_.x + (rect_.w - w) / 2, rect_.bottom() - 2, w, 1};
}

void MessageBoxLayer::Draw(CellGrid& grid, bool active) {
  const Style caption = active ? Style::kCaptionActive : Style::kCaption;
  grid.Fill(rect_, ' ', Style::kNormal);
  grid.Frame(rect_, Style::kFrame);
  grid.Fill(Rect{rect_.x, rect_.y, rect_.w, 1}, ' ', caption);
  grid.Text(rect_.x + 1, rect_.y, caption_, caption, rect_.w - 6);
  grid.Text(close_box().x, rect_.y, "[X]", caption);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const int y = rect_.y + 2 + static_cast<int>(i);
    if (y >= ok_button().y - 1) break;
    grid.Text(rect_.x + 3, y, lines_[i], Style::kNormal, rect_.w - 6);
  }
  const Rect ok = ok_button();
  grid.Text(ok.x, ok.y, kOk, Style::kButtonFocused);
  grid.SetCursor(ok.x + 3, ok.y);
}

void MessageBoxLayer::HandleInput(const InputEvent& e) {
  if (e.type == InputEvent::Type::kKey) {
    if (e.IsKey(Key::kEnter) || e.IsKey(Key::kEscape) || e.IsChar(' ')) done_ = true;
    return;
  }
  if (e.type == InputEvent::Type::kMouse && e.mouse == Mouse::kPress &&
      (ok_button().Contains(e.x, e.y) || close_box().Contains(e.x, e.y)))
    done_ = true;
}

}  // namespace terminal
