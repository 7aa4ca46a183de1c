#pragma once

#include <cstdint>

#include "platform/ScreenService.h"

namespace kob {

// Right and bottom edges of the work area in pixels; 0 when the system cannot tell.
inline void GetWorkAreaRight(const ScreenService& screen, std::int32_t& value) {
    value = screen.WorkArea().right;
}
inline void GetWorkAreaBottom(const ScreenService& screen, std::int32_t& value) {
    value = screen.WorkArea().bottom;
}

} // namespace kob
