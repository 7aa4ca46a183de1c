#include "platform/FatalError.h"

#include <cstdlib>

#include "common/AppTitle.h"

namespace kob {

void EndWithMessage(MessageBoxService& messages, ProcessControl& process, const std::string& text, unsigned icon) {
    messages.Show(text, kAppTitle, kMbOk | icon);
    process.EndProcess(0);
    std::abort(); // EndProcess never returns; this only tells the compiler so.
}

} // namespace kob
