// The main window's display of device events posted by the POS subsystem.
#pragma once

#include <cstdint>

#include "names/lookup.h"
#include "ui/port.h"

namespace app {

// Decodes a device event (0x4201..0x4210) into the CommandLog and, for most,
// a message box. Returns false for codes it does not handle (no trace left).
bool HandleDeviceEvent(ui::Port& ui, names::NameScratch& scratch, std::uint32_t message,
                       std::uint32_t wparam, std::uint32_t lparam);

}  // namespace app
