#include "fakes/FakeProcessList.h"

#include <algorithm>
#include <stdexcept>

#include "fakes/FakeServices.h"

namespace kob::test {

namespace {

// The module handle of every fake process's executable.
constexpr std::uintptr_t kExecutableModule = 0x400000;

} // namespace

void FakeProcessList::Run(std::uint32_t id, const std::string& executable) {
    ids.push_back(id);
    processes[id].executable = executable;
}

bool FakeProcessList::EnumProcesses(std::vector<std::uint32_t>& out, std::uint32_t bufferBytes,
                                    std::uint32_t& bytesReturned) {
    log_.Add("EnumProcesses " + std::to_string(bufferBytes));
    enumBufferBytes.push_back(bufferBytes);
    enumArrayLengths.push_back(out.size());
    if (throwOnEnum) {
        throw std::runtime_error("Out of memory");
    }
    if (bufferBytes > out.size() * 4) {
        throw std::logic_error("EnumProcesses buffer larger than the array");
    }
    if (enumFailsFromCall != 0 && static_cast<int>(enumBufferBytes.size()) >= enumFailsFromCall) {
        return false;
    }
    const std::size_t delivered = std::min<std::size_t>(ids.size(), bufferBytes / 4);
    std::copy(ids.begin(), ids.begin() + static_cast<std::ptrdiff_t>(delivered), out.begin());
    bytesReturned = static_cast<std::uint32_t>(delivered * 4);
    return true;
}

std::uintptr_t FakeProcessList::OpenProcess(std::uint32_t access, bool inheritHandle, std::uint32_t processId) {
    log_.Add("OpenProcess " + std::to_string(processId) + " access " + std::to_string(access) + " inherit " +
             std::to_string(inheritHandle));
    openedIds.push_back(processId);
    if (processId == throwOnOpenOf) {
        throw std::runtime_error("Not enough quota");
    }
    const auto found = processes.find(processId);
    if (found == processes.end() || !found->second.openable) {
        return 0;
    }
    const std::uintptr_t handle = nextHandle_++;
    handles_[handle] = processId;
    openHandles.insert(handle);
    return handle;
}

bool FakeProcessList::EnumProcessModules(std::uintptr_t process, std::vector<std::uintptr_t>& modules,
                                         std::uint32_t bufferBytes, std::uint32_t& bytesNeeded) {
    log_.Add("EnumProcessModules " + std::to_string(bufferBytes) + " into " + std::to_string(modules.size()));
    if (openHandles.count(process) == 0 || modules.empty()) {
        throw std::logic_error("EnumProcessModules on a process that is not open");
    }
    if (!processes[handles_[process]].modulesReadable) {
        return false;
    }
    modules[0] = kExecutableModule;
    bytesNeeded = 4;
    return true;
}

std::uint32_t FakeProcessList::ReadModuleFileName(std::uintptr_t process, std::uintptr_t module,
                                                  std::vector<char>& buffer, std::uint32_t size) {
    log_.Add("GetModuleFileNameEx " + std::to_string(size) + " into " + std::to_string(buffer.size()));
    if (openHandles.count(process) == 0 || module != kExecutableModule) {
        return 0;
    }
    const std::string& name = processes[handles_[process]].executable;
    const std::size_t copied = std::min<std::size_t>(name.size(), std::min<std::size_t>(size, buffer.size()) - 1);
    std::copy(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(copied), buffer.begin());
    buffer[copied] = '\0';
    return static_cast<std::uint32_t>(copied);
}

bool FakeProcessList::CloseHandle(std::uintptr_t handle) {
    log_.Add("CloseHandle");
    return openHandles.erase(handle) == 1;
}

} // namespace kob::test
