#pragma once

#include <cstdint>
#include <utility>

namespace kob {

// A handle number handed out by a platform service (a registry key, a process), closed exactly once through that
// service: by Close(), or when the scope is left by any path.
template <typename Service, auto CloseCall> class ServiceHandle {
public:
    ServiceHandle(Service& service, std::uintptr_t handle) : service_(service), handle_(handle) {}
    ServiceHandle(const ServiceHandle&) = delete;
    ServiceHandle& operator=(const ServiceHandle&) = delete;
    ~ServiceHandle() { Close(); }

    std::uintptr_t get() const { return handle_; }
    void Close() {
        if (handle_ != 0) {
            (service_.*CloseCall)(std::exchange(handle_, 0));
        }
    }

private:
    Service& service_;
    std::uintptr_t handle_;
};

} // namespace kob
