#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <string>

#include "posim/channel/control_note.h"

namespace posim {

namespace {

// The notes' folder, made when missing; empty unless it is a folder of this
// user's own that nobody else may read or write.
std::string NoteFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const std::string folder = runtime != nullptr && runtime[0] == '/'
                                 ? std::string(runtime) + "/posim"
                                 : "/tmp/posim-" + std::to_string(geteuid());
  mkdir(folder.c_str(), 0700);
  struct stat info;
  if (lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != geteuid() ||
      (info.st_mode & 077) != 0) {
    return {};
  }
  return folder;
}

std::string NotePath(const std::string& folder, long process) {
  return folder + "/" + std::to_string(process);
}

}  // namespace

bool LeaveControlNote(const std::string& folder, const std::string& reason) {
  const std::string notes = NoteFolder();
  if (notes.empty()) return false;
  const std::string path = NotePath(notes, getpid());
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  const std::string text = folder + "\n" + reason + "\n";
  const bool written = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  close(fd);
  if (!written) unlink(path.c_str());
  return written;
}

void RemoveControlNote() {
  const std::string notes = NoteFolder();
  if (!notes.empty()) unlink(NotePath(notes, getpid()).c_str());
}

std::vector<ControlNote> ReadControlNotes() {
  std::vector<ControlNote> found;
  const std::string notes = NoteFolder();
  DIR* folder = notes.empty() ? nullptr : opendir(notes.c_str());
  if (folder == nullptr) return found;
  while (const dirent* entry = readdir(folder)) {
    char* end = nullptr;
    const long process = std::strtol(entry->d_name, &end, 10);
    if (process <= 0 || *end != '\0') continue;
    const std::string path = NotePath(notes, process);
    if (kill(static_cast<pid_t>(process), 0) != 0 && errno == ESRCH) {
      unlink(path.c_str());
      continue;
    }
    ControlNote note{process, {}, {}};
    std::ifstream in(path);
    if (std::getline(in, note.folder) && std::getline(in, note.reason)) found.push_back(note);
  }
  closedir(folder);
  return found;
}

}  // namespace posim
