// The library's exports: the eight DLL_ entries of the POS API and the test
// entries. Nothing else is visible outside the library.
#include <cstring>
#include <string>
#include <type_traits>

#include "codes/pos_library.h"
#include "posim/channel/command_words.h"
#include "posim/control/control_commands.h"
#include "posim/control/control_streams.h"
#include "posim/devices/codes.h"
#include "posim/devices/events.h"
#include "posim/library/test_entries.h"
#include "posim/session/simulator.h"

#if defined(_WIN32)
#define POSIM_EXPORT __declspec(dllexport)
#else
#define POSIM_EXPORT __attribute__((visibility("default")))
#endif

namespace {

posim::Simulator& Sim() {
#if defined(_WIN32)
  // Never destroyed: a program that ends with a session open unloads the
  // library under the loader lock, where waiting for its threads never ends.
  static posim::Simulator* const simulator = new posim::Simulator(posim::ServeControlLine);
  return *simulator;
#else
  static posim::Simulator simulator(posim::ServeControlLine);
  return simulator;
#endif
}

void CopyOut(const std::string& text, char* out, std::int32_t size) {
  if (out == nullptr || size <= 0) return;
  const std::size_t n = text.size() < static_cast<std::size_t>(size) ? text.size() : size - 1;
  std::memcpy(out, text.data(), n);
  out[n] = '\0';
}

}  // namespace

extern "C" {

POSIM_EXPORT int32_t POS_API_CALL DLL_PosInitialize(PosContext* context,
                                                    const char* application_name,
                                                    const char* resource_file,
                                                    ResourcePair* resources, int32_t count) {
  return Sim().Initialize(context, application_name, resource_file, resources, count);
}

POSIM_EXPORT int32_t POS_API_CALL DLL_PosOpen(PosContext* context, const char* device_name,
                                              const char* device_class, ResourcePair* resources,
                                              int32_t count, int32_t* handle_out) {
  return Sim().Open(context, device_name, device_class, resources, count, handle_out);
}

POSIM_EXPORT int32_t POS_API_CALL DLL_PosClose(PosContext* context, int32_t handle) {
  return Sim().Close(context, handle);
}

POSIM_EXPORT int32_t POS_API_CALL DLL_PosIOCtl(PosContext* context, int32_t handle, int32_t request,
                                               ResourcePair* resources, int32_t count,
                                               int32_t* out) {
  return Sim().Ioctl(context, handle, request, resources, count, out);
}

POSIM_EXPORT int32_t POS_API_CALL DLL_PosRead(PosContext* context, int32_t handle, void* buffer,
                                              int32_t size, int32_t* bytes_read_out) {
  return Sim().Read(context, handle, buffer, size, bytes_read_out);
}

POSIM_EXPORT int32_t POS_API_CALL DLL_PosWrite(PosContext* context, int32_t handle,
                                               const void* data, int32_t length, int32_t* out) {
  return Sim().Write(context, handle, data, length, out);
}

POSIM_EXPORT int32_t POS_API_CALL DLL_PosTerm(PosContext* context) {
  return Sim().Term(context);
}

POSIM_EXPORT int32_t POS_API_CALL DLL_PosVersion(PosContext* context, int32_t a, int32_t b,
                                                 int32_t c) {
  return Sim().Version(context, a, b, c);
}

POSIM_EXPORT int32_t POS_API_CALL PosimControl(const char* line, char* reply, int32_t reply_size) {
  const std::string text = posim::RunControlCommand(Sim(), line == nullptr ? "" : line);
  CopyOut(text, reply, reply_size);
  return text.rfind("ok", 0) == 0 ? 0 : 1;
}

POSIM_EXPORT int32_t POS_API_CALL PosimPostEvent(uint32_t message, uint32_t wparam,
                                                 uint32_t lparam) {
  return Sim().WithSession([&](posim::Client& client) {
    posim::EmitRaw(client, message, wparam, lparam);
    return posim::kOk;
  });
}

POSIM_EXPORT int32_t POS_API_CALL PosimDeviceOutput(const char* device, char* out,
                                                    int32_t out_size) {
  std::string text = posim::RunControlCommand(
      Sim(), "show " + posim::QuoteCommandWord(device == nullptr ? "" : device));
  const bool ok = text.rfind("ok\n", 0) == 0;
  if (ok) text.erase(0, 3);
  if (!text.empty() && text.back() == '\n') text.pop_back();
  CopyOut(text, out, out_size);
  return ok ? posim::kOk : posim::kSysInvalidName;
}

}  // extern "C"

// The entries keep the signatures of the POS API header.
static_assert(std::is_same_v<decltype(&DLL_PosInitialize), DLL_PosInitialize_fn>);
static_assert(std::is_same_v<decltype(&DLL_PosOpen), DLL_PosOpen_fn>);
static_assert(std::is_same_v<decltype(&DLL_PosClose), DLL_PosClose_fn>);
static_assert(std::is_same_v<decltype(&DLL_PosIOCtl), DLL_PosIOCtl_fn>);
static_assert(std::is_same_v<decltype(&DLL_PosRead), DLL_PosRead_fn>);
static_assert(std::is_same_v<decltype(&DLL_PosWrite), DLL_PosWrite_fn>);
static_assert(std::is_same_v<decltype(&DLL_PosTerm), DLL_PosTerm_fn>);
static_assert(std::is_same_v<decltype(&DLL_PosVersion), DLL_PosVersion_fn>);
static_assert(std::is_same_v<decltype(&PosimControl), PosimControl_fn>);
static_assert(std::is_same_v<decltype(&PosimPostEvent), PosimPostEvent_fn>);
static_assert(std::is_same_v<decltype(&PosimDeviceOutput), PosimDeviceOutput_fn>);
