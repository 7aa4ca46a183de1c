#pragma once

#include <cstdint>

namespace kob {

// How the user last left the controller; the next menu shows "Keep Controller on Top" from it. The numbers are
// the ones stored in the registry value "ontopstat".
enum class ControllerState : std::uint32_t { Shown = 0, OnTop = 1, Closed = 2 };

} // namespace kob
