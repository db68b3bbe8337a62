// Which list file fills the Resource combo box: by device class in the Open
// dialog, by request name in the Ioctl dialog. Both test a text's beginning,
// byte for byte, in table order; the first row that begins it wins.
#pragma once

#include <string_view>

namespace dialogs {

// The list file for a device class text ("PosPrinterX" -> "PPRINTER.DAT"),
// or nullptr when no class name begins it.
const char* ClassListFile(std::string_view device_class);

// The list file for a request text ("POS_TILL_..." -> "PDRAWER.DAT"), or
// nullptr when no request prefix begins it.
const char* RequestListFile(std::string_view request);

}  // namespace dialogs
