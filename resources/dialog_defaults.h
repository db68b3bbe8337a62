// The DialogDefaults: the built-in texts that the Initialize and Open dialogs
// show and fall back on. Fixed for the whole run.
#pragma once

namespace res {

struct DialogDefaults {
  const char* application_name;
  const char* resource_file;
  const char* device_name;
  const char* device_class;
};

inline constexpr DialogDefaults kDialogDefaults{"RIDOZOD", "C:\\KLOB", "DEVNAME", "PosDisplay"};

}  // namespace res
