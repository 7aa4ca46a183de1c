#pragma once

#include "platform/ScreenService.h"

namespace kob {

class Win32Screen : public ScreenService {
public:
    double TwipsPerPixelX() const override;
    double TwipsPerPixelY() const override;
    ScreenRect WorkArea() const override;
};

} // namespace kob
