// In-memory dialog templates built from the tables in resources/, for
// DialogBoxIndirectParamA: the same styles, ids, texts, positions, tab order
// and font as a compiled resource would carry.
#pragma once

#include <windows.h>

#include <vector>

#include "resources/templates.h"

namespace win32 {

// The window style of a dialog (DS_SETFONT included: every template names its font).
DWORD DialogStyle(const res::DialogTemplate& tmpl);

// The window style of a control, WS_CHILD | WS_VISIBLE and its class's own bits.
DWORD ControlStyle(const res::Control& control);

// The predefined window class of a control, as a template's class atom.
WORD ControlClassAtom(res::ControlKind kind);

// A DLGTEMPLATE with its items, DWORD-aligned words. Texts are converted from
// the ANSI code page, as a resource compiler would.
std::vector<WORD> BuildDialogTemplate(const res::DialogTemplate& tmpl);

}  // namespace win32
