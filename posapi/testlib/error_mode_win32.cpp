// What the process's error mode was while the test library was being loaded:
// the binding loads with SEM_NOOPENFILEERRORBOX, so that the system shows no
// box of its own for a library it cannot load.
#include <windows.h>

#include "codes/pos_library.h"

namespace {
UINT error_mode_at_load = 0;
}  // namespace

extern "C" {

__declspec(dllexport) uint32_t POS_API_CALL TestLib_ErrorModeAtLoad() {
  return error_mode_at_load;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) error_mode_at_load = GetErrorMode();
  return TRUE;
}

}  // extern "C"
