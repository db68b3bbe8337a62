// Word for posimctl when a simulator runs without its control socket (say,
// in a folder it may not write to): one small file per process in a folder
// that only its user may use ($XDG_RUNTIME_DIR/posim, else /tmp/posim-UID).
#pragma once

#include <string>
#include <vector>

namespace posim {

struct ControlNote {
  long process;
  std::string folder;  // where the socket was to be
  std::string reason;
};

// Leaves word of this process; false when there is nowhere safe to leave it.
bool LeaveControlNote(const std::string& folder, const std::string& reason);
void RemoveControlNote();
// The notes of processes that still run; those of ended ones are removed.
std::vector<ControlNote> ReadControlNotes();

}  // namespace posim
