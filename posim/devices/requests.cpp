#include "posim/devices/requests.h"

#include "posim/devices/codes.h"
#include "posim/devices/display.h"
#include "posim/devices/events.h"
#include "posim/devices/handles.h"
#include "posim/devices/scale.h"
#include "posim/devices/values.h"

namespace posim {

namespace {

struct Request {
  Client& client;
  std::int32_t handle;
  Device* device;
  ResourcePair* pairs;
  std::int32_t count;
};

using Handler = std::int32_t (*)(Request&);

// A request: its code, the class it belongs to (0: the session's own), what
// it does beyond setting a value, and the value it sets on success.
struct RequestRow {
  std::int32_t code;
  std::int32_t class_code;
  Handler handler;   // may refuse; nullptr: nothing beyond the value
  const char* sets;  // nullptr: sets nothing
  std::int32_t value;
};

std::int32_t WithTables(Request& r, bool get) {
  if (r.device == nullptr) {
    ValueTable* tables[] = {&r.client.system};
    return get ? GetValues(tables, r.pairs, r.count) : SetValues(tables, r.pairs, r.count);
  }
  if (r.device->config.class_code == kClassScale) UpdateWeight(*r.device);
  ValueTable* tables[] = {&r.device->own, &r.device->common, &r.client.system};
  const std::int32_t status =
      get ? GetValues(tables, r.pairs, r.count) : SetValues(tables, r.pairs, r.count);
  if (!get && r.device->config.class_code == kClassScale) UpdateWeight(*r.device);
  return status;
}

std::int32_t GetValuesRequest(Request& r) {
  return WithTables(r, true);
}
std::int32_t SetValuesRequest(Request& r) {
  return WithTables(r, false);
}

std::int32_t Acquire(Request& r) {
  const std::int32_t holder = r.device->AcquiredBy();
  if (holder == r.handle) return kSysAlreadyAcquired;
  if (holder != 0) return kSysAcquiredByOther;
  r.device->common.Number("acquired") = r.handle;
  return kOk;
}

std::int32_t Release(Request& r) {
  if (r.device->AcquiredBy() != r.handle) return kSysNotAcquired;
  ReleaseDevice(r.client, *r.device);
  return kOk;
}

std::int32_t Lock(Request& r) {
  if (r.device->AcquiredBy() != r.handle) return kSysNotAcquired;
  return r.device->Locked() ? kSysCmdReject : kOk;
}

std::int32_t Unlock(Request& r) {
  if (r.device->AcquiredBy() != r.handle) return kSysNotAcquired;
  return r.device->Locked() ? kOk : kSysCmdReject;
}

std::int32_t ClearScreen(Request& r) {
  ClearDisplay(*r.device);
  return kOk;
}

std::int32_t NeedsNumLockKey(Request& r) {
  return r.device->own.Number("numLockEnabled") != 0 ? kOk : kSysCmdReject;
}

std::int32_t NeedsScrollLockKey(Request& r) {
  return r.device->own.Number("scrollLockEnabled") != 0 ? kOk : kSysCmdReject;
}

// The settings back to their first values; what was printed and the paper stay.
std::int32_t ResetPrinter(Request& r) {
  ValueTable& own = r.device->own;
  const std::int64_t lines = own.Number("linesPrinted");
  const std::int64_t paper_out = own.Number("paperOut");
  own = ValueTable(r.device->kind->resources);
  own.Number("linesPrinted") = lines;
  own.Number("paperOut") = paper_out;
  EmitDeviceEvent(r.client, *r.device, kMsgPrnStatusChange, 0);
  return kOk;
}

// Resuming or retrying prints again only once the paper is back.
std::int32_t PrinterStatusChange(Request& r) {
  if (r.device->own.Number("paperOut") != 0) return kSysHwError;
  EmitDeviceEvent(r.client, *r.device, kMsgPrnStatusChange, 0);
  return kOk;
}

std::int32_t SendBreak(Request& r) {
  EmitDeviceEvent(r.client, *r.device, kMsgRs232BreakDetected, 0);
  return kOk;
}

std::int32_t ZeroScale(Request& r) {
  const std::int32_t net = NetGrams(*r.device);
  if (net > kZeroLimitGrams || net < -kZeroLimitGrams) return kScaleZeroScaleFailed;
  r.device->zero_offset = r.device->gross_weight;
  UpdateWeight(*r.device);
  return kOk;
}

std::int32_t ClearScaleScreen(Request& r) {
  return r.device->own.Number("remoteDisplayState") != 0 ? kOk : kScaleInvalidClearScreenRequest;
}

std::int32_t DiscardLabels(Request& r) {
  r.device->input.clear();
  return kOk;
}

std::int32_t OpenTill(Request& r) {
  ++r.device->own.Number("openCount");
  EmitDeviceEvent(r.client, *r.device, kMsgTillOpened, 0);
  return kOk;
}

constexpr RequestRow kRequests[] = {
    {kReqSysGetValues, 0, GetValuesRequest, nullptr, 0},
    {kReqSysSetValues, 0, SetValuesRequest, nullptr, 0},
    {kReqSysAcquireDevice, 0, Acquire, nullptr, 0},
    {kReqSysReleaseDevice, 0, Release, nullptr, 0},
    {kReqSysLockDevice, 0, Lock, "locked", 1},
    {kReqSysUnlockDevice, 0, Unlock, "locked", 0},

    {kReqAlarmSoundAlarm, kClassAlarm, nullptr, "alarmSounding", 1},
    {kReqAlarmSilenceAlarm, kClassAlarm, nullptr, "alarmSounding", 0},

    {kReqDspClearScreen, kClassDisplay, ClearScreen, nullptr, 0},
    {kReqDspDefineCharacters, kClassDisplay, nullptr, nullptr, 0},

    {kReqKbdDisableHotKeys, kClassKeyboard, nullptr, "hotKeys", 0},
    {kReqKbdEnableHotKeys, kClassKeyboard, nullptr, "hotKeys", 1},
    {kReqKbdDisableNumLock, kClassKeyboard, nullptr, "numLockEnabled", 0},
    {kReqKbdEnableNumLock, kClassKeyboard, nullptr, "numLockEnabled", 1},
    {kReqKbdDisablePosFunctions, kClassKeyboard, nullptr, "posFunctions", 0},
    {kReqKbdEnablePosFunctions, kClassKeyboard, nullptr, "posFunctions", 1},
    {kReqKbdDisableScrollLock, kClassKeyboard, nullptr, "scrollLockEnabled", 0},
    {kReqKbdEnableScrollLock, kClassKeyboard, nullptr, "scrollLockEnabled", 1},
    {kReqKbdSetNumLockOff, kClassKeyboard, NeedsNumLockKey, "numLock", 0},
    {kReqKbdSetNumLockOn, kClassKeyboard, NeedsNumLockKey, "numLock", 1},
    {kReqKbdSetScrollLockOff, kClassKeyboard, NeedsScrollLockKey, "scrollLock", 0},
    {kReqKbdSetScrollLockOn, kClassKeyboard, NeedsScrollLockKey, "scrollLock", 1},
    {kReqKbdSetTypematicOff, kClassKeyboard, nullptr, "typematic", 0},
    {kReqKbdSetTypematicOn, kClassKeyboard, nullptr, "typematic", 1},
    {kReqKbdSoundTone, kClassKeyboard, nullptr, "toneSounding", 1},
    {kReqKbdSilenceTone, kClassKeyboard, nullptr, "toneSounding", 0},

    {kReqPowerOff, kClassPower, nullptr, "powerOn", 0},
    {kReqPowerOn, kClassPower, nullptr, "powerOn", 1},
    {kReqPowerSetAlarm, kClassPower, nullptr, "alarmSet", 1},

    {kReqPrnDefineCharacters, kClassPrinter, nullptr, nullptr, 0},
    {kReqPrnDisableDiPrinting, kClassPrinter, nullptr, "diPrinting", 0},
    {kReqPrnEnableDiPrinting, kClassPrinter, nullptr, "diPrinting", 1},
    {kReqPrnDisableFiscalPrinting, kClassPrinter, nullptr, "fiscalPrinting", 0},
    {kReqPrnEnableFiscalPrinting, kClassPrinter, nullptr, "fiscalPrinting", 1},
    {kReqPrnDiscardData, kClassPrinter, nullptr, nullptr, 0},
    {kReqPrnResetPrinter, kClassPrinter, ResetPrinter, nullptr, 0},
    {kReqPrnResumePrinting, kClassPrinter, PrinterStatusChange, nullptr, 0},
    {kReqPrnRetryPrinting, kClassPrinter, PrinterStatusChange, nullptr, 0},

    {kReqRs232SendBreak, kClassRs232, SendBreak, nullptr, 0},

    {kReqScaleZeroScale, kClassScale, ZeroScale, nullptr, 0},
    {kReqScaleClearScreen, kClassScale, ClearScaleScreen, nullptr, 0},

    {kReqScanDiscardData, kClassScanner, DiscardLabels, nullptr, 0},

    {kReqTillOpenTill, kClassCashDrawer, OpenTill, "drawerOpen", 1},

    {kReqTouchSoundTone, kClassTouchScreen, nullptr, "toneSounding", 1},
    {kReqTouchSilenceTone, kClassTouchScreen, nullptr, "toneSounding", 0},
};

const RequestRow* FindRequest(std::int32_t code) {
  for (const RequestRow& row : kRequests) {
    if (row.code == code) return &row;
  }
  return nullptr;
}

bool IsSessionRequest(std::int32_t code) {
  return code == kReqSysGetValues || code == kReqSysSetValues;
}

// The value a row sets lives in the class's table or, for the state of
// acquiring and locking, in the device-level one.
ValueTable& TableOf(Device& device, const char* name) {
  return device.own.Find(name) >= 0 ? device.own : device.common;
}

}  // namespace

std::int32_t RunRequest(Client& client, std::int32_t handle, Device* device, std::int32_t request,
                        ResourcePair* pairs, std::int32_t count) {
  if (const std::int32_t status = CheckPairs(pairs, count)) return status;
  const RequestRow* row = FindRequest(request);
  if (row == nullptr) return kSysInvalidRequest;
  Request r{client, handle, device, pairs, count};
  if (device == nullptr) return IsSessionRequest(request) ? row->handler(r) : kSysInvalidRequest;
  if (row->class_code != 0 && row->class_code != device->config.class_code) {
    return kSysInvalidRequest;
  }
  if (request != kReqSysGetValues) {
    // A device that went off line can still be given back.
    if (!device->Online() && request != kReqSysReleaseDevice) return kSysDeviceOffline;
    const std::int32_t holder = device->AcquiredBy();
    if (holder != 0 && holder != handle) return kSysAcquiredByOther;
  }
  if (row->class_code != 0) {
    ValueTable* tables[] = {&device->own};
    if (const std::int32_t status = SetValues(tables, pairs, count)) return status;
  }
  if (row->handler != nullptr) {
    if (const std::int32_t status = row->handler(r)) return status;
  }
  if (row->sets != nullptr) TableOf(*device, row->sets).Number(row->sets) = row->value;
  return kOk;
}

}  // namespace posim
