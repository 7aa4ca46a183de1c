#pragma once

#include <windows.h>

#include <oleacc.h>

#include <string>

namespace kob::accessibility {

// Active Accessibility's library, oleacc.dll (every Windows from 2000 on has it), is loaded the first time a
// screen reader asks a window for its accessible object, never at start-up.

// The answer to WM_GETOBJECT that hands this object to the asking process; 0 (the system's own answer) when the
// library cannot be loaded.
LRESULT ResultFromObject(WPARAM wParam, IAccessible* object);
// The system's own accessible object for a window (OBJID_WINDOW, OBJID_CLIENT, ...), or nullptr.
IAccessible* CreateStandardObject(HWND window, LONG objectId);

// A text for a screen reader, owned by the caller; nullptr for an empty text.
BSTR MakeText(const std::string& text);

// Gives a control the name of the label beside it, as screen readers announce it, without changing how the
// control looks or acts. The name must outlive the control.
void NameControl(HWND control, const char* name);

} // namespace kob::accessibility
