// The control channel: posimctl and raw connections on the socket in the
// program's directory, whatever an earlier program left there.
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "posim/devices/codes.h"
#include "posim/tests/library_fixture.h"

namespace posim_test {
namespace {

constexpr const char* kSocket = "posim.sock";

struct RunResult {
  int exit_code;
  std::string output;  // stdout and stderr
};

RunResult Posimctl(const std::string& words) {
  const std::string command = std::string(POSIMCTL_PATH) + " " + words + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return {-1, ""};
  std::string output;
  char chunk[4096];
  for (std::size_t n; (n = fread(chunk, 1, sizeof chunk, pipe)) > 0;) output.append(chunk, n);
  const int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

sockaddr_un Address() {
  sockaddr_un address = {};
  address.sun_family = AF_UNIX;
  std::strcpy(address.sun_path, kSocket);
  return address;
}

// Sends bytes on a connection of its own, ends the sending side, and reads the reply.
std::string Exchange(const std::string& bytes) {
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  const sockaddr_un address = Address();
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return "no connection";
  }
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t n = send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  shutdown(fd, SHUT_WR);
  std::string reply;
  char chunk[4096];
  for (ssize_t n; (n = read(fd, chunk, sizeof chunk)) > 0;) reply.append(chunk, n);
  close(fd);
  return reply;
}

// A socket file at kSocket; listening when asked, else left behind as by a killed program.
int MakeSocketFile(bool listening) {
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  const sockaddr_un address = Address();
  EXPECT_EQ(bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  if (listening) {
    EXPECT_EQ(listen(fd, 1), 0);
    return fd;
  }
  close(fd);
  return -1;
}

bool IsSocketFile() {
  struct stat info;
  return lstat(kSocket, &info) == 0 && S_ISSOCK(info.st_mode);
}

TEST_F(LibraryTest, PosimctlDrivesTheTerminal) {
  std::ofstream("lane.txt")
      << "# a lane\nDSP PosDisplay 0x24 1 0 0x22\nSCN PosScanner 0x4A 1 2 0\n";
  std::ofstream("badport.txt") << "DSP PosDisplay 0x24 1 0 0x22\nSCN PosScanner 0x4A 1 2 0x33\n";
  ASSERT_EQ(mkfifo("pipe.txt", 0600), 0);  // nobody writes it
  const struct {
    const char* words;
    int exit_code;
    const char* output;  // a part of what it prints
  } cases[] = {
      {"help", 0, "scan LABEL"},
      {"scan 4006381333931", 0, ""},
      {"show devices", 0, "SCANNER1"},
      {"show events", 0, "1"},
      {"weigh lots", 1, "error: usage: weigh GRAMS"},
      {"frobnicate", 1, "error: unknown command 'frobnicate'"},
      {"-s /nonexistent/posim.sock help", 2, "no simulated terminal listens"},
      {"", 2, "usage: posimctl"},
      // Checked by posimctl itself, with or without a session.
      {"check-terminal lane.txt", 0, "lane.txt: 2 devices\nDSP "},
      {"check-terminal badport.txt", 1, "badport.txt: line 2: bad port 0x33 (0x00, 0x11 or 0x22)"},
      {"check-terminal missing.txt", 1, "missing.txt: cannot be opened: Initialize takes the "},
      {"check-terminal pipe.txt", 1, "pipe.txt: not a regular file"},
      {"check-terminal /dev/zero", 1, "/dev/zero: not a regular file"},
      {"check-terminal .", 1, ".: not a regular file"},
      {"check-terminal", 2, "usage: posimctl check-terminal FILE"},
      {"-s /nonexistent/posim.sock check-terminal lane.txt", 0, "2 devices"},
      {"help", 0, "check-terminal FILE"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.words);
    const RunResult run = Posimctl(c.words);
    EXPECT_EQ(run.exit_code, c.exit_code) << run.output;
    EXPECT_NE(run.output.find(c.output), std::string::npos) << run.output;
  }
  unlink("lane.txt");
  unlink("badport.txt");
  unlink("pipe.txt");
  const std::int32_t scanner = Open("DEVNAME", "PosScanner");
  EXPECT_EQ(Read(scanner, 80).bytes, "4006381333931");
}

TEST_F(LibraryTest, TheSocketTakesOneBoundedLinePerConnection) {
  const struct {
    std::string sent;
    const char* reply;  // its beginning
  } cases[] = {
      {"show events\n", "ok\n"},
      {"show events", "ok\n"},
      {"values display\r\n", "ok\nrows = 2\n"},
      {"bogus\n", "error: unknown command 'bogus'"},
      {"scan " + std::string(200000, '7') + "\n", "error: command line longer than 65536 bytes"},
      {std::string(70000, 'x'), "error: command line longer than 65536 bytes"},
      {"", "error: no command line"},
      {"scan 1\nscan 2\n", "ok\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sent.substr(0, 40));
    EXPECT_EQ(Exchange(c.sent).rfind(c.reply, 0), 0u) << Exchange(c.sent);
  }
  const std::int32_t scanner = Open("DEVNAME", "PosScanner");
  EXPECT_EQ(Read(scanner, 80).bytes, "1") << "one line a connection";
  EXPECT_EQ(Read(scanner, 80).status, posim::kSysTimeout) << "a line too long is not run";
}

TEST_F(LibraryTest, WhatAnEarlierProgramLeftAtTheSocketNeverStopsTheStart) {
  const struct {
    const char* left;
    bool ours;  // the simulator listens there
  } cases[] = {
      {"nothing", true},
      {"a stale socket", true},
      {"a live socket", false},
      {"a plain file", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.left);
    ASSERT_EQ(term_(&context_), 0);
    EXPECT_FALSE(IsSocketFile()) << "the last session's end removes the socket";
    const std::string left = c.left;
    int listener = -1;
    if (left == "a stale socket") MakeSocketFile(false);
    if (left == "a live socket") listener = MakeSocketFile(true);
    if (left == "a plain file") std::ofstream(kSocket) << "keep me";
    ASSERT_EQ(Initialize(context_), 0);
    EXPECT_EQ(Control("show events").rfind("ok\n", 0), 0u) << "the test entry works regardless";
    if (c.ours) {
      EXPECT_EQ(Posimctl("show events").exit_code, 0);
    }
    if (left == "a plain file") {
      // posimctl tells what is wrong, not that nothing was initialised.
      const RunResult run = Posimctl("-s posim.sock show events");
      EXPECT_EQ(run.exit_code, 2);
      EXPECT_NE(run.output.find(") without its control socket: " + directory_ +
                                "/posim.sock is there already and is no socket (left as it is)"),
                std::string::npos)
          << run.output;
      // A socket named elsewhere is all that is looked at: this simulator's word is no answer.
      const RunResult elsewhere = Posimctl("-s /nonexistent/posim.sock show events");
      EXPECT_EQ(elsewhere.exit_code, 2);
      EXPECT_EQ(elsewhere.output.rfind("posimctl: no simulated terminal listens at "
                                       "/nonexistent/posim.sock: ",
                                       0),
                0u)
          << elsewhere.output;
    }
    ASSERT_EQ(term_(&context_), 0);
    if (left == "a live socket") {
      EXPECT_TRUE(IsSocketFile()) << "another program's socket stays";
      close(listener);
    }
    if (left == "a plain file") {
      std::ifstream kept(kSocket);
      std::string text;
      std::getline(kept, text);
      EXPECT_EQ(text, "keep me");
    }
    unlink(kSocket);
    ASSERT_EQ(Initialize(context_), 0);
  }
}

TEST_F(LibraryTest, ControlWordsAreCheckedBeforeTheyAct) {
  const struct {
    std::string line;
    const char* reply;
  } cases[] = {
      {"weigh +250", "ok\n"},
      {"weigh --5", "error: usage: weigh GRAMS\n"},
      {"weigh 0x-5", "error: usage: weigh GRAMS\n"},
      {"weigh 100001", "error: status 310: a load is at most 100000 grams either way\n"},
      {"post 0x4201 --9223372036854775808 0", "error: usage: post CODE WPARAM LPARAM [COUNT]\n"},
      {"post 0x4201 1 99999999999999999999", "error: usage: post CODE WPARAM LPARAM [COUNT]\n"},
      {"post 0x4201 1 2 1000001", "error: usage: post CODE WPARAM LPARAM [COUNT]\n"},
      {"key 256", "error: usage: key CODE [CHAR]\n"},
      {"touch -1 0", "error: usage: touch X Y\n"},
      {"scan @NOSUCH 1", "error: NOSUCH is no device of this kind\n"},
      {"scan @DISPLAY1 1", "error: DISPLAY1 is no device of this kind\n"},
      {"scan \"\"", "error: status 5722: the label is empty\n"},
      {"scan \"" + std::string(65, '1') + "\"",
       "error: status 5723: a label holds at most 64 characters\n"},
      {"type a\x01", "error: no key for '\\x01'\n"},
      {"type \"12.50 $ off!\"", "ok\n"},
      {"close-drawer", "error: status 322: DRAWER1 is not open\n"},
      {"keylock 8", "error: status 310: the key lock has the positions 0 to 7\n"},
      {"swipe " + std::string(80, '1'),
       "error: status 310: tracks 1, 2 and 3 hold at most 79, 40 and 107 characters\n"},
      {"online DISPLAY1", "error: status 322: DISPLAY1 is on line already\n"},
      {"offline NOSUCH", "error: the terminal has no device NOSUCH\n"},
      {"offline scanner scale", "error: usage: offline DEVICE\n"},
      {"show NOSUCH", "error: the terminal has no device NOSUCH\n"},
      {"values", "error: usage: values DEVICE\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(Control(c.line), c.reply) << c.line;
}

}  // namespace
}  // namespace posim_test
