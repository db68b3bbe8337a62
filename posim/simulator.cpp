#include "posim/simulator.h"

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "posim/codes.h"
#include "posim/control_commands.h"
#include "posim/events.h"
#include "posim/handles.h"
#include "posim/requests.h"
#include "posim/terminal.h"

namespace posim {

namespace {

// PosContext: "PSIM" and the session id, little-endian; zero when no session.
constexpr unsigned char kMagic[4] = {'P', 'S', 'I', 'M'};

std::uint32_t ContextId(const PosContext* context) {
  if (std::memcmp(context->bytes, kMagic, sizeof kMagic) != 0) return 0;
  std::uint32_t id = 0;
  for (int i = 0; i < 4; ++i) id |= static_cast<std::uint32_t>(context->bytes[4 + i]) << (8 * i);
  return id;
}

void SetContextId(PosContext* context, std::uint32_t id) {
  std::memset(context->bytes, 0, sizeof context->bytes);
  if (id == 0) return;
  std::memcpy(context->bytes, kMagic, sizeof kMagic);
  for (int i = 0; i < 4; ++i) context->bytes[4 + i] = static_cast<unsigned char>(id >> (8 * i));
}

}  // namespace

Simulator::~Simulator() {
  std::lock_guard<std::mutex> guard(control_mutex_);
  control_.reset();
  std::lock_guard<std::mutex> lock(mutex_);
  clients_.clear();
  poster_.reset();
}

bool Simulator::HasSessions() {
  std::lock_guard<std::mutex> lock(mutex_);
  return !clients_.empty();
}

void Simulator::StartControl() {
  std::lock_guard<std::mutex> guard(control_mutex_);
  if (control_ != nullptr || !HasSessions()) return;
  control_ = StartControlChannel(
      kControlSocketName, [this](std::string_view line) { return RunControlCommand(*this, line); });
}

void Simulator::StopWhenIdle() {
  std::lock_guard<std::mutex> guard(control_mutex_);
  if (HasSessions()) return;
  control_.reset();
  // A session may have begun meanwhile: it keeps the event thread.
  std::lock_guard<std::mutex> lock(mutex_);
  if (clients_.empty()) poster_.reset();
}

Client* Simulator::Find(const PosContext* context) {
  if (context == nullptr) return nullptr;
  const auto found = clients_.find(ContextId(context));
  return found == clients_.end() ? nullptr : found->second.get();
}

std::int32_t Simulator::Initialize(PosContext* context, const char*, const char* resource_file,
                                   ResourcePair* pairs, std::int32_t count) {
  if (context == nullptr) return kSysInvalidAddress;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (Find(context) != nullptr) return kSysAlreadyInitialized;
    std::vector<DeviceConfig> terminal;
    std::string error;
    if (LoadTerminal(resource_file, terminal, error) == TerminalSource::kBadFile) {
      return kSysInvalidFile;
    }
    if (poster_ == nullptr) poster_ = std::make_unique<EventPoster>(FindPostMessage());
    auto client = std::make_unique<Client>(next_id_, terminal, poster_.get());
    ValueTable* tables[] = {&client->system};
    if (const std::int32_t status = SetValues(tables, pairs, count)) {
      if (clients_.empty()) poster_.reset();
      return status;
    }
    for (auto& device : client->devices) EmitOnlineState(*client, *device, true);
    SetContextId(context, next_id_);
    clients_[next_id_++] = std::move(client);
  }
  StartControl();
  return kOk;
}

std::int32_t Simulator::Open(PosContext* context, const char* name, const char* device_class,
                             ResourcePair* pairs, std::int32_t count, std::int32_t* handle_out) {
  std::lock_guard<std::mutex> lock(mutex_);
  Client* client = Find(context);
  if (client == nullptr) return kSysNotInitialized;
  if (handle_out == nullptr) return kSysInvalidAddress;
  return OpenDevice(*client, name, device_class, pairs, count, handle_out);
}

std::int32_t Simulator::Close(PosContext* context, std::int32_t handle) {
  std::lock_guard<std::mutex> lock(mutex_);
  Client* client = Find(context);
  if (client == nullptr) return kSysNotInitialized;
  return CloseHandle(*client, handle);
}

std::int32_t Simulator::Ioctl(PosContext* context, std::int32_t handle, std::int32_t request,
                              ResourcePair* pairs, std::int32_t count, std::int32_t* out) {
  std::lock_guard<std::mutex> lock(mutex_);
  Client* client = Find(context);
  if (client == nullptr) return kSysNotInitialized;
  if (out != nullptr) *out = 0;
  if (handle == 0) return RunRequest(*client, 0, nullptr, request, pairs, count);
  const auto open = client->handles.find(handle);
  if (open == client->handles.end()) return kSysInvalidDescriptor;
  return RunRequest(*client, handle, open->second.device, request, pairs, count);
}

std::int32_t Simulator::Read(PosContext* context, std::int32_t handle, void* buffer,
                             std::int32_t size, std::int32_t* out) {
  std::unique_lock<std::mutex> lock(mutex_);
  Client* client = Find(context);
  if (client == nullptr) return kSysNotInitialized;
  if (out == nullptr) return kSysInvalidAddress;
  const auto timeout = std::chrono::milliseconds(client->system.Number("readTimeout"));
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (true) {
    const std::int32_t status = ReadHandle(*client, handle, buffer, size, out);
    if (status != kSysTimeout) return status;
    if (input_arrived_.wait_until(lock, deadline) == std::cv_status::timeout) {
      client = Find(context);
      return client == nullptr ? kSysNotInitialized
                               : ReadHandle(*client, handle, buffer, size, out);
    }
    client = Find(context);
    if (client == nullptr) return kSysNotInitialized;
  }
}

std::int32_t Simulator::Write(PosContext* context, std::int32_t handle, const void* data,
                              std::int32_t length, std::int32_t* out) {
  std::lock_guard<std::mutex> lock(mutex_);
  Client* client = Find(context);
  if (client == nullptr) return kSysNotInitialized;
  if (out == nullptr) return kSysInvalidAddress;
  return WriteHandle(*client, handle, data, length, out);
}

std::int32_t Simulator::Term(PosContext* context) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    Client* client = Find(context);
    if (client == nullptr) return kSysNotInitialized;
    clients_.erase(client->id);
    SetContextId(context, 0);
  }
  input_arrived_.notify_all();
  StopWhenIdle();
  return kOk;
}

std::int32_t Simulator::Version(PosContext* context) {
  std::lock_guard<std::mutex> lock(mutex_);
  return Find(context) == nullptr ? kSysNotInitialized : kOk;
}

std::int32_t Simulator::WithSession(const std::function<std::int32_t(Client&)>& action) {
  std::int32_t status = kSysNotInitialized;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!clients_.empty()) status = action(*clients_.begin()->second);
  }
  input_arrived_.notify_all();
  return status;
}

}  // namespace posim
