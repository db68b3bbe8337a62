#include "posim/control_pipe_win32.h"

#include <cctype>
#include <cstdint>
#include <cstdio>

namespace posim {

namespace {

bool ReadSome(HANDLE pipe, std::string& into) {
  char chunk[4096];
  DWORD n = 0;
  if (!ReadFile(pipe, chunk, sizeof chunk, &n, nullptr) || n == 0) return false;
  into.append(chunk, n);
  return true;
}

}  // namespace

std::string ControlPipeName(const char* path) {
  char full[MAX_PATH * 2];
  const DWORD n = GetFullPathNameA(path, sizeof full, full, nullptr);
  const std::string file = n > 0 && n < sizeof full ? std::string(full, n) : std::string(path);
  // FNV-1a, 64 bits.
  std::uint64_t hash = 0xcbf29ce484222325u;
  for (const char c : file) {
    hash ^= static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(c)));
    hash *= 0x100000001b3u;
  }
  char user[256] = "user";
  DWORD user_size = sizeof user;
  if (!GetUserNameA(user, &user_size)) std::snprintf(user, sizeof user, "user");
  char name[512];
  std::snprintf(name, sizeof name, "\\\\.\\pipe\\posim-%s-%016llx", user,
                static_cast<unsigned long long>(hash));
  return name;
}

HANDLE ConnectToPipe(const std::string& path) {
  const std::string name = ControlPipeName(path.c_str());
  for (int attempt = 0; attempt < 10; ++attempt) {
    const HANDLE pipe = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (pipe != INVALID_HANDLE_VALUE) return pipe;
    if (GetLastError() != ERROR_PIPE_BUSY || !WaitNamedPipeA(name.c_str(), 1000)) break;
  }
  return INVALID_HANDLE_VALUE;
}

bool ExchangeOn(HANDLE pipe, const std::string& bytes, std::string& reply) {
  DWORD n = 0;
  // The channel may refuse a command before it has all of it: its reply still counts.
  const bool sent = WriteFile(pipe, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr) &&
                    n == bytes.size();
  while (ReadSome(pipe, reply)) {
  }
  CloseHandle(pipe);
  return sent || !reply.empty();
}

PipeExchange ExchangeOnPipe(const std::string& path, const std::string& bytes, std::string& reply) {
  const HANDLE pipe = ConnectToPipe(path);
  if (pipe == INVALID_HANDLE_VALUE) return PipeExchange::kNoPipe;
  return ExchangeOn(pipe, bytes, reply) ? PipeExchange::kReplied : PipeExchange::kNotSent;
}

}  // namespace posim
