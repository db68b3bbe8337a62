// The control channel on Windows: posimctl.exe and raw clients on the named
// pipe of the program's directory, one command each or a stream.
#include <windows.h>
// After windows.h:
#include <aclapi.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "posim/channel/control_channel.h"
#include "posim/channel/control_pipe_win32.h"
#include "posim/devices/codes.h"
#include "posim/tests/library_fixture.h"
#include "posim/tests/posimctl_run.h"

namespace posim_test {
namespace {

struct RunResult {
  DWORD exit_code;
  std::string output;  // stdout and stderr
};

// posimctl.exe started in the current directory, what it prints (stdout and
// stderr) collected as it comes.
struct Child {
  PROCESS_INFORMATION process = {};
  std::string output;
  std::thread reader;
};

// flags: how it is created; by default without a console of its own.
std::unique_ptr<Child> Start(const std::string& words, DWORD flags = CREATE_NO_WINDOW) {
  auto child = std::make_unique<Child>();
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE read_end = nullptr, write_end = nullptr;
  if (!CreatePipe(&read_end, &write_end, &inherit, 0)) {
    child->output = "no pipe";
    return child;
  }
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = write_end;
  startup.hStdError = write_end;
  std::string command = "\"" + std::string(POSIMCTL_PATH) + "\" " + words;
  const BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, flags,
                                      nullptr, nullptr, &startup, &child->process);
  CloseHandle(write_end);
  if (!started) {
    CloseHandle(read_end);
    child->output = "cannot start " + command;
    return child;
  }
  child->reader = std::thread([read_end, out = &child->output] {
    char chunk[4096];
    for (DWORD n; ReadFile(read_end, chunk, sizeof chunk, &n, nullptr) && n > 0;) {
      out->append(chunk, n);
    }
    CloseHandle(read_end);
  });
  return child;
}

// Waits for it to end (10 s at most, then ends it) and collects what it printed.
RunResult Finish(Child& child) {
  if (child.process.hProcess == nullptr) return {999, child.output};
  if (WaitForSingleObject(child.process.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(child.process.hProcess, 998);
    WaitForSingleObject(child.process.hProcess, INFINITE);
  }
  child.reader.join();
  DWORD code = 999;
  GetExitCodeProcess(child.process.hProcess, &code);
  CloseHandle(child.process.hProcess);
  CloseHandle(child.process.hThread);
  return {code, child.output};
}

RunResult Posimctl(const std::string& words) {
  return Finish(*Start(words));
}

// A client of its own that has sent a line (none when empty) and stays connected.
HANDLE Stream(const std::string& line) {
  const HANDLE pipe = posim::ConnectToPipe(posim::kControlSocketName);
  if (pipe == INVALID_HANDLE_VALUE || line.empty()) return pipe;
  const std::string text = line + "\n";
  DWORD n = 0;
  EXPECT_TRUE(WriteFile(pipe, text.data(), static_cast<DWORD>(text.size()), &n, nullptr));
  return pipe;
}

// Reads until text has arrived, the channel's end or the time is up; all it read.
std::string ReadUntil(HANDLE pipe, const std::string& text, ULONGLONG ms) {
  std::string so_far;
  const ULONGLONG deadline = GetTickCount64() + ms;
  while (so_far.find(text) == std::string::npos && GetTickCount64() < deadline) {
    DWORD waiting = 0;
    if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &waiting, nullptr)) break;
    if (waiting == 0) {
      Sleep(10);
      continue;
    }
    char chunk[4096];
    DWORD n = 0;
    if (!ReadFile(pipe, chunk, sizeof chunk < waiting ? sizeof chunk : waiting, &n, nullptr)) {
      break;
    }
    so_far.append(chunk, n);
  }
  return so_far;
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

TEST_F(LibraryTest, PosimctlFailAndRs232ActOverThePipe) {
  const RunResult fail = Posimctl("fail open POSERR_SYS_DEVICE_OFFLINE");
  ASSERT_EQ(fail.exit_code, 0u) << fail.output;
  EXPECT_EQ(Open("DEVNAME", "PosRs232c"), -posim::kSysDeviceOffline);
  const std::int32_t port = Open("DEVNAME", "PosRs232c");
  ASSERT_GT(port, 0) << "one call only";
  const RunResult rs232 = Posimctl(R"(rs232 OK\r\n)");
  ASSERT_EQ(rs232.exit_code, 0u) << rs232.output;
  EXPECT_EQ(Read(port, 80).bytes, "OK\r\n");
}

std::string FileText(const char* name) {
  std::ifstream in(name);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(LibraryTest, PosimctlTraceFollowsTheCallsUntilTheSessionEnds) {
  const std::unique_ptr<Child> child = Start("trace --to calls.txt");
  // The stream is there once a call shows in the file.
  std::string file;
  for (int i = 0; i < 500 && file.find("PosVersion") == std::string::npos; ++i) {
    version_(&context_, 1, 2, 3);
    Sleep(20);
    file = FileText("calls.txt");
  }
  ASSERT_NE(file.find("PosVersion(1, 2, 3) = 0\n"), std::string::npos) << file;
  Open("DEVNAME", "PosScanner");
  ASSERT_EQ(term_(&context_), 0);
  const RunResult run = Finish(*child);
  EXPECT_EQ(run.exit_code, 0u) << run.output;
  const std::string open = R"(PosOpen("DEVNAME", "PosScanner", [], 0) = 0, handle 1 (SCANNER1))";
  EXPECT_NE(run.output.find(open), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("posimctl: the POS session ended"), std::string::npos) << run.output;
  EXPECT_NE(FileText("calls.txt").find(open), std::string::npos);
  DeleteFileA("calls.txt");
}

// Both ends check: the channel serves only its user's clients, and posimctl
// talks only to a pipe whose server runs as its own user.
TEST(PipeOwnerCheck, OnlyTheOwnersProcessesAreServedOrSpokenTo) {
  std::vector<BYTE> ours = posim::ProcessUser(GetCurrentProcess());
  ASSERT_FALSE(ours.empty());
  // The same domain, another account: the SID's last part one more.
  std::vector<BYTE> neighbour = ours;
  const PDWORD last =
      GetSidSubAuthority(neighbour.data(), *GetSidSubAuthorityCount(ours.data()) - 1);
  *last += 1;
  struct Sid {
    std::vector<BYTE> bytes;
    const char* text;  // as the refusal shows it
  };
  const auto well_known = [](WELL_KNOWN_SID_TYPE type, const char* text) {
    Sid sid{std::vector<BYTE>(SECURITY_MAX_SID_SIZE), text};
    DWORD size = SECURITY_MAX_SID_SIZE;
    EXPECT_TRUE(CreateWellKnownSid(type, nullptr, sid.bytes.data(), &size)) << text;
    return sid;
  };
  const Sid cases[] = {
      {ours, nullptr},
      well_known(WinLocalSystemSid, "S-1-5-18"),
      well_known(WinWorldSid, "S-1-1-0"),
      well_known(WinAnonymousSid, "S-1-5-7"),
      well_known(WinBuiltinAdministratorsSid, "S-1-5-32-544"),
      {neighbour, "S-1-5-"},
      {{}, "an unknown user"},
  };
  const std::string start = "error: this simulated terminal belongs to ";
  const std::string middle = "; only its owner may drive it, and you are ";
  const std::string our_name = posim::UserName(ours.data());
  for (Sid c : cases) {  // a copy: the calls take PSID
    SCOPED_TRACE(c.text == nullptr ? "ours" : c.text);
    PSID other = c.bytes.empty() ? nullptr : c.bytes.data();
    for (const bool we_own : {true, false}) {  // the channel's check, then posimctl's
      SCOPED_TRACE(we_own ? "a client of this user" : "a server of this user");
      std::string refusal;
      const bool served = we_own ? posim::ClientIsOwner(ours.data(), other, refusal)
                                 : posim::ClientIsOwner(other, ours.data(), refusal);
      EXPECT_EQ(served, c.text == nullptr);
      if (c.text == nullptr) {
        EXPECT_EQ(refusal, "");
        continue;
      }
      EXPECT_EQ(refusal.rfind(start, 0), 0u) << refusal;
      const std::size_t you = refusal.find(middle);
      ASSERT_NE(you, std::string::npos) << refusal;
      const std::string owner = refusal.substr(start.size(), you - start.size());
      const std::string client = refusal.substr(you + middle.size());
      EXPECT_NE((we_own ? client : owner).find(c.text), std::string::npos) << refusal;
      EXPECT_EQ(we_own ? owner : client, we_own ? our_name : our_name + "\n") << refusal;
    }
  }
}

TEST_F(LibraryTest, PosimctlSpeaksToAPipeOfItsOwnUser) {
  const HANDLE pipe = posim::ConnectToPipe(posim::kControlSocketName);
  ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
  std::string refusal;
  EXPECT_TRUE(posim::ServerIsOurs(pipe, refusal)) << refusal;
  CloseHandle(pipe);
}

TEST_F(LibraryTest, OnlyThePipesUserMayOpenIt) {
  const HANDLE pipe = posim::ConnectToPipe(posim::kControlSocketName);
  ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ASSERT_EQ(GetSecurityInfo(pipe, SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                            &dacl, nullptr, &descriptor),
            static_cast<DWORD>(ERROR_SUCCESS));
  ASSERT_NE(dacl, nullptr) << "a null DACL lets everyone in";
  EXPECT_EQ(dacl->AceCount, 1);
  void* ace = nullptr;
  ASSERT_TRUE(GetAce(dacl, 0, &ace));
  const auto* allowed = static_cast<const ACCESS_ALLOWED_ACE*>(ace);
  EXPECT_EQ(allowed->Header.AceType, ACCESS_ALLOWED_ACE_TYPE);
  std::vector<BYTE> ours = posim::ProcessUser(GetCurrentProcess());
  ASSERT_FALSE(ours.empty());
  EXPECT_TRUE(EqualSid(const_cast<DWORD*>(&allowed->SidStart), ours.data()));
  LocalFree(descriptor);
  CloseHandle(pipe);
  EXPECT_EQ(ExchangeOnChannel("show events\n").rfind("ok\n", 0), 0u)
      << "its user's own client is served";
}

TEST_F(LibraryTest, CtrlBreakStopsAScenarioBetweenTwoActions) {
  std::ofstream("slow.txt") << "0 scan 1\n5 scan 2\n";
  const std::int32_t scanner = Open("DEVNAME", "PosScanner");
  const std::unique_ptr<Child> child = Start("play slow.txt", CREATE_NEW_PROCESS_GROUP);
  std::string label;
  for (int i = 0; i < 300 && label.empty(); ++i) label = Read(scanner, 80).bytes;
  EXPECT_EQ(label, "1");
  const ULONGLONG stopped = GetTickCount64();
  // Ctrl-Break for the process group on the console the test shares with it
  // (Wine 8 refuses to send it: then the case cannot be run).
  if (!GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, child->process.dwProcessId)) {
    const DWORD why = GetLastError();
    TerminateProcess(child->process.hProcess, 997);
    Finish(*child);
    DeleteFileA("slow.txt");
    GTEST_SKIP() << "no Ctrl-Break can be sent here (error " << why << ")";
  }
  const RunResult run = Finish(*child);
  EXPECT_LT(GetTickCount64() - stopped, 1000u);
  EXPECT_EQ(run.exit_code, 130u) << run.output;
  EXPECT_NE(run.output.find("stopped after "), std::string::npos) << run.output;
  EXPECT_NE(run.output.find(" (1 actions, 0 failed)"), std::string::npos) << run.output;
  EXPECT_EQ(Output("scanner"), "waiting to be read: 0") << "the second label never came";
  DeleteFileA("slow.txt");
}

TEST_F(LibraryTest, PosimctlWatchPrintsEachViewUntilTheSessionEnds) {
  const std::unique_ptr<Child> child = Start("watch display");
  const std::int32_t display = Open("DEVNAME", "PosDisplay");
  Ioctl(display, posim::kReqSysAcquireDevice);
  Write(display, "HELLO");
  Sleep(500);
  ASSERT_EQ(term_(&context_), 0);
  const RunResult run = Finish(*child);
  EXPECT_EQ(run.exit_code, 0u) << run.output;
  EXPECT_EQ(run.output.rfind("DISPLAY1  PosDisplay", 0), 0u) << run.output;
  EXPECT_NE(run.output.find("HELLO"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("\r\n\r\n"), std::string::npos) << "a view ends with an empty line";
  EXPECT_NE(run.output.find("posimctl: the POS session ended"), std::string::npos) << run.output;
}

TEST_F(LibraryTest, IdleClientsHoldUpNobody) {
  std::vector<HANDLE> idle;
  for (int i = 0; i < 10; ++i) {
    idle.push_back(Stream(""));
    ASSERT_NE(idle.back(), INVALID_HANDLE_VALUE) << i;
  }
  const ULONGLONG asked = GetTickCount64();
  EXPECT_EQ(ExchangeOnChannel("show events\n").rfind("ok\n", 0), 0u);
  EXPECT_LT(GetTickCount64() - asked, 1000u);
  for (const HANDLE pipe : idle) CloseHandle(pipe);
}

TEST_F(LibraryTest, TheTraceStreamsEveryCallWhileOtherClientsAreServed) {
  const HANDLE trace = Stream("trace events");
  ASSERT_NE(trace, INVALID_HANDLE_VALUE);
  ASSERT_EQ(ReadUntil(trace, "ok\n", 2000), "ok\n");
  const std::int32_t scanner = Open("DEVNAME", "PosScanner");
  EXPECT_EQ(ExchangeOnChannel("scan 4006381333931\n"), "ok\n");
  EXPECT_EQ(Read(scanner, 80).bytes, "4006381333931");
  EXPECT_EQ(close_(&context_, 99), posim::kSysInvalidDescriptor);
  const std::string text = ReadUntil(trace, "PosClose(99)", 3000);
  CloseHandle(trace);
  for (const char* line : {
           R"(PosOpen("DEVNAME", "PosScanner", [], 0) = 0, handle 1 (SCANNER1))",
           "event POSM_SCAN_DATA_AVAIL (0x420B) to window 0x",
           R"(PosRead(1, [...], 80) = 0, "4006381333931" (13 bytes))",
           "PosClose(99) = 303 POSERR_SYS_INVALID_DESCRIPTOR",
       }) {
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
  }
}

TEST_F(LibraryTest, TheSessionsEndEndsItsStreams) {
  const HANDLE watch = Stream("watch display");
  ASSERT_NE(watch, INVALID_HANDLE_VALUE);
  const std::string view = ReadUntil(watch, "\f\n", 2000);
  EXPECT_EQ(view.rfind("ok\nDISPLAY1  PosDisplay", 0), 0u) << view;
  const ULONGLONG ended = GetTickCount64();
  ASSERT_EQ(term_(&context_), 0);
  EXPECT_EQ(ReadUntil(watch, "never sent", 3000), "");
  EXPECT_LT(GetTickCount64() - ended, 2000u) << "the stream ends with the session";
  CloseHandle(watch);
}

}  // namespace

// Sends bytes on a connection of its own and reads the reply.
std::string ExchangeOnChannel(const std::string& bytes) {
  std::string reply;
  return posim::ExchangeOnPipe(posim::kControlSocketName, bytes, reply) ==
                 posim::PipeExchange::kNoPipe
             ? "no connection"
             : reply;
}

PosimctlRun RunPosimctl(const std::vector<std::string>& words) {
  std::string line;
  for (const std::string& word : words) {
    const bool quote = word.empty() || word.find(' ') != std::string::npos;
    line += (line.empty() ? "" : " ") + (quote ? "\"" + word + "\"" : word);
  }
  const RunResult run = Posimctl(line);
  // Text-mode output: "\r\n" a line end.
  std::string output = run.output;
  for (std::size_t at = 0; (at = output.find("\r\n", at)) != std::string::npos;) {
    output.erase(at, 1);
  }
  return {static_cast<int>(run.exit_code), output};
}

}  // namespace posim_test
