// Runs the binding in a process of its own and simply returns from main, so
// that a test can see what the exit hook does.
//   exit_probe LIBRARY COUNT_FILE init|fail|none
#include <cstring>

#include "posapi/binding.h"

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  posapi::SetLibraryFileForTesting(argv[1]);
  ResourcePair pair = {"queueHandle", 1};
  if (std::strcmp(argv[3], "init") == 0) {
    return posapi::PosInitialize("RIDOZOD", argv[2], 0, 0, &pair, 1) == 0 ? 0 : 3;
  }
  if (std::strcmp(argv[3], "fail") == 0) {
    return posapi::PosInitialize("fail", argv[2], 0, 0, &pair, 1) == -1 ? 0 : 3;
  }
  return posapi::PosClose(1) == -1 ? 0 : 3;
}
