// The main window's display of device events posted by the POS subsystem.
#pragma once

#include <cstdint>

#include "names/lookup.h"
#include "port/port.h"

namespace app {

// Decodes a device event (0x4201..0x4210) into the CommandLog and, for most,
// a message box. Returns false for codes it does not handle, which leave no
// trace and go to the default window procedure; an offline event of a device
// it does not report is handled, silently.
bool HandleDeviceEvent(ui::Port& ui, names::NameScratch& scratch, std::uint32_t message,
                       std::uint32_t wparam, std::uint32_t lparam);

}  // namespace app
