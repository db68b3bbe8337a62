#include <fcntl.h>
#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "os/program_folder.h"
#include "posim/channel/control_channel.h"
#include "posim/channel/control_note.h"
#include "posim/posimctl/control_client.h"

namespace posimctl {

namespace {

int stop_pipe[2] = {-1, -1};
volatile sig_atomic_t stopped = 0;

void OnStop(int) {
  stopped = 1;
  const char byte = 1;
  if (write(stop_pipe[1], &byte, 1) < 0) {
    // The pipe holds a byte already.
  }
}

std::string CurrentFolder() {
  char folder[4096];
  return getcwd(folder, sizeof folder) == nullptr ? "." : folder;
}

std::string BesideProgram(const char* name) {
  return os::ProgramFolder() + name;
}

std::string Folder(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return CurrentFolder();
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string Absolute(const std::string& path) {
  return path[0] == '/' ? path : CurrentFolder() + "/" + path;
}

// The socket at path, or -1 with errno set.
int ConnectTo(const std::string& path) {
  sockaddr_un address;
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) {
    errno = ENAMETOOLONG;
    return -1;
  }
  std::strcpy(address.sun_path, path.c_str());
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    const int error = errno;
    close(fd);
    errno = error;
    return -1;
  }
  return fd;
}

std::string Owner(const std::string& path) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return "another user";
  char buffer[1024];
  passwd entry;
  passwd* found = nullptr;
  if (getpwuid_r(info.st_uid, &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr) {
    return found->pw_name;
  }
  return "uid " + std::to_string(info.st_uid);
}

// Why nothing answers at the paths tried, each with its errno. A socket named
// with -s is the only place looked at; otherwise word from a simulator
// anywhere helps a user who ran posimctl from the wrong folder.
std::string WhyNot(const std::vector<std::pair<std::string, int>>& tried, bool named) {
  for (const auto& [path, error] : tried) {
    if (error == EACCES || error == EPERM) {
      return Absolute(path) + " belongs to " + Owner(path) +
             ": only its owner may drive that simulated terminal";
    }
  }
  std::vector<std::string> folders;
  for (const auto& tried_path : tried) folders.push_back(Folder(Absolute(tried_path.first)));
  // Word from a simulator where posimctl looked; else, unless a socket was named, from any.
  const std::vector<posim::ControlNote> notes = posim::ReadControlNotes();
  std::vector<posim::ControlNote> here;
  for (const posim::ControlNote& note : notes) {
    for (const std::string& folder : folders) {
      if (folder == note.folder) here.push_back(note);
    }
  }
  std::string why;
  const bool anywhere = here.empty() && !named;
  for (const posim::ControlNote& note : anywhere ? notes : here) {
    why += "the POS subsystem runs in process " + std::to_string(note.process) + " (in " +
           note.folder + ") without its control socket: " + note.reason + "\n";
  }
  if (!why.empty()) {
    return why + "posimctl needs the program started from a folder where it may create " +
           posim::kControlSocketName;
  }
  for (const auto& [path, error] : tried) {
    if (error == ECONNREFUSED) {
      return Absolute(path) + " was left by a program that ended: no POS session runs there";
    }
  }
  std::string where;
  for (const auto& tried_path : tried) {
    where += (where.empty() ? "" : " nor at ") + Absolute(tried_path.first);
  }
  return "no simulated terminal listens at " + where +
         ": is the POS subsystem initialised? (the socket lies in the folder the program runs "
         "in)";
}

}  // namespace

int Connect(const Endpoint& endpoint, std::string& error) {
  std::vector<std::string> paths;
  if (!endpoint.socket.empty()) {
    paths = {endpoint.socket};
  } else {
    paths = {posim::kControlSocketName, BesideProgram(posim::kControlSocketName)};
    if (Absolute(paths[0]) == paths[1]) paths.pop_back();
  }
  std::vector<std::pair<std::string, int>> tried;
  for (const std::string& path : paths) {
    const int fd = ConnectTo(path);
    if (fd >= 0) return fd;
    tried.emplace_back(path, errno);
  }
  error = WhyNot(tried, !endpoint.socket.empty());
  return -1;
}

bool SendLine(int fd, const std::string& line) {
  const std::string text = line + "\n";
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool Request(const Endpoint& endpoint, const std::string& line, std::string& reply,
             std::string& error) {
  const int fd = Connect(endpoint, error);
  if (fd < 0) return false;
  // The simulator may refuse a line before it has all of it: its reply still counts.
  const bool sent = SendLine(fd, line);
  reply.clear();
  char chunk[4096];
  while (true) {
    const ssize_t n = read(fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    reply.append(chunk, static_cast<std::size_t>(n));
  }
  close(fd);
  if (reply.empty()) error = sent ? "no reply" : "cannot send the command";
  return !reply.empty();
}

void CatchStops() {
  if (stop_pipe[0] < 0 && pipe2(stop_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  struct sigaction action {};
  action.sa_handler = OnStop;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no restart: a blocking read returns at once
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

bool Stopped() {
  return stopped != 0;
}

bool WaitFor(int fd, long ms) {
  pollfd fds[2] = {{stop_pipe[0], POLLIN, 0}, {fd, POLLIN, 0}};
  if (Stopped()) return false;
  const int n = poll(fds, fd >= 0 ? 2 : 1, static_cast<int>(ms));
  return !Stopped() && !(n > 0 && fds[0].revents != 0);
}

}  // namespace posimctl
