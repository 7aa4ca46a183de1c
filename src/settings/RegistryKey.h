#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "platform/ServiceHandle.h"
#include "settings/RegistryService.h"

namespace kob {

// An open key, closed when the operation leaves by any path.
using OpenedKey = ServiceHandle<RegistryService, &RegistryService::CloseKey>;

// Opens the key and runs the operation on it; a key that cannot be opened runs nothing.
template <typename Operation>
void WithKey(RegistryService& registry, RegistryRoot root, const char* subKey, RegistryAccess access,
             Operation&& operation) {
    std::uintptr_t handle = 0;
    if (!registry.OpenKey(root, subKey, access, handle).Ok()) {
        return;
    }
    OpenedKey key(registry, handle);
    std::forward<Operation>(operation)(key);
}

} // namespace kob
