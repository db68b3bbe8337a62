// The simulated POS subsystem: every client session, one lock around all of
// them, the event thread, the control channel and what its streams observe.
// The DLL_ entries call it; each call is traced while a stream asks for it.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string_view>
#include <utility>

#include "codes/pos_library.h"
#include "os/clock.h"
#include "posim/channel/control_channel.h"
#include "posim/devices/device.h"
#include "posim/devices/faults.h"
#include "posim/session/event_poster.h"
#include "posim/session/observers.h"

namespace posim {

class CallTrace;

class Simulator : private EventSink {
 public:
  // What the control channel does with a connection's command line.
  using ControlServer = std::function<void(Simulator&, std::string_view line, ControlConnection&)>;

  // clock: what read timeouts and the watch streams' pace are measured by.
  explicit Simulator(ControlServer serve, const os::Clock& clock = os::SteadyClock())
      : serve_(std::move(serve)), clock_(clock) {}
  ~Simulator() override;
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  std::int32_t Initialize(PosContext* context, const char* application_name,
                          const char* resource_file, ResourcePair* pairs, std::int32_t count);
  std::int32_t Open(PosContext* context, const char* name, const char* device_class,
                    ResourcePair* pairs, std::int32_t count, std::int32_t* handle_out);
  std::int32_t Close(PosContext* context, std::int32_t handle);
  std::int32_t Ioctl(PosContext* context, std::int32_t handle, std::int32_t request,
                     ResourcePair* pairs, std::int32_t count, std::int32_t* out);
  // Waits up to the session's readTimeout for data to arrive.
  std::int32_t Read(PosContext* context, std::int32_t handle, void* buffer, std::int32_t size,
                    std::int32_t* out);
  std::int32_t Write(PosContext* context, std::int32_t handle, const void* data,
                     std::int32_t length, std::int32_t* out);
  std::int32_t Term(PosContext* context);
  std::int32_t Version(PosContext* context, std::int32_t a, std::int32_t b, std::int32_t c);

  // Runs an action on the oldest session under the lock, then wakes reads
  // that wait for data. POSERR_SYS_NOT_INITIALIZED when there is no session.
  std::int32_t WithSession(const std::function<std::int32_t(Client&)>& action);

  // The same for an action that only looks: nothing is woken or told.
  std::int32_t Inspect(const std::function<std::int32_t(Client&)>& action);

  Observers& observers() { return observers_; }
  const os::Clock& clock() const { return clock_; }

 private:
  // Each event of a session: traced, then posted when it has a window.
  void Post(std::uintptr_t window, std::uint32_t message, std::uint32_t wparam,
            std::uint32_t lparam) override;

  Client* Find(const PosContext* context);
  // The session of a call under the lock; nullptr, with the status the call
  // answers, when there is none or a fault is pending for the entry.
  Client* Session(const PosContext* context, Entry entry, CallTrace& call, std::int32_t& status);
  // Traces the call's answer and tells the observers that things changed.
  std::int32_t Finish(CallTrace& call, std::int32_t status);
  bool HasSessions();
  // The control channel while there is a session; the event thread only then.
  void StartControl();
  void StopWhenIdle();

  // Order: control_mutex_ before mutex_. The control threads take mutex_, so
  // they are joined with control_mutex_ held and mutex_ free.
  const ControlServer serve_;
  const os::Clock& clock_;
  std::mutex control_mutex_;
  std::mutex mutex_;
  std::condition_variable input_arrived_;
  std::map<std::uint32_t, std::unique_ptr<Client>> clients_;
  std::uint32_t next_id_ = 1;
  std::unique_ptr<EventPoster> poster_;
  Observers observers_;
  std::unique_ptr<ControlChannel> control_;
};

}  // namespace posim
