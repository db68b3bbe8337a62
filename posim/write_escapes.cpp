#include "posim/write_escapes.h"

#include <vector>

#include "dialogs/escapes.h"
#include "ui/port.h"

namespace posim {

namespace {

// The decoder reports an unknown sequence in the CommandLog; here that line
// is the reason for refusing the text.
class Complaints : public ui::Port {
 public:
  void AppendLog(std::string_view line) override {
    if (first.empty()) first = line;
  }
  void ShowMessage(std::string_view, std::string_view) override {}
  int RunDialog(const res::DialogTemplate&, ui::DialogProc&) override { return 0; }
  ui::WindowHandle MainWindow() const override { return 0; }
  void DestroyMainWindow() override {}

  std::string first;
};

}  // namespace

bool DecodeWriteEscapes(std::string_view text, std::string& bytes, std::string& error) {
  if (text.find('\0') != std::string_view::npos) {
    error = "a zero byte is written \\0";
    return false;
  }
  std::vector<char> buffer(text.begin(), text.end());
  buffer.push_back('\0');
  Complaints complaints;
  const std::size_t n = dialogs::DecodeEscapes(complaints, buffer.data());
  if (!complaints.first.empty()) {
    error = complaints.first;
    return false;
  }
  bytes.assign(buffer.data(), n);
  return true;
}

}  // namespace posim
