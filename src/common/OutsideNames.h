#pragma once

namespace kob {

// The names other programs see: the setup's plugin looks for running copies by the mutex and the companion window,
// and the setup writes the program's key. Both the program and the plugin take them from here.

// Made first of all at the program's start and held until its process ends.
inline constexpr char kInstanceMutexName[] = "kob3.0";

// The window classes of the program's windows.
inline constexpr char kCompanionWindowClass[] = "DrovoVC3Companion";
inline constexpr char kControllerWindowClass[] = "DrovoVC3Controller";
inline constexpr char kKnobWindowClass[] = "DrovoVC3Knob";
inline constexpr char kAboutWindowClass[] = "DrovoVC3About";
inline constexpr char kOptionsWindowClass[] = "DrovoVC3Options";

// The program's own key, under HKEY_CURRENT_USER; the setup creates it.
inline constexpr char kProgramKey[] = "Software\\Marlox's Software\\Drovo Volume Controller\\3.0";
// The name of the program's value in the Run keys (the log-on start).
inline constexpr char kRunValueName[] = "Drovo Volume Controller 3.0";

} // namespace kob
