#include "SetupStack.h"

#include <algorithm>

namespace setup {

std::wstring SetupStack::Pop() {
    if (!top_ || !*top_) {
        return {};
    }
    StackEntry* entry = *top_;
    std::wstring text(entry->text);
    *top_ = entry->next;
    GlobalFree(entry);
    return text;
}

void SetupStack::Push(const std::wstring& text) {
    if (!top_ || stringSize_ <= 0) {
        return;
    }
    auto* entry = static_cast<StackEntry*>(GlobalAlloc(GPTR, sizeof(StackEntry) + stringSize_ * sizeof(wchar_t)));
    if (!entry) {
        return;
    }
    const std::size_t length = std::min<std::size_t>(text.size(), static_cast<std::size_t>(stringSize_ - 1));
    text.copy(entry->text, length);
    entry->text[length] = L'\0';
    entry->next = *top_;
    *top_ = entry;
}

} // namespace setup
