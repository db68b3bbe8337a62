// The CommandLog's menu in the terminal: "Copy" sends the selected line, or
// the whole log, to the terminal's clipboard; "Save log as..." asks for the
// file name in a small box (the default: a dated name in the program's
// folder) and writes the log there, or shows why it could not.
#pragma once

#include "files/log_file.h"
#include "port/port.h"
#include "ui/terminal/device.h"
#include "ui/terminal/log_box.h"

namespace terminal {

// The log's lines as the writer reads them.
class LogBoxLines : public files::LogLines {
 public:
  explicit LogBoxLines(const LineStore& store) : store_(store) {}
  std::size_t Count() const override { return store_.size(); }
  std::string_view Line(std::size_t index) const override { return store_[index]; }

 private:
  const LineStore& store_;
};

// id: res::kLogCopy.id or res::kLogSave.id; others do nothing.
void RunLogCommand(int id, const LogBox& log, Device& device, ui::Port& port);

}  // namespace terminal
