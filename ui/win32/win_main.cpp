// ridozod.exe: the Windows program. The command line is ignored.
#include <windows.h>

#include "app/program.h"
#include "ui/win32/win32_front_end.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int show) {
  win32::Win32FrontEnd front_end(instance, previous, show);
  return app::RunProgram(front_end);
}
