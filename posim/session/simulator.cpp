#include "posim/session/simulator.h"

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "posim/devices/codes.h"
#include "posim/devices/events.h"
#include "posim/devices/handles.h"
#include "posim/devices/requests.h"
#include "posim/devices/terminal.h"
#include "posim/session/call_trace.h"
#include "posim/session/post_message.h"

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

std::string HandleText(Client& client, std::int32_t handle) {
  const auto open = client.handles.find(handle);
  const std::string what = open == client.handles.end()     ? "?"
                           : open->second.device == nullptr ? "session"
                                                            : open->second.device->config.name;
  return std::to_string(handle) + " (" + what + ")";
}

}  // namespace

// One call as the trace tells it; nothing is formatted while nobody traces.
class CallTrace {
 public:
  CallTrace(Observers& observers, Entry entry)
      : observers_(observers),
        entry_(entry),
        on_(observers.WantsCalls()),
        start_(std::chrono::system_clock::now()) {}

  bool on() const { return on_; }

  void Publish(std::int32_t status) {
    if (!on_) return;
    std::string line =
        TraceTime(start_) + " " + ApiName(entry_) + "(" + args + ") = " + TraceStatus(status);
    if (injected) line += " (posimctl fail)";
    if (!detail.empty()) line += ", " + detail;
    observers_.PublishCall(line);
  }

  std::string args;    // the arguments as the caller passed them
  std::string detail;  // what the call gave back besides its status
  bool injected = false;

 private:
  Observers& observers_;
  Entry entry_;
  bool on_;
  std::chrono::system_clock::time_point start_;
};

Simulator::~Simulator() {
  std::lock_guard<std::mutex> guard(control_mutex_);
  control_.reset();
  std::lock_guard<std::mutex> lock(mutex_);
  clients_.clear();
  poster_.reset();
}

void Simulator::Post(std::uintptr_t window, std::uint32_t message, std::uint32_t wparam,
                     std::uint32_t lparam) {
  if (observers_.WantsEvents()) {
    observers_.PublishEvent(TraceTime(std::chrono::system_clock::now()) + " " +
                            TraceEvent(window, message, wparam, lparam));
  }
  if (window != 0 && poster_ != nullptr) poster_->Post(window, message, wparam, lparam);
}

bool Simulator::HasSessions() {
  std::lock_guard<std::mutex> lock(mutex_);
  return !clients_.empty();
}

void Simulator::StartControl() {
  std::lock_guard<std::mutex> guard(control_mutex_);
  if (control_ != nullptr || !HasSessions()) return;
  control_ = StartControlChannel(kControlSocketName,
                                 [this](std::string_view line, ControlConnection& connection) {
                                   serve_(*this, line, connection);
                                 });
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

Client* Simulator::Session(const PosContext* context, Entry entry, CallTrace& call,
                           std::int32_t& status) {
  Client* client = Find(context);
  if (client == nullptr) {
    status = kSysNotInitialized;
    return nullptr;
  }
  if (const std::optional<std::int32_t> fault = client->faults.Take(entry)) {
    status = *fault;
    call.injected = true;
    return nullptr;
  }
  return client;
}

std::int32_t Simulator::Finish(CallTrace& call, std::int32_t status) {
  call.Publish(status);
  observers_.Changed();
  return status;
}

std::int32_t Simulator::Initialize(PosContext* context, const char* application_name,
                                   const char* resource_file, ResourcePair* pairs,
                                   std::int32_t count) {
  CallTrace call(observers_, Entry::kInitialize);
  if (call.on()) {
    call.args = TraceText(application_name) + ", " + TraceText(resource_file) + ", " +
                TracePairs(pairs, count);
  }
  if (context == nullptr) return Finish(call, kSysInvalidAddress);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (Find(context) != nullptr) return Finish(call, kSysAlreadyInitialized);
    std::vector<DeviceConfig> terminal;
    std::string error;
    if (LoadTerminal(resource_file, terminal, error) == TerminalSource::kBadFile) {
      if (call.on()) call.detail = error;
      return Finish(call, kSysInvalidFile);
    }
    if (poster_ == nullptr) poster_ = std::make_unique<EventPoster>(FindPostMessage());
    auto client = std::make_unique<Client>(next_id_, terminal, static_cast<EventSink*>(this));
    ValueTable* tables[] = {&client->system};
    if (const std::int32_t status = SetValues(tables, pairs, count)) {
      if (clients_.empty()) poster_.reset();
      return Finish(call, status);
    }
    for (auto& device : client->devices) EmitOnlineState(*client, *device, true);
    SetContextId(context, next_id_);
    if (call.on()) call.detail = std::to_string(terminal.size()) + " devices";
    clients_[next_id_++] = std::move(client);
  }
  StartControl();
  return Finish(call, kOk);
}

std::int32_t Simulator::Open(PosContext* context, const char* name, const char* device_class,
                             ResourcePair* pairs, std::int32_t count, std::int32_t* handle_out) {
  CallTrace call(observers_, Entry::kOpen);
  if (call.on()) {
    call.args = TraceText(name) + ", " + TraceText(device_class) + ", " + TracePairs(pairs, count);
  }
  std::int32_t status = kOk;
  std::lock_guard<std::mutex> lock(mutex_);
  if (Client* client = Session(context, Entry::kOpen, call, status)) {
    status = handle_out == nullptr
                 ? kSysInvalidAddress
                 : OpenDevice(*client, name, device_class, pairs, count, handle_out);
    if (status == kOk && call.on()) call.detail = "handle " + HandleText(*client, *handle_out);
  }
  return Finish(call, status);
}

std::int32_t Simulator::Close(PosContext* context, std::int32_t handle) {
  CallTrace call(observers_, Entry::kClose);
  if (call.on()) call.args = std::to_string(handle);
  std::int32_t status = kOk;
  std::lock_guard<std::mutex> lock(mutex_);
  if (Client* client = Session(context, Entry::kClose, call, status)) {
    const auto open = client->handles.find(handle);
    if (call.on() && open != client->handles.end()) {
      call.detail = open->second.device == nullptr ? "session" : open->second.device->config.name;
    }
    status = CloseHandle(*client, handle);
    if (status != kOk) call.detail.clear();
  }
  return Finish(call, status);
}

std::int32_t Simulator::Ioctl(PosContext* context, std::int32_t handle, std::int32_t request,
                              ResourcePair* pairs, std::int32_t count, std::int32_t* out) {
  CallTrace call(observers_, Entry::kIoctl);
  if (call.on()) {
    call.args =
        std::to_string(handle) + ", " + TraceRequest(request) + ", " + TracePairs(pairs, count);
  }
  std::int32_t status = kOk;
  std::lock_guard<std::mutex> lock(mutex_);
  if (Client* client = Session(context, Entry::kIoctl, call, status)) {
    if (out != nullptr) *out = 0;
    const auto open = client->handles.find(handle);
    if (handle == 0) {
      status = RunRequest(*client, 0, nullptr, request, pairs, count);
    } else if (open == client->handles.end()) {
      status = kSysInvalidDescriptor;
    } else {
      status = RunRequest(*client, handle, open->second.device, request, pairs, count);
    }
    if (status == kOk && call.on()) {
      call.detail = "out 0";
      if (request == kReqSysGetValues) call.detail += ", pairs now " + TracePairs(pairs, count);
    }
  }
  return Finish(call, status);
}

std::int32_t Simulator::Read(PosContext* context, std::int32_t handle, void* buffer,
                             std::int32_t size, std::int32_t* out) {
  CallTrace call(observers_, Entry::kRead);
  if (call.on()) {
    call.args = std::to_string(handle) + ", " + (buffer == nullptr ? "NULL" : "[...]") + ", " +
                std::to_string(size);
  }
  std::int32_t status = kOk;
  std::unique_lock<std::mutex> lock(mutex_);
  Client* client = Session(context, Entry::kRead, call, status);
  if (client != nullptr && out == nullptr) status = kSysInvalidAddress;
  if (client != nullptr && out != nullptr) {
    const auto timeout = std::chrono::milliseconds(client->system.Number("readTimeout"));
    const auto deadline = clock_.Now() + timeout;
    while (true) {
      status = ReadHandle(*client, handle, buffer, size, out);
      if (status != kSysTimeout) break;
      const bool timed_out = clock_.WaitUntil(input_arrived_, lock, deadline);
      client = Find(context);
      if (client == nullptr) {
        status = kSysNotInitialized;
        break;
      }
      if (timed_out) {
        status = ReadHandle(*client, handle, buffer, size, out);
        break;
      }
    }
    if (status == kOk && call.on()) call.detail = TraceBytes(buffer, *out);
  }
  lock.unlock();
  return Finish(call, status);
}

std::int32_t Simulator::Write(PosContext* context, std::int32_t handle, const void* data,
                              std::int32_t length, std::int32_t* out) {
  CallTrace call(observers_, Entry::kWrite);
  if (call.on()) call.args = std::to_string(handle) + ", " + TraceBytes(data, length);
  std::int32_t status = kOk;
  std::lock_guard<std::mutex> lock(mutex_);
  if (Client* client = Session(context, Entry::kWrite, call, status)) {
    status = out == nullptr ? kSysInvalidAddress : WriteHandle(*client, handle, data, length, out);
    if (status == kOk && call.on()) call.detail = "out " + std::to_string(*out);
  }
  return Finish(call, status);
}

std::int32_t Simulator::Term(PosContext* context) {
  CallTrace call(observers_, Entry::kTerm);
  std::int32_t status = kOk;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    Client* client = Session(context, Entry::kTerm, call, status);
    if (client == nullptr) return Finish(call, status);
    clients_.erase(client->id);
    SetContextId(context, 0);
  }
  input_arrived_.notify_all();
  // The trace's last line goes out before its stream ends with the channel.
  Finish(call, kOk);
  StopWhenIdle();
  return kOk;
}

std::int32_t Simulator::Version(PosContext* context, std::int32_t a, std::int32_t b,
                                std::int32_t c) {
  CallTrace call(observers_, Entry::kVersion);
  if (call.on())
    call.args = std::to_string(a) + ", " + std::to_string(b) + ", " + std::to_string(c);
  std::int32_t status = kOk;
  std::lock_guard<std::mutex> lock(mutex_);
  Session(context, Entry::kVersion, call, status);
  return Finish(call, status);
}

std::int32_t Simulator::WithSession(const std::function<std::int32_t(Client&)>& action) {
  std::int32_t status = kSysNotInitialized;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!clients_.empty()) status = action(*clients_.begin()->second);
  }
  input_arrived_.notify_all();
  observers_.Changed();
  return status;
}

std::int32_t Simulator::Inspect(const std::function<std::int32_t(Client&)>& action) {
  std::lock_guard<std::mutex> lock(mutex_);
  return clients_.empty() ? kSysNotInitialized : action(*clients_.begin()->second);
}

}  // namespace posim
