#include "platform/win32/SystemErrorText.h"

namespace kob {

std::string SystemErrorText(DWORD error) {
    char text[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                        text, sizeof(text), nullptr);
    std::string description(text, length);
    while (!description.empty() &&
           (description.back() == '\r' || description.back() == '\n' || description.back() == ' ')) {
        description.pop_back();
    }
    return description.empty() ? "Error " + std::to_string(error) : description;
}

} // namespace kob
