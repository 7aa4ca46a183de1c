#pragma once

#include <string>

namespace kob {

// Message-box style flags, the published user32 values.
inline constexpr unsigned kMbOk = 0x0;
inline constexpr unsigned kMbIconError = 0x10;
inline constexpr unsigned kMbIconExclamation = 0x30;
inline constexpr unsigned kMbIconInformation = 0x40;

// Modal message boxes: the program's only way of reporting a failure.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual void Show(const std::string& text, const std::string& title, unsigned style) = 0;
};

} // namespace kob
