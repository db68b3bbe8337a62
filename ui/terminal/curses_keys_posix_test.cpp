#include <curses.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>

#include "ui/terminal/curses_device.h"

namespace terminal {
namespace {

TEST(CursesKeys, CodesToInputEvents) {
  struct Case {
    int code;
    Key key;
    char ch;
  };
  const Case cases[] = {
      {'a', Key::kChar, 'a'},    {'\n', Key::kChar, '\n'},  // Ctrl-J
      {'\r', Key::kEnter, 0},    {KEY_ENTER, Key::kEnter, 0},
      {'\t', Key::kTab, 0},      {KEY_BTAB, Key::kBackTab, 0},
      {27, Key::kEscape, 0},     {127, Key::kBackspace, 0},
      {8, Key::kBackspace, 0},   {KEY_BACKSPACE, Key::kBackspace, 0},
      {KEY_F(1), Key::kF1, 0},   {KEY_F(4), Key::kF4, 0},
      {KEY_F(10), Key::kF10, 0}, {KEY_F(12), Key::kF12, 0},
      {KEY_UP, Key::kUp, 0},     {KEY_NPAGE, Key::kPageDown, 0},
      {KEY_HOME, Key::kHome, 0}, {KEY_END, Key::kEnd, 0},
      {KEY_DC, Key::kDelete, 0}, {KEY_IC, Key::kInsert, 0},
      {1, Key::kChar, '\x01'},
  };
  for (const Case& c : cases) {
    const std::optional<InputEvent> e = DecodeCursesKey(c.code);
    ASSERT_TRUE(e.has_value()) << c.code;
    EXPECT_EQ(e->key, c.key) << c.code;
    EXPECT_EQ(e->ch, c.ch) << c.code;
    EXPECT_FALSE(e->alt);
  }
  EXPECT_FALSE(DecodeCursesKey(KEY_F(30)).has_value());
}

TEST(CursesKeys, NoTerminalIsReported) {
  // Under ctest standard input is not a terminal.
  if (isatty(0) && isatty(1)) GTEST_SKIP() << "running in a terminal";
  EXPECT_FALSE(TerminalProblem().empty());
  std::string error;
  EXPECT_EQ(StartCursesDevice(&error), nullptr);
  EXPECT_FALSE(error.empty());
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// A child process whose standard streams are a new pseudo-terminal
// of 100x30 with the given TERM. The child runs body and ends with its exit
// code; the test talks to it through the terminal's master side.
struct PtyChild {
  int master = -1;
  pid_t pid = -1;
  std::string slave_name;

  PtyChild(const char* term, const std::function<int()>& body) {
    master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return;
    slave_name = ptsname(master);
    pid = fork();
    if (pid != 0) return;
    close(master);  // the terminal is the parent's: closing it hangs the child's side up
    setsid();
    const int slave = open(slave_name.c_str(), O_RDWR);
    const winsize size{30, 100, 0, 0};
    ioctl(slave, TIOCSWINSZ, &size);
    dup2(slave, STDIN_FILENO);
    dup2(slave, STDOUT_FILENO);
    dup2(slave, STDERR_FILENO);  // a sanitizer's report of the fault too
    setenv("TERM", term, 1);
    _exit(body());
  }
  ~PtyChild() {
    if (pid > 0) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
    if (master >= 0) close(master);
  }

  // Everything the child writes until it has gone (or a time-out).
  std::string Output() {
    std::string out;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < end) {
      pollfd p{master, POLLIN, 0};
      if (poll(&p, 1, 100) <= 0) continue;
      char buf[4096];
      const ssize_t n = read(master, buf, sizeof buf);
      if (n <= 0) break;  // EIO once the child's side is closed
      out.append(buf, static_cast<std::size_t>(n));
    }
    return out;
  }
  // Waits for the child; its wait status.
  int Wait() {
    int status = 0;
    waitpid(pid, &status, 0);
    pid = -1;
    return status;
  }
};

// The device started, then the signal: the terminal is given back as it was
// (cooked, with echo; the normal screen) before the signal takes its course.
TEST(CursesDevice, FatalSignalsGiveTheTerminalBack) {
  for (int sig : {SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGABRT, SIGSEGV}) {
    PtyChild child("xterm", [sig] {
      const rlimit no_core{0, 0};  // SIGQUIT and SIGABRT would leave a core file
      setrlimit(RLIMIT_CORE, &no_core);
      std::string error;
      std::unique_ptr<Device> device = StartCursesDevice(&error);
      if (!device) return 3;
      kill(getpid(), sig);
      return 4;  // not reached
    });
    ASSERT_GT(child.pid, 0);
    const std::string out = child.Output();
    const int status = child.Wait();
    if (sig == SIGSEGV && kSanitized)  // the sanitizer reports the fault and exits
      EXPECT_FALSE(WIFEXITED(status) && WEXITSTATUS(status) != 1) << sig;
    else
      EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << sig << " status " << status;
    const std::size_t entered = out.rfind("\033[?1049h");
    const std::size_t left = out.rfind("\033[?1049l");
    ASSERT_NE(entered, std::string::npos) << sig;
    EXPECT_TRUE(left != std::string::npos && left > entered) << sig;
    EXPECT_NE(out.find("\033[?1000l", entered), std::string::npos) << sig << ": mouse off";
    const int slave = open(child.slave_name.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(slave, 0);
    termios t{};
    ASSERT_EQ(tcgetattr(slave, &t), 0);
    close(slave);
    EXPECT_TRUE((t.c_lflag & ICANON) && (t.c_lflag & ECHO)) << sig;
  }
}

// What the child reported through the pipe's read end, once it has ended.
std::string Finish(PtyChild& child, int report) {
  std::string said;
  char buf[512];
  for (ssize_t n; (n = read(report, buf, sizeof buf)) > 0;)
    said.append(buf, static_cast<std::size_t>(n));
  close(report);
  child.Output();
  child.Wait();
  return said;
}

// What the device decodes from the bytes typed into a terminal of the TERM,
// up to the letter q: "k<key> " for a key, "c'<char>' " for a character, an
// "a" after either for Alt.
std::string KeysSeen(const char* term, const std::string& keys) {
  int report[2];
  if (pipe(report) != 0) return "no pipe";
  PtyChild child(term, [&report] {
    std::string error;
    std::unique_ptr<Device> device = StartCursesDevice(&error);
    if (!device) return 3;
    [[maybe_unused]] ssize_t w = write(report[1], "+", 1);  // ready
    std::string seen;
    std::vector<InputEvent> events;
    for (int tries = 0; tries < 50 && seen.find("c'q'") == std::string::npos; ++tries) {
      events.clear();
      device->Wait(100, events);
      for (const InputEvent& e : events)
        seen += e.key == Key::kChar
                    ? "c'" + std::string(1, e.ch) + (e.alt ? "'a " : "' ")
                    : "k" + std::to_string(static_cast<int>(e.key)) + (e.alt ? "a " : " ");
    }
    w = write(report[1], seen.data(), seen.size());
    return 0;
  });
  close(report[1]);
  char ready = 0;
  const bool typed =
      child.pid > 0 && read(report[0], &ready, 1) == 1 &&
      write(child.master, keys.data(), keys.size()) == static_cast<ssize_t>(keys.size());
  return typed ? Finish(child, report[0]) : "not typed";
}

std::string K(Key key, bool alt = false) {
  return "k" + std::to_string(static_cast<int>(key)) + (alt ? "a " : " ");
}

// Keys read through curses from a terminal whose TERM (vt100) lists none of
// these sequences: each gives its key, and no byte of them becomes a typed
// character.
TEST(CursesDevice, SequencesTheTerminfoEntryLacksGiveKeys) {
  const std::string keys =
      "\033[1;3B"
      "\033[21~"
      "\033[1;5H"
      "\033[3~"
      "\033[5;3~"
      "x"
      "\033\033[1;3A"
      "\033[200~"
      "q";
  EXPECT_EQ(KeysSeen("vt100", keys), K(Key::kDown, true) + K(Key::kF10) + K(Key::kHome) +
                                         K(Key::kDelete) + K(Key::kPageUp, true) + "c'x' " +
                                         K(Key::kUp, true) + "c'q' ");
}

// Runs body in a child on a new terminal of the TERM and returns what it
// reported through the pipe it was given.
std::string ReportFromChild(const char* term, const std::function<std::string()>& body) {
  int report[2];
  if (pipe(report) != 0) return "no pipe";
  PtyChild child(term, [&report, &body] {
    const std::string said = body();
    [[maybe_unused]] ssize_t w = write(report[1], said.data(), said.size());
    return 0;
  });
  close(report[1]);
  return Finish(child, report[0]);
}

// A terminal that cannot place the cursor, or whose type is unknown, is
// refused with a reason that names it; those that can are taken.
TEST(CursesDevice, TerminalsThatCannotDrawAreRefused) {
  const struct {
    const char* term;
    const char* problem;
  } cases[] = {
      {"dumb",
       "the terminal type 'dumb' cannot place the cursor; set TERM to the terminal's type "
       "(for example xterm)"},
      {"no-such-terminal-type",
       "unknown terminal type 'no-such-terminal-type'; set TERM to the terminal's type"},
      {"xterm", ""},
      {"linux", ""},
      {"vt100", ""},
      {"screen", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.term);
    EXPECT_EQ(ReportFromChild(c.term, [] { return TerminalProblem(); }), c.problem);
  }
}

// Shift-Tab, Home and End as xterm-like terminals send them, whatever TERM
// says the terminal is (linux lists ESC [ Z under a code of its own).
TEST(CursesDevice, ShiftTabHomeAndEndUnderEveryTerm) {
  for (const char* term : {"linux", "vt100", "xterm", "screen", "vt220"}) {
    SCOPED_TRACE(term);
    EXPECT_EQ(KeysSeen(term, "\033[Z\033[H\033[F\033OH\033OF\033[1~\033[4~q"),
              K(Key::kBackTab) + K(Key::kHome) + K(Key::kEnd) + K(Key::kHome) + K(Key::kEnd) +
                  K(Key::kHome) + K(Key::kEnd) + "c'q' ");
  }
}

// What a POS library prints while the device runs goes to the capture file,
// never to the screen, also when it holds escapes.
TEST(CursesDevice, PrintsOfTheProcessAreKeptOffTheScreen) {
  char capture_template[] = "/tmp/ridozod_capture_XXXXXX";
  const int capture_fd = mkstemp(capture_template);
  ASSERT_GE(capture_fd, 0);
  close(capture_fd);
  const std::string capture = capture_template;
  int report[2];
  ASSERT_EQ(pipe(report), 0);
  PtyChild child("xterm", [&] {
    SetOutputCaptureFileForTesting(capture.c_str());
    std::string error;
    std::unique_ptr<Device> device = StartCursesDevice(&error);
    if (!device) return 3;
    std::printf("LIBRARY ON STDOUT \033]0;HOSTILE TITLE\007\n");
    std::fflush(stdout);
    std::fprintf(stderr, "LIBRARY ON STDERR\n");
    [[maybe_unused]] ssize_t w = write(STDOUT_FILENO, "RAW WRITE\n", 10);
    device.reset();
    std::printf("AFTER THE DEVICE\n");  // the library's PosTerm at exit
    std::fflush(stdout);
    return 0;
  });
  close(report[1]);
  close(report[0]);
  const std::string screen = child.Output();
  EXPECT_EQ(child.Wait(), 0);
  EXPECT_EQ(screen.find("LIBRARY"), std::string::npos) << screen;
  EXPECT_EQ(screen.find("HOSTILE TITLE"), std::string::npos);
  EXPECT_EQ(screen.find("RAW WRITE"), std::string::npos);
  EXPECT_NE(screen.find("\033[?1049h"), std::string::npos) << "the device drew";
  std::FILE* f = std::fopen(capture.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  std::string captured(4096, '\0');
  captured.resize(std::fread(captured.data(), 1, captured.size(), f));
  std::fclose(f);
  std::remove(capture.c_str());
  EXPECT_EQ(captured,
            "LIBRARY ON STDOUT \033]0;HOSTILE TITLE\007\nLIBRARY ON STDERR\nRAW WRITE\n"
            "AFTER THE DEVICE\n");
}

// The terminal goes away without a signal (SIGHUP ignored, as under nohup):
// the device reports the end of input instead of input that reads as nothing,
// so the program ends rather than spinning.
TEST(CursesDevice, AVanishedTerminalEndsTheInput) {
  int report[2];
  ASSERT_EQ(pipe(report), 0);
  PtyChild child("xterm", [&report] {
    signal(SIGHUP, SIG_IGN);
    std::string error;
    std::unique_ptr<Device> device = StartCursesDevice(&error);
    if (!device) return 3;
    [[maybe_unused]] ssize_t w = write(report[1], "+", 1);  // ready
    std::vector<InputEvent> events;
    for (int waits = 0; waits < 10000; ++waits)
      if (!device->Wait(1000, events)) return 0;
    return 5;  // woken over and over by a terminal that is gone
  });
  ASSERT_GT(child.pid, 0);
  close(report[1]);
  char ready = 0;
  ASSERT_EQ(read(report[0], &ready, 1), 1);
  close(report[0]);
  close(child.master);  // the terminal goes away
  child.master = -1;
  const int status = child.Wait();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}

}  // namespace
}  // namespace terminal
