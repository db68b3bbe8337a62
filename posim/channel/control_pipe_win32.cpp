#include "posim/channel/control_pipe_win32.h"

#include <sddl.h>

#include <cctype>
#include <cstdint>
#include <cstdio>

#include "posim/channel/control_channel.h"

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

std::vector<BYTE> ProcessUser(HANDLE process) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return {};
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::vector<BYTE> info(size);
  std::vector<BYTE> sid;
  if (size >= sizeof(TOKEN_USER) &&
      GetTokenInformation(token, TokenUser, info.data(), size, &size)) {
    const PSID user = reinterpret_cast<TOKEN_USER*>(info.data())->User.Sid;
    if (IsValidSid(user)) {
      const BYTE* bytes = static_cast<const BYTE*>(user);
      sid.assign(bytes, bytes + GetLengthSid(user));
    }
  }
  CloseHandle(token);
  return sid;
}

namespace {

// The user of the process with this id (a pipe's end); empty when it
// cannot be told.
std::vector<BYTE> UserOfProcess(ULONG id) {
  const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
  if (process == nullptr) return {};
  std::vector<BYTE> user = ProcessUser(process);
  CloseHandle(process);
  return user;
}

PSID SidOf(std::vector<BYTE>& sid) {
  return sid.empty() ? nullptr : sid.data();
}

}  // namespace

std::vector<BYTE> PipeClientUser(HANDLE pipe) {
  ULONG id = 0;
  if (!GetNamedPipeClientProcessId(pipe, &id)) return {};
  return UserOfProcess(id);
}

std::string UserName(PSID user) {
  if (user == nullptr || !IsValidSid(user)) return "an unknown user";
  std::string sid = "a user";
  char* text = nullptr;
  if (ConvertSidToStringSidA(user, &text)) {
    sid = text;
    LocalFree(text);
  }
  char name[256];
  char domain[256];
  DWORD name_size = sizeof name;
  DWORD domain_size = sizeof domain;
  SID_NAME_USE use;
  if (!LookupAccountSidA(nullptr, user, name, &name_size, domain, &domain_size, &use)) return sid;
  return (domain[0] != '\0' ? std::string(domain) + "\\" : std::string()) + name + " (" + sid + ")";
}

bool ClientIsOwner(PSID owner, PSID client, std::string& refusal) {
  const auto valid = [](PSID sid) { return sid != nullptr && IsValidSid(sid); };
  if (valid(owner) && valid(client) && EqualSid(owner, client)) return true;
  refusal = OwnerOnlyRefusal(UserName(owner), UserName(client));
  return false;
}

bool ServerIsOurs(HANDLE pipe, std::string& refusal) {
  ULONG id = 0;
  std::vector<BYTE> server;
  if (GetNamedPipeServerProcessId(pipe, &id)) server = UserOfProcess(id);
  std::vector<BYTE> ours = ProcessUser(GetCurrentProcess());
  return ClientIsOwner(SidOf(server), SidOf(ours), refusal);
}

OwnerOnlyAccess::OwnerOnlyAccess(std::vector<BYTE> owner) : owner_(std::move(owner)) {
  if (owner_.empty() || !IsValidSid(owner_.data())) return;
  const DWORD sid_size = GetLengthSid(owner_.data());
  acl_.resize(sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) - sizeof(DWORD) + sid_size);
  const PACL acl = reinterpret_cast<PACL>(acl_.data());
  made_ = InitializeAcl(acl, static_cast<DWORD>(acl_.size()), ACL_REVISION) &&
          AddAccessAllowedAce(acl, ACL_REVISION, FILE_ALL_ACCESS, owner_.data()) &&
          InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) &&
          SetSecurityDescriptorDacl(&descriptor_, TRUE, acl, FALSE);
  attributes_ = {sizeof attributes_, &descriptor_, FALSE};
}

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
    const HANDLE pipe =
        CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                    SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr);
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
