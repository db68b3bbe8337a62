// One session in this process: the scripted front end drives the core's main
// window procedure and command dialogs, which call the real binding, which
// loads a POS library; the library's device events come back through the
// exported posting call.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <ostream>
#include <thread>

#include "app/main_window.h"
#include "dialogs/command_dialogs.h"
#include "dialogs/pos_calls.h"
#include "dialogs/test_support.h"
#include "posapi/binding.h"
#include "resources/templates.h"
#include "tests/post_receiver.h"
#include "ui/scripted/scripted_port.h"

namespace ui {
// Failures show entries as text.
inline void PrintTo(const ScriptedPort::Entry& e, std::ostream* out) {
  *out << (e.kind == ScriptedPort::Entry::kLog ? "log \"" : "box \"") << e.text << "\" "
       << e.caption;
}
}  // namespace ui

namespace session {

using Entry = ui::ScriptedPort::Entry;
using dialogs::testing::Box;
using dialogs::testing::LogLine;

// A session: the list files in a folder of its own, the core's state, the
// main window procedure receiving what the library posts.
struct Session {
  explicit Session(const char* library) {
    for (const auto& file : std::filesystem::directory_iterator(LIST_FILE_DIR))
      if (file.path().extension() == ".DAT")
        std::filesystem::copy(file.path(), file.path().filename());
    port.SetMainWindowProc(&main);
    port.SetMainWindowHandle(receiver.window());
    port.InstallAsPostTarget();
    posapi::SetLibraryFileForTesting(library);
  }
  ~Session() {
    posapi::PosTerm();  // before the port stops taking posts
    posapi::SetLibraryFileForTesting(nullptr);
  }

  // Runs a menu command with one dialog script; what it added to the log and
  // the boxes it showed.
  std::vector<Entry> Command(int id, ui::ScriptedPort::DialogScript script) {
    const std::size_t before = port.entries().size();
    port.ExpectDialog(std::move(script));
    main.OnCommand(id);
    return {port.entries().begin() + static_cast<std::ptrdiff_t>(before), port.entries().end()};
  }

  // Dispatches posted messages until done() holds (at most the time given).
  bool PumpUntil(const std::function<bool()>& done,
                 std::chrono::milliseconds limit = std::chrono::seconds(5)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
      Pump();
      if (done()) return true;
      if (std::chrono::steady_clock::now() > end) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }

  // Dispatches every message posted so far.
  void Pump() {
    receiver.Flush();
    port.Pump();
  }

  std::size_t LinesOf(const std::string& text) const {
    const std::vector<std::string> lines = port.LogLines();
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), text));
  }

  dialogs::testing::TempCurrentDir dir;
  PostReceiver receiver;  // outlives the port's post target
  ui::ScriptedPort port;
  names::NameScratch scratch;
  dialogs::ResourceArgList args;
  dialogs::BoundPosCalls pos;
  dialogs::Context context{port, scratch, args, pos};
  app::MainWindowProcedure main{port, scratch,
                                [this](int id) { dialogs::RunCommandDialog(context, id); }};
};

}  // namespace session
