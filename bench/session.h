// The real program with the flood library, in a pseudo-terminal: a run
// folder of its own (the program, the list files, the flood library as
// vekapi32), the control socket, and the steps a user takes to get it going.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "bench/pty_program.h"

namespace bench {

// Where the built pieces are (CMake passes them in).
struct BuiltFiles {
  std::string program;      // ridozod
  std::string list_folder;  // the folder with the sixteen list files
  std::string library;      // the flood library
};
BuiltFiles DefaultBuiltFiles();

// A temporary run folder, removed with the object.
class RunFolder {
 public:
  RunFolder() = default;
  ~RunFolder();
  RunFolder(const RunFolder&) = delete;
  RunFolder& operator=(const RunFolder&) = delete;
  bool Make(const BuiltFiles& files, std::string* error);
  std::string program() const { return dir_ + "/ridozod"; }

 private:
  std::string dir_;
};

class Session {
 public:
  Session() = default;
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Starts the program from the folder.
  bool Start(const RunFolder& folder, PtyOptions options, std::string* error);
  PtyProgram& pty() { return pty_; }
  const VtScreen& screen() const { return pty_.screen(); }

  // PosInitialize and PosOpen through their dialogs, with the defaults; each
  // closes its success box. False (with what the screen showed) on the way.
  bool Initialize(std::string* error);
  bool Open(std::string* error);

  // A command to the flood library, and its next report (the screen is read
  // meanwhile, so that the program never waits on a full terminal).
  void Command(const std::string& line);
  std::optional<std::string> NextReport(int timeout_ms);
  // Every report until the program and the library have closed the socket.
  std::vector<std::string> RemainingReports(int timeout_ms);

 private:
  bool Step(std::string_view keys, std::string_view shows, int timeout_ms, std::string* error);
  std::optional<std::string> TakeLine();
  void ToOkButton();

  PtyProgram pty_;
  int control_ = -1;
  std::string pending_;
};

}  // namespace bench
