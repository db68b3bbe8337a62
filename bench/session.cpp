#include "bench/session.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "bench/flood_protocol.h"

namespace bench {

namespace fs = std::filesystem;

BuiltFiles DefaultBuiltFiles() {
  return {RIDOZOD_PROGRAM, RIDOZOD_LIST_FOLDER, FLOOD_LIBRARY};
}

RunFolder::~RunFolder() {
  std::error_code ignored;
  if (!dir_.empty()) fs::remove_all(dir_, ignored);
}

bool RunFolder::Make(const BuiltFiles& files, std::string* error) {
  std::string pattern = (fs::temp_directory_path() / "ridozod-flood-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    *error = "cannot make a temporary folder";
    return false;
  }
  dir_ = pattern;
  std::error_code ec;
  for (const fs::directory_entry& e : fs::directory_iterator(files.list_folder, ec))
    if (e.path().extension() == ".DAT") fs::copy_file(e.path(), dir_ / e.path().filename(), ec);
  fs::copy_file(files.program, fs::path(dir_) / "ridozod", ec);
  if (!ec) fs::copy_file(files.library, fs::path(dir_) / "libvekapi32.so", ec);
  if (ec) {
    *error = "cannot fill the run folder: " + ec.message();
    return false;
  }
  return true;
}

Session::~Session() {
  pty_.Kill();
  if (control_ >= 0) close(control_);
}

bool Session::Start(const RunFolder& folder, PtyOptions options, std::string* error) {
  int pair[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) {
    *error = "cannot make the control socket";
    return false;
  }
  control_ = pair[0];
  options.program = folder.program();
  options.pass_fd = pair[1];
  options.environment.push_back(std::string(flood::kControlVariable) + "=" +
                                std::to_string(flood::kControlFd));
  const bool started = pty_.Start(options, error);
  close(pair[1]);
  return started;
}

bool Session::Step(std::string_view keys, std::string_view shows, int timeout_ms,
                   std::string* error) {
  pty_.Send(keys);
  if (pty_.WaitForText(shows, timeout_ms)) return true;
  *error = "never showed \"" + std::string(shows) + "\":\n" + ScreenText(pty_.screen());
  return false;
}

// From the first field of the Initialize or Open dialog to its OK button.
void Session::ToOkButton() {
  for (int i = 0; i < 7; ++i) pty_.Send(keys::kTab);
}

bool Session::Initialize(std::string* error) {
  if (!pty_.WaitForText(" F10: Pos_Commands", 10000)) {
    *error = "no main window:\n" + ScreenText(pty_.screen());
    return false;
  }
  if (!Step(keys::kF10, "PosInitialize", 5000, error)) return false;
  if (!Step(keys::kEnter, "POS Initialization", 5000, error)) return false;
  ToOkButton();
  if (!Step(keys::kEnter, "Initialize Successful.", 5000, error)) return false;
  pty_.Send(keys::kEnter);
  if (!pty_.WaitFor([](const VtScreen& s) { return !s.Shows("Initialize Successful."); }, 5000)) {
    *error = "the box stayed";
    return false;
  }
  const std::optional<std::string> report = NextReport(5000);
  if (!report || *report != "init") {
    *error = "the flood library was not initialised";
    return false;
  }
  return true;
}

bool Session::Open(std::string* error) {
  if (!Step(keys::kF10, "PosInitialize", 5000, error)) return false;
  pty_.Send(keys::kDown);
  if (!Step(keys::kEnter, "Device Name", 5000, error)) return false;
  ToOkButton();
  if (!Step(keys::kEnter, "Handle :  1", 5000, error)) return false;
  pty_.Send(keys::kEnter);
  pty_.WaitFor([](const VtScreen& s) { return !s.Shows("POS Open"); }, 5000);
  return true;
}

void Session::Command(const std::string& line) {
  const std::string text = line + "\n";
  [[maybe_unused]] ssize_t n = write(control_, text.data(), text.size());
}

std::optional<std::string> Session::TakeLine() {
  const std::size_t end = pending_.find('\n');
  if (end == std::string::npos) return std::nullopt;
  std::string line = pending_.substr(0, end);
  pending_.erase(0, end + 1);
  return line;
}

std::optional<std::string> Session::NextReport(int timeout_ms) {
  const Clock::time_point end = Clock::now() + std::chrono::milliseconds(timeout_ms);
  while (true) {
    if (std::optional<std::string> line = TakeLine()) return line;
    if (Clock::now() >= end) return std::nullopt;
    pollfd p{control_, POLLIN, 0};
    if (poll(&p, 1, 0) > 0) {
      char buffer[512];
      const ssize_t n = read(control_, buffer, sizeof buffer);
      if (n <= 0) return std::nullopt;  // closed
      pending_.append(buffer, static_cast<std::size_t>(n));
      continue;
    }
    pty_.Read(1);
  }
}

std::vector<std::string> Session::RemainingReports(int timeout_ms) {
  std::vector<std::string> lines;
  const Clock::time_point end = Clock::now() + std::chrono::milliseconds(timeout_ms);
  while (Clock::now() < end) {
    std::optional<std::string> line = NextReport(static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count()));
    if (!line) break;
    lines.push_back(*line);
  }
  return lines;
}

}  // namespace bench
