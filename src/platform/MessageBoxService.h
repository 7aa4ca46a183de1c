#pragma once

#include <string>

namespace kob {

// The icon beside a message: a failure that ends the program, a warning, or a notice.
enum class MessageIcon { Error, Exclamation, Information };

// Modal message boxes with an OK button: the program's only way of reporting a failure.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual void Show(const std::string& text, const std::string& title, MessageIcon icon) = 0;
};

} // namespace kob
