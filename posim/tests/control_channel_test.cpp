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
#include "posim/tests/posimctl_run.h"

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

TEST_F(LibraryTest, CheckTerminalTakesOnlyARegularFile) {
  ASSERT_EQ(mkfifo("pipe.txt", 0600), 0);  // nobody writes it
  for (const char* file : {"pipe.txt", "/dev/zero", "."}) {
    const RunResult run = Posimctl(std::string("check-terminal ") + file);
    EXPECT_EQ(run.exit_code, 1) << file;
    EXPECT_EQ(run.output, std::string(file) + ": not a regular file\n") << file;
  }
  unlink("pipe.txt");
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

}  // namespace

// Sends bytes on a connection of its own, ends the sending side, and reads the reply.
std::string ExchangeOnChannel(const std::string& bytes) {
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

}  // namespace posim_test
