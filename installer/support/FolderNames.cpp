#include "FolderNames.h"

#include <algorithm>

namespace setup {

namespace {

bool IsDeviceName(std::wstring base) {
    // Windows reads the name up to its first dot, without the blanks that end it.
    base.erase(std::find(base.begin(), base.end(), L'.'), base.end());
    base.erase(base.find_last_not_of(L' ') + 1);
    for (wchar_t& character : base) {
        if (character >= L'a' && character <= L'z') {
            character = static_cast<wchar_t>(character - L'a' + L'A');
        }
    }
    if (base == L"CON" || base == L"PRN" || base == L"AUX" || base == L"NUL") {
        return true;
    }
    return base.size() == 4 && (base.compare(0, 3, L"COM") == 0 || base.compare(0, 3, L"LPT") == 0) &&
           base[3] >= L'1' && base[3] <= L'9';
}

} // namespace

NameFault FindNameFault(const std::wstring& path) {
    if (std::any_of(path.begin(), path.end(), [](wchar_t character) { return character < L' '; })) {
        return NameFault::ControlCharacter;
    }
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(L'\\', start);
        if (end == std::wstring::npos) {
            end = path.size();
        }
        if (IsDeviceName(path.substr(start, end - start))) {
            return NameFault::Device;
        }
        start = end + 1;
    }
    return NameFault::None;
}

} // namespace setup
