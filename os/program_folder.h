// The folder of the running program, where its run folder's files lie.
#pragma once

#include <string>

namespace os {

// The folder with a trailing '/', or empty when the system cannot tell.
std::string ProgramFolder();

}  // namespace os
