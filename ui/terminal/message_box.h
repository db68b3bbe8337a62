// A modal message box: caption, text and an OK button. Enter, Space, Esc, a
// click on OK or on the close box close it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/terminal/layer.h"

namespace terminal {

class MessageBoxLayer : public Layer {
 public:
  // An empty caption gives the default error caption.
  MessageBoxLayer(std::string_view text, std::string_view caption);

  const std::string& caption() const { return caption_; }
  const Rect& rect() const { return rect_; }
  Rect ok_button() const;
  Rect close_box() const { return Rect{rect_.right() - 4, rect_.y, 3, 1}; }

  void Layout(int width, int height) override;
  void Draw(CellGrid& grid, bool active) override;
  void HandleInput(const InputEvent& e) override;
  bool done() const override { return done_; }
  void Abandon() override { done_ = true; }

 private:
  std::string text_;
  std::string caption_;
  std::vector<std::string> lines_;
  Rect rect_;
  bool done_ = false;
};

}  // namespace terminal
