// posimctl's new words against the loaded library: rs232, fail, check, the
// trace and watch streams, scenarios played, and the control socket's
// owner check and service of many clients at once.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "posim/devices/codes.h"
#include "posim/tests/library_fixture.h"
#include "posim/tests/posimctl_run.h"

namespace posim_test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr const char* kSocket = "posim.sock";

struct Child {
  pid_t pid = -1;
  int out = -1;  // stdout and stderr; on a pty, the terminal
};

using Finished = PosimctlRun;

// posimctl with these words, its output on a pipe, or on a pseudo-terminal.
Child Spawn(const std::vector<std::string>& words, bool terminal = false) {
  std::vector<std::string> args = {POSIMCTL_PATH};
  args.insert(args.end(), words.begin(), words.end());
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  Child child;
  if (terminal) {
    winsize size{};
    size.ws_row = 24;
    size.ws_col = 80;
    child.pid = forkpty(&child.out, nullptr, nullptr, &size);
  } else {
    int fds[2];
    if (pipe(fds) != 0) return child;
    child.pid = fork();
    if (child.pid == 0) {
      dup2(fds[1], 1);
      dup2(fds[1], 2);
      close(fds[0]);
      close(fds[1]);
    } else {
      close(fds[1]);
      child.out = fds[0];
    }
  }
  if (child.pid == 0) {
    execv(argv[0], argv.data());
    _exit(127);
  }
  return child;
}

// Reads fd until text has arrived or the time is up; everything read.
std::string ReadUntil(int fd, const std::string& text, std::chrono::milliseconds patience,
                      std::string so_far = {}) {
  const auto deadline = Clock::now() + patience;
  char chunk[4096];
  while (so_far.find(text) == std::string::npos && Clock::now() < deadline) {
    pollfd p = {fd, POLLIN, 0};
    if (poll(&p, 1, 50) <= 0) continue;
    const ssize_t n = read(fd, chunk, sizeof chunk);
    if (n <= 0) break;
    so_far.append(chunk, static_cast<std::size_t>(n));
  }
  return so_far;
}

Finished Finish(Child& child, std::string output = {}) {
  output = ReadUntil(child.out, "\x01never", 15s, output);
  close(child.out);
  int status = 0;
  waitpid(child.pid, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

// A connection that has sent a line (none when empty) and stays open.
int Stream(const std::string& line) {
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address = {};
  address.sun_family = AF_UNIX;
  std::strcpy(address.sun_path, kSocket);
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return -1;
  }
  if (line.empty()) return fd;
  const std::string text = line + "\n";
  EXPECT_EQ(send(fd, text.data(), text.size(), MSG_NOSIGNAL), static_cast<ssize_t>(text.size()));
  return fd;
}

// The trace lines without their time of day, which is checked.
std::vector<std::string> Untimed(const std::string& text) {
  static const std::regex time_of_day("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d ");
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    const std::string line = text.substr(start, end - start);
    EXPECT_TRUE(std::regex_search(line, time_of_day)) << line;
    lines.push_back(line.substr(13));
  }
  return lines;
}

void WriteFile(const char* name, const std::string& text) {
  std::ofstream(name) << text;
}

TEST_F(LibraryTest, Rs232BytesArriveWithTheWriteDialogsEscapes) {
  const struct {
    std::string line;
    const char* reply;
  } cases[] = {
      {R"(rs232 "AB\r\n\0Z\x41\101")", "ok\n"},
      {R"(rs232 "\q")", "error: --> Error, unknown escape sequence '\\q'\n"},
      {"rs232", "error: usage: rs232 BYTES\n"},
      {"rs232 \"\"", "error: usage: rs232 BYTES\n"},
      {"rs232 @SCANNER1 x", "error: SCANNER1 is no device of this kind\n"},
      {"rs232 " + std::string(65537, 'x'),
       "error: status 310: the port holds at most 65536 bytes to read\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(Control(c.line), c.reply) << c.line;
  const std::vector<Post> posts = WaitForPosts(1);
  ASSERT_EQ(posts.size(), 1u);
  EXPECT_EQ(posts[0].message, posim::kMsgRs232DataAvail);
  EXPECT_EQ(posts[0].lparam, 8);
  const std::int32_t port = Open("DEVNAME", "PosRs232c");
  EXPECT_EQ(Read(port, 80).bytes, std::string("AB\r\n\0ZAA", 8));
  EXPECT_EQ(Read(port, 80).status, posim::kSysTimeout);
  // From the command line, as a user types it.
  EXPECT_EQ(RunPosimctl({"rs232", R"(\x02OK\r\n)"}).exit_code, 0);
  EXPECT_EQ(Read(port, 80).bytes, "\x02OK\r\n");
}

TEST_F(LibraryTest, FailMakesTheNextCallsOfAnEntryAnswerAStatus) {
  const struct {
    const char* line;
    const char* reply;
  } words[] = {
      {"fail", "ok\nno faults pending\n"},
      {"fail open POSERR_SYS_DEVICE_OFFLINE 2", "ok\n"},
      {"fail PosRead 329", "ok\n"},
      {"fail write 0x132 0", "ok\n"},
      {"fail", "ok\nopen POSERR_SYS_DEVICE_OFFLINE, 2 calls\nread POSERR_SYS_TIMEOUT, 1 call\n"},
      {"fail initialize 317",
       "error: no entry initialize (open, close, ioctl, read, write, term or version)\n"},
      {"fail open NOPE", "error: no status NOPE (a POSERR_ name or a number other than 0)\n"},
      {"fail open 0", "error: no status 0 (a POSERR_ name or a number other than 0)\n"},
      {"fail open 317 -1", "error: usage: fail ENTRY STATUS [COUNT]|off\n"},
      {"fail open", "error: usage: fail ENTRY STATUS [COUNT]|off\n"},
  };
  for (const auto& w : words) EXPECT_EQ(Control(w.line), w.reply) << w.line;
  EXPECT_EQ(Open("DEVNAME", "PosScanner"), -posim::kSysDeviceOffline);
  EXPECT_EQ(Open("DEVNAME", "PosScanner"), -posim::kSysDeviceOffline);
  const std::int32_t scanner = Open("DEVNAME", "PosScanner");
  EXPECT_GT(scanner, 0) << "two calls only";
  Control("scan 123");
  EXPECT_EQ(Read(scanner, 80).status, posim::kSysTimeout) << "answered without reading";
  EXPECT_EQ(Read(scanner, 80).bytes, "123") << "the label waited";
  const std::int32_t display = Open("DEVNAME", "PosDisplay");
  EXPECT_EQ(Write(display, "x"), 0) << "count 0 set nothing";
  EXPECT_EQ(Control("fail close POSERR_SYS_HW_ERROR 5"), "ok\n");
  EXPECT_EQ(Control("fail off"), "ok\n");
  EXPECT_EQ(close_(&context_, display), 0);
  // From the command line, by the tool's names.
  EXPECT_EQ(RunPosimctl({"fail", "ioctl", "POSERR_SYS_INVALID_REQUEST"}).exit_code, 0);
  EXPECT_EQ(Ioctl(scanner, 302), posim::kSysInvalidRequest);
  EXPECT_EQ(Ioctl(scanner, 302), 0);
}

TEST_F(LibraryTest, CheckTellsWhetherALineIsGoodWithoutActing) {
  const struct {
    const char* line;
    const char* reply;
  } cases[] = {
      {"check scan 4006381333931", "ok\n"},
      {"check close-drawer", "ok\n"},  // not open now: no fault of the line
      {"check online DISPLAY1", "ok\n"},
      {"check fail open POSERR_SYS_TIMEOUT", "ok\n"},
      {"check show display", "ok\n"},
      {"check weigh lots", "error: usage: weigh GRAMS\n"},
      {"check scan @NOSUCH 1", "error: NOSUCH is no device of this kind\n"},
      {"check keylock 9", "error: status 310: the key lock has the positions 0 to 7\n"},
      {"check rs232 \"\\q\"", "error: --> Error, unknown escape sequence '\\q'\n"},
      {"check trace", "error: unknown command 'trace' (posimctl help lists them)\n"},
      {"check", "error: usage: check COMMAND [WORD...]\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(Control(c.line), c.reply) << c.line;
  EXPECT_EQ(Output("scanner"), "waiting to be read: 0");
  EXPECT_EQ(Control("fail"), "ok\nno faults pending\n");
  EXPECT_TRUE(WaitForPosts(1).empty()) << "nothing was posted";
}

TEST_F(LibraryTest, TheTraceTellsEveryCallAndEventAsItHappens) {
  const int fd = Stream("trace events");
  ASSERT_GE(fd, 0);
  std::string text = ReadUntil(fd, "ok\n", 2s);
  ASSERT_EQ(text, "ok\n");
  const std::int32_t scanner = Open("DEVNAME", "PosScanner", {{"beepVolume", 3}});
  std::vector<ResourcePair> pairs = {{"beepVolume", 0}, {"labelCount", 0}};
  IoctlInPlace(scanner, 302, pairs);
  Control("scan 4006381333931");
  Read(scanner, 80);
  const std::int32_t display = Open("DISPLAY1", "PosDisplay");
  Write(display, "HI\r");
  Control("fail close POSERR_SYS_HW_ERROR");
  close_(&context_, display);
  close_(&context_, display);
  EXPECT_EQ(close_(&context_, 99), posim::kSysInvalidDescriptor);
  text = ReadUntil(fd, "PosClose(99)", 3s, "");
  close(fd);
  const std::vector<std::string> want = {
      R"(PosOpen("DEVNAME", "PosScanner", [beepVolume=3], 1) = 0, handle 1 (SCANNER1))",
      R"(PosIoctl(1, 302 POS_SYS_GET_VALUES, [beepVolume=0, labelCount=0], 2) = 0, out 0, pairs )"
      R"(now [beepVolume=3, labelCount=0], 2)",
      "event POSM_SCAN_DATA_AVAIL (0x420B) to window 0x1234: wParam 0x00000001, lParam 13",
      R"(PosRead(1, [...], 80) = 0, "4006381333931" (13 bytes))",
      R"(PosOpen("DISPLAY1", "PosDisplay", [], 0) = 0, handle 2 (DISPLAY1))",
      R"(PosWrite(2, "HI\x0D" (3 bytes)) = 0, out 3)",
      "PosClose(2) = 306 POSERR_SYS_HW_ERROR (posimctl fail)",
      "PosClose(2) = 0, DISPLAY1",
      "PosClose(99) = 303 POSERR_SYS_INVALID_DESCRIPTOR",
  };
  EXPECT_EQ(Untimed(text), want);
}

TEST_F(LibraryTest, TheTraceEndsWithTheSessionsLastCalls) {
  const int fd = Stream("trace");
  ASSERT_GE(fd, 0);
  ASSERT_EQ(ReadUntil(fd, "ok\n", 2s), "ok\n");
  EXPECT_EQ(close_(&context_, 77), posim::kSysInvalidDescriptor);
  ASSERT_EQ(term_(&context_), 0);
  const auto ended = Clock::now();
  const std::string text = ReadUntil(fd, "\x01never", 3s);
  close(fd);
  EXPECT_LT(Clock::now() - ended, 2s) << "the stream ends with the session";
  const std::vector<std::string> want = {"PosClose(77) = 303 POSERR_SYS_INVALID_DESCRIPTOR",
                                         "PosTerm() = 0"};
  EXPECT_EQ(Untimed(text), want);
}

TEST_F(LibraryTest, PosimctlTraceWritesTheCallsIntoAFileTooUntilCtrlC) {
  Child child = Spawn({"trace", "--to", "calls.txt"});
  // The stream is there once a call shows in the file.
  std::string file;
  for (int i = 0; i < 100 && file.find("PosVersion") == std::string::npos; ++i) {
    version_(&context_, 1, 2, 3);
    std::this_thread::sleep_for(20ms);
    std::ifstream in("calls.txt");
    file.assign(std::istreambuf_iterator<char>(in), {});
  }
  ASSERT_NE(file.find("PosVersion(1, 2, 3) = 0\n"), std::string::npos) << file;
  Open("DEVNAME", "PosScanner", {{"terminalName", reinterpret_cast<std::uintptr_t>("LANE 9")}});
  const std::string shown = ReadUntil(child.out, "PosOpen", 2s);
  kill(child.pid, SIGINT);
  const Finished done = Finish(child, shown);
  EXPECT_EQ(done.exit_code, 0) << done.output;
  const std::string open = R"(PosOpen("DEVNAME", "PosScanner", [terminalName="LANE 9"], 1) = 0)";
  EXPECT_NE(done.output.find(open), std::string::npos) << done.output;
  std::ifstream in("calls.txt");
  file.assign(std::istreambuf_iterator<char>(in), {});
  EXPECT_NE(file.find(open), std::string::npos) << file;
  unlink("calls.txt");
}

// The views of a watch stream that have arrived within the time.
std::vector<std::string> Views(int fd, std::size_t count, std::string& buffer) {
  buffer = ReadUntil(fd, "\x01never", 100ms, buffer);
  const auto deadline = Clock::now() + 2s;
  std::vector<std::string> views;
  while (true) {
    views.clear();
    std::size_t start = buffer.rfind("ok\n", 0) == 0 ? 3 : 0;
    for (std::size_t end; (end = buffer.find("\f\n", start)) != std::string::npos;
         start = end + 2) {
      views.push_back(buffer.substr(start, end - start));
    }
    if (views.size() >= count || Clock::now() > deadline) return views;
    buffer = ReadUntil(fd, "\x01never", 50ms, buffer);
  }
}

TEST_F(LibraryTest, WatchSendsTheViewAgainWheneverItChanges) {
  EXPECT_EQ(ReadUntil(Stream("watch nosuch"), "\n", 2s),
            "error: the terminal has no device nosuch\n");
  const int fd = Stream("watch display");
  std::string buffer;
  std::vector<std::string> views = Views(fd, 1, buffer);
  ASSERT_EQ(views.size(), 1u) << buffer;
  EXPECT_EQ(views[0],
            "DISPLAY1  PosDisplay  device 0x24  subtype 1  slot 0  port 0x22  on line\n"
            "handles: none open\n"
            "cursor row 0, column 0\n"
            "+--------------------+\n"
            "|                    |\n"
            "|                    |\n"
            "+--------------------+\n");
  const auto written = Clock::now();
  const std::int32_t display = Open("DEVNAME", "PosDisplay");
  Ioctl(display, posim::kReqSysAcquireDevice);
  Write(display, "HELLO\r\nTOTAL 1\x1B");
  views = Views(fd, 2, buffer);
  ASSERT_GE(views.size(), 2u) << buffer;
  EXPECT_LT(Clock::now() - written, 1s);
  EXPECT_EQ(views.back(),
            "DISPLAY1  PosDisplay  device 0x24  subtype 1  slot 0  port 0x22  on line\n"
            "handles:  1 DISPLAY1 (acquired)\n"
            "cursor row 1, column 7\n"
            "+--------------------+\n"
            "|HELLO               |\n"
            "|TOTAL 1             |\n"
            "+--------------------+\n");
  close(fd);
  // The whole terminal: a line a device, the displays' rows in boxes.
  const int all = Stream("watch");
  buffer.clear();
  views = Views(all, 1, buffer);
  close(all);
  ASSERT_EQ(views.size(), 1u);
  for (const char* line : {"LANE 1: 13 devices, ", "\nhandles:  1 DISPLAY1 (acquired)\n",
                           "\nDISPLAY1     display   |HELLO               |\n"
                           "                       |TOTAL 1             |\nDISPLAY2 ",
                           "\nSCANNER1     scanner   0 labels waiting\n",
                           "\nDRAWER1      drawer    closed, opened 0 times\n"}) {
    EXPECT_NE(views[0].find(line), std::string::npos) << line << "\n" << views[0];
  }
}

TEST_F(LibraryTest, PosimctlWatchGivesTheTerminalBackOnQ) {
  Child child = Spawn({"watch", "display"}, true);
  std::string shown = ReadUntil(child.out, "|                    |", 3s);
  EXPECT_NE(shown.find("\x1b[?1049h"), std::string::npos) << "the other screen";
  const std::int32_t display = Open("DEVNAME", "PosDisplay");
  Write(display, "PAY NOW");
  shown = ReadUntil(child.out, "|PAY NOW", 2s, shown);
  EXPECT_NE(shown.find("|PAY NOW             |"), std::string::npos) << shown;
  termios during{};
  tcgetattr(child.out, &during);
  EXPECT_EQ(during.c_lflag & (ICANON | ECHO), 0u) << "keys one at a time";
  ASSERT_EQ(write(child.out, "q", 1), 1);
  std::this_thread::sleep_for(300ms);
  termios after{};
  tcgetattr(child.out, &after);
  const Finished done = Finish(child, shown);
  EXPECT_EQ(done.exit_code, 0);
  EXPECT_NE(done.output.find("\x1b[?25h\x1b[?1049l"), std::string::npos) << "the screen back";
  EXPECT_EQ(after.c_lflag & (ICANON | ECHO), static_cast<tcflag_t>(ICANON | ECHO));
}

// When each of the first count posts arrived, in seconds after the first.
std::vector<double> ArrivalTimes(std::size_t count) {
  std::vector<double> times;
  Clock::time_point first;
  for (std::size_t n = 1; n <= count; ++n) {
    if (WaitForPosts(n).size() < n) break;
    const auto now = Clock::now();
    if (n == 1) first = now;
    times.push_back(std::chrono::duration<double>(now - first).count());
  }
  return times;
}

TEST_F(LibraryTest, TheCheckoutScenarioPlaysEachEventOnTime) {
  Playing play(Scenario("checkout.txt"));
  const std::vector<double> times = ArrivalTimes(4);
  const Finished done = play.Wait();
  EXPECT_EQ(done.exit_code, 0) << done.output;
  const double want[] = {0.0, 1.0, 2.0, 5.0};
  ASSERT_EQ(times.size(), std::size(want));
  for (std::size_t i = 0; i < times.size(); ++i) EXPECT_NEAR(times[i], want[i], 0.25) << i;
  const std::vector<Post> posts = WaitForPosts(4);
  EXPECT_EQ(posts[3].message, posim::kMsgMsrDataAvail);
  EXPECT_EQ(Output("scanner"),
            "waiting to be read: 3\n4006381333931\n5000112637922\n4006381333931");
  // The exact times are scenario_player_test.cpp's; a slow host may end late.
  EXPECT_NE(done.output.find("done in 5."), std::string::npos) << done.output;
  EXPECT_NE(done.output.find(" s: 6 actions, 0 failed\n"), std::string::npos) << done.output;
}

TEST_F(LibraryTest, AScenarioFollowsTheProgramWithWaitFor) {
  Playing play(Scenario("follow-the-program.txt"));
  std::this_thread::sleep_for(700ms);
  EXPECT_TRUE(WaitForPosts(1).empty()) << "nothing before the scanner is opened";
  const auto opened = Clock::now();
  const std::int32_t scanner = Open("DEVNAME", "PosScanner");
  ASSERT_EQ(WaitForPosts(5).size(), 5u);
  EXPECT_NEAR(std::chrono::duration<double>(Clock::now() - opened).count(), 2.5, 0.3);
  EXPECT_EQ(Read(scanner, 80).bytes, "4006381333931");
  ClearPosts();
  const std::int32_t drawer = Open("DEVNAME", "PosDrawer");
  const auto till_opened = Clock::now();
  ASSERT_EQ(Ioctl(drawer, posim::kReqTillOpenTill), 0);
  const std::vector<Post> posts = WaitForPosts(2);
  ASSERT_EQ(posts.size(), 2u);
  EXPECT_EQ(posts[1].message, posim::kMsgTillClosed);
  EXPECT_NEAR(std::chrono::duration<double>(Clock::now() - till_opened).count(), 2.0, 0.3);
  const Finished done = play.Wait();
  EXPECT_EQ(done.exit_code, 0) << done.output;
  EXPECT_NE(done.output.find("... "), std::string::npos) << done.output;
}

TEST_F(LibraryTest, ThePrinterTroubleScenarioLeavesItsFaultsPending) {
  const Finished done = Playing(Scenario("printer-trouble.txt")).Wait();
  EXPECT_EQ(done.exit_code, 0) << done.output;
  std::vector<std::uint32_t> messages;
  for (const Post& post : WaitForPosts(4)) messages.push_back(post.message);
  EXPECT_EQ(messages, (std::vector<std::uint32_t>{posim::kMsgPrnPrinterError,
                                                  posim::kMsgPrnStatusChange, 0x420C, 0x420D}));
  EXPECT_EQ(Control("fail"), "ok\nwrite POSERR_SYS_HW_ERROR, 2 calls\n");
}

TEST_F(LibraryTest, CtrlCStopsAScenarioBetweenTwoActions) {
  WriteFile("slow.txt", "0 scan 1\n5 scan 2\n");
  Child child = Spawn({"play", "slow.txt"});
  ASSERT_EQ(WaitForPosts(1).size(), 1u);
  const auto stopped = Clock::now();
  kill(child.pid, SIGINT);
  const Finished done = Finish(child);
  EXPECT_LT(Clock::now() - stopped, 1s);
  EXPECT_EQ(done.exit_code, 130);
  EXPECT_NE(done.output.find("stopped after"), std::string::npos) << done.output;
  EXPECT_EQ(Output("scanner"), "waiting to be read: 1\n1");
  unlink("slow.txt");
}

TEST_F(LibraryTest, IdleClientsHoldUpNobody) {
  std::vector<int> idle;
  for (int i = 0; i < 10; ++i) idle.push_back(Stream(""));
  const auto asked = Clock::now();
  const Finished done = RunPosimctl({"show", "events"});
  EXPECT_EQ(done.exit_code, 0);
  EXPECT_LT(Clock::now() - asked, 1s);
  for (const int fd : idle) close(fd);
}

TEST_F(LibraryTest, OnlyTheSocketsOwnerMayDriveTheTerminal) {
  struct stat info;
  ASSERT_EQ(stat(kSocket, &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  if (geteuid() != 0) GTEST_SKIP() << "another user's client needs root to start";
  // A client of another user: through a socket file that lets everyone in,
  // it meets the peer check; through the owner's file, posimctl says why.
  ASSERT_EQ(chmod(directory_.c_str(), 0711), 0);
  for (const bool open_file : {true, false}) {
    SCOPED_TRACE(open_file);
    ASSERT_EQ(chmod(kSocket, open_file ? 0666 : 0600), 0);
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t pid = fork();
    if (pid == 0) {
      dup2(fds[1], 1);
      dup2(fds[1], 2);
      if (setgid(65534) != 0 || setuid(65534) != 0) _exit(3);
      if (open_file) {
        const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        std::strcpy(address.sun_path, kSocket);
        if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
          _exit(4);
        }
        // The refusal may come first: the line need not go through.
        send(fd, "show events\n", 12, MSG_NOSIGNAL);
        char reply[512];
        const ssize_t n = read(fd, reply, sizeof reply);
        _exit(n > 0 && write(1, reply, static_cast<std::size_t>(n)) == n ? 0 : 6);
      }
      execl(POSIMCTL_PATH, POSIMCTL_PATH, "show", "events", nullptr);
      _exit(127);
    }
    close(fds[1]);
    Child child{pid, fds[0]};
    const Finished done = Finish(child);
    if (open_file) {
      EXPECT_EQ(done.exit_code, 0);
      EXPECT_EQ(
          done.output.rfind("error: this simulated terminal belongs to root (uid 0); only its "
                            "owner may drive it, and you are ",
                            0),
          0u)
          << done.output;
    } else {
      EXPECT_EQ(done.exit_code, 2);
      EXPECT_NE(done.output.find("/posim.sock belongs to root: only its owner may drive that "
                                 "simulated terminal"),
                std::string::npos)
          << done.output;
    }
  }
  chmod(directory_.c_str(), 0700);
  EXPECT_EQ(Control("show events").rfind("ok\n", 0), 0u) << "nothing was run";
}

}  // namespace

PosimctlRun RunPosimctl(const std::vector<std::string>& words) {
  Child child = Spawn(words);
  return Finish(child);
}

}  // namespace posim_test
