// A scripted terminal for tests: it hands out input events (and runs test
// steps between them) in order, keeps the last painted grid, and reports the
// end of input when the loop waits once the script is done, so every loop
// comes to an end.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "ui/terminal/device.h"

namespace terminal {

class FakeDevice : public Device {
 public:
  using Step = std::function<void()>;

  explicit FakeDevice(Size size = {100, 30}) : size_(size) {}

  void Add(const InputEvent& e) { script_.emplace_back(e); }
  void Add(Step step) { script_.emplace_back(std::move(step)); }
  void Keys(std::initializer_list<Key> keys) {
    for (Key k : keys) Add(InputEvent::Of(k));
  }
  void Type(std::string_view text) {
    for (char c : text) Add(InputEvent::Char(c));
  }
  // The terminal takes this size at this point of the script.
  void SetSize(Size size) {
    Add([this, size] { size_ = size; });
    Add(InputEvent::Resize());
  }

  const CellGrid& painted() const { return painted_; }
  int paints() const { return paints_; }
  int wakes() const { return wakes_; }
  // What SetClipboard received, one text a call.
  const std::vector<std::string>& clipboard() const { return clipboard_; }

  Size size() const override { return size_; }
  bool Wait(int timeout_ms, std::vector<InputEvent>& out) override {
    // One event per wait, so that the loop renders between them.
    while (!script_.empty()) {
      auto next = std::move(script_.front());
      script_.pop_front();
      if (auto* step = std::get_if<Step>(&next)) {
        (*step)();
        return true;
      }
      out.push_back(std::get<InputEvent>(next));
      return true;
    }
    // A look without waiting finds nothing; waiting for more finds the end.
    return timeout_ms == 0;
  }
  void Wake() override { ++wakes_; }
  void Paint(const CellGrid& grid) override {
    painted_ = grid;
    ++paints_;
  }
  void SetClipboard(std::string_view text) override { clipboard_.emplace_back(text); }

 private:
  Size size_;
  std::deque<std::variant<InputEvent, Step>> script_;
  CellGrid painted_;
  int paints_ = 0;
  int wakes_ = 0;
  std::vector<std::string> clipboard_;
};

}  // namespace terminal
