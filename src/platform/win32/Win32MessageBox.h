#pragma once

#include "platform/MessageBoxService.h"

namespace kob {

class Win32MessageBox : public MessageBoxService {
public:
    void Show(const std::string& text, const std::string& title, unsigned style) override;
};

} // namespace kob
