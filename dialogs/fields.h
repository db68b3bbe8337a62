// Fields that several dialogs read and check the same way. On a bad field the
// user sees a message box (nothing is logged) and the dialog stays open.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "port/port.h"

namespace dialogs {

// Longest file name the Read and Write dialogs take.
inline constexpr std::size_t kMaxFileName = 99;

// The handle field (224) of the Close, Ioctl, Read and Write dialogs.
std::optional<std::int32_t> ReadHandle(ui::Port& ui, ui::Dialog& dialog);

// A file name field; empty is allowed and returned as such. A longer name
// than kMaxFileName is refused: cutting it would name another file.
std::optional<std::string> ReadFileName(ui::Port& ui, ui::Dialog& dialog, int id);

}  // namespace dialogs
