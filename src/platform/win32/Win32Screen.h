#pragma once

#include "platform/ScreenService.h"

namespace kob {

// The screen's DPI and SystemParametersInfoA(SPI_GETWORKAREA), read into a zeroed rectangle.
class Win32Screen : public ScreenService {
public:
    double TwipsPerPixelX() const override;
    double TwipsPerPixelY() const override;
    ScreenRect WorkArea() const override;
};

} // namespace kob
