#pragma once

#include <exception>
#include <string>

namespace kob {

// A flag kept as text ("0" or "1", like the hidden text boxes they stand for) read as a number; 0 for a text
// that is no number.
inline double TextAsNumber(const std::string& text) {
    try {
        return std::stod(text);
    } catch (const std::exception&) {
        return 0;
    }
}

} // namespace kob
