#pragma once

#include "platform/MessageBoxService.h"

namespace kob {

class Win32MessageBox : public MessageBoxService {
public:
    void Show(const std::string& text, const std::string& title, MessageIcon icon) override;
};

} // namespace kob
