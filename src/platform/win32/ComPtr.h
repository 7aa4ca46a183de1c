#pragma once

#include <utility>

namespace kob {

// Holds one reference to a COM interface and releases it exactly once.
template <typename Interface> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { Reset(); }

    Interface* Get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // Releases what it held and hands out the place for a new reference, as COM's out-parameters want it.
    Interface** Receive() {
        Reset();
        return &pointer_;
    }
    void Reset() {
        if (Interface* held = std::exchange(pointer_, nullptr)) {
            held->Release();
        }
    }

private:
    Interface* pointer_ = nullptr;
};

} // namespace kob
