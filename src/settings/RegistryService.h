#pragma once

#include <memory>
#include <string>
#include <utility>

#include "settings/RegistryKey.h"

namespace kob {

// The two predefined roots the program uses.
enum class RegistryRoot { CurrentUser, LocalMachine };

// What a key is opened for: reading its values, or writing and deleting them.
enum class RegistryAccess { Read, Write };

// A key the registry opened, or why it did not: the key is there exactly when the result is Ok.
struct OpenedKey {
    std::unique_ptr<RegistryKey> key;
    RegistryResult result;
};

// The registry's existing keys. Nothing here creates a key.
class RegistryService {
public:
    virtual ~RegistryService() = default;
    virtual OpenedKey OpenKey(RegistryRoot root, const std::string& subKey, RegistryAccess access) = 0;
};

// Opens the key, runs the operation on it and closes it, whatever way the operation leaves; a key that cannot be
// opened runs nothing. The result is the opening's.
template <typename Operation>
RegistryResult WithKey(RegistryService& registry, RegistryRoot root, const char* subKey, RegistryAccess access,
                       Operation&& operation) {
    const OpenedKey opened = registry.OpenKey(root, subKey, access);
    if (opened.key) {
        std::forward<Operation>(operation)(*opened.key);
    }
    return opened.result;
}

} // namespace kob
