// The control channel on Windows: posimctl.exe and raw clients on the named
// pipe of the program's directory.
#include <windows.h>

#include <string>

#include "posim/codes.h"
#include "posim/control_channel.h"
#include "posim/control_pipe_win32.h"
#include "posim/library_fixture.h"

namespace posim_test {
namespace {

struct RunResult {
  DWORD exit_code;
  std::string output;  // stdout and stderr
};

// Runs posimctl.exe in the current directory and collects what it prints.
RunResult Posimctl(const std::string& words) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE read_end = nullptr, write_end = nullptr;
  if (!CreatePipe(&read_end, &write_end, &inherit, 0)) return {999, "no pipe"};
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = write_end;
  startup.hStdError = write_end;
  PROCESS_INFORMATION process = {};
  std::string command = "\"" + std::string(POSIMCTL_PATH) + "\" " + words;
  const BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE,
                                      CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
  CloseHandle(write_end);
  if (!started) {
    CloseHandle(read_end);
    return {999, "cannot start " + command};
  }
  std::string output;
  char chunk[4096];
  for (DWORD n; ReadFile(read_end, chunk, sizeof chunk, &n, nullptr) && n > 0;) {
    output.append(chunk, n);
  }
  CloseHandle(read_end);
  WaitForSingleObject(process.hProcess, 10000);
  DWORD code = 999;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return {code, output};
}

// Sends bytes on a connection of its own and reads the reply.
std::string Exchange(const std::string& bytes) {
  std::string reply;
  return posim::ExchangeOnPipe(posim::kControlSocketName, bytes, reply) ==
                 posim::PipeExchange::kNoPipe
             ? "no connection"
             : reply;
}

TEST_F(LibraryTest, PosimctlDrivesTheTerminalOverThePipe) {
  const struct {
    const char* words;
    DWORD exit_code;
    const char* output;  // a part of what it prints
  } cases[] = {
      {"help", 0, "scan LABEL"},
      {"show devices", 0, "SCANNER1"},
      {"weigh lots", 1, "error: usage: weigh GRAMS"},
      {"frobnicate", 1, "error: unknown command 'frobnicate'"},
      {"-s C:\\nonexistent\\posim.sock help", 2, "no simulated terminal listens"},
      {"", 2, "usage: posimctl"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.words);
    const RunResult run = Posimctl(c.words);
    EXPECT_EQ(run.exit_code, c.exit_code) << run.output;
    EXPECT_NE(run.output.find(c.output), std::string::npos) << run.output;
  }
}

TEST_F(LibraryTest, PosimctlScanPostsTheScannerEventToTheWindow) {
  const std::int32_t scanner = Open("DEVNAME", "PosScanner");
  ASSERT_GT(scanner, 0);
  ClearPosts();
  const RunResult run = Posimctl("scan 4006381333931");
  ASSERT_EQ(run.exit_code, 0u) << run.output;
  const std::vector<Post> posts = WaitForPosts(1);
  ASSERT_EQ(posts.size(), 1u);
  EXPECT_EQ(posts[0].window, kWindow);
  EXPECT_EQ(posts[0].message, posim::kMsgScanDataAvail);
  EXPECT_EQ(posts[0].lparam & 0xFFFF, 13) << "the label's length";
  EXPECT_EQ(Read(scanner, 80).bytes, "4006381333931");
}

TEST_F(LibraryTest, ThePipeTakesOneBoundedLinePerConnection) {
  const struct {
    std::string sent;
    const char* reply;  // its beginning
  } cases[] = {
      {"show events\n", "ok\n"},
      {"show events\nrest", "ok\n"},
      {"values display\r\n", "ok\nrows = 2\n"},
      {"bogus\n", "error: unknown command 'bogus'"},
      {"scan " + std::string(200000, '7') + "\n", "error: command line longer than 65536 bytes"},
      // No line feed: the line is over when the client waits for the reply.
      {std::string(70000, 'x'), "error: command line longer than 65536 bytes"},
      {"show events", "error: no command line"},
      {"scan 1\nscan 2\n", "ok\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sent.substr(0, 40));
    const std::string reply = Exchange(c.sent);
    EXPECT_EQ(reply.rfind(c.reply, 0), 0u) << reply;
  }
  const std::int32_t scanner = Open("DEVNAME", "PosScanner");
  EXPECT_EQ(Read(scanner, 80).bytes, "1") << "only the first line ran";
  EXPECT_EQ(Read(scanner, 80).status, posim::kSysTimeout);
}

TEST_F(LibraryTest, TheChannelEndsWithTheSessionAndLeavesAnotherProgramsPipeAlone) {
  ASSERT_EQ(term_(&context_), 0);
  EXPECT_EQ(Posimctl("show events").exit_code, 2u) << "no channel without a session";

  // Another program's channel of the same place.
  const HANDLE other = CreateNamedPipeA(posim::ControlPipeName(posim::kControlSocketName).c_str(),
                                        PIPE_ACCESS_DUPLEX | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                        PIPE_TYPE_BYTE, 1, 4096, 4096, 0, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  ASSERT_EQ(Initialize(context_), 0);
  EXPECT_EQ(Control("show events").rfind("ok\n", 0), 0u) << "the test entry works regardless";
  ASSERT_EQ(term_(&context_), 0);
  CloseHandle(other);

  ASSERT_EQ(Initialize(context_), 0);
  EXPECT_EQ(Posimctl("show events").exit_code, 0u);
}

}  // namespace
}  // namespace posim_test
