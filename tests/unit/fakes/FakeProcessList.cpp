#include "fakes/FakeProcessList.h"

#include <algorithm>
#include <stdexcept>

#include "fakes/FakeServices.h"

namespace kob::test {

void FakeProcessList::Run(std::uint32_t id, const std::string& executable) {
    ids.push_back(id);
    processes[id].executable = executable;
}

bool FakeProcessList::ListIds(std::vector<std::uint32_t>& out, std::uint32_t capacity, std::uint32_t& delivered) {
    log_.Add("EnumProcesses " + std::to_string(capacity));
    capacities.push_back(capacity);
    if (throwOnList) {
        throw std::runtime_error("Out of memory");
    }
    if (capacity > out.size()) {
        throw std::logic_error("room asked beyond the array");
    }
    if (listFailsFromCall != 0 && static_cast<int>(capacities.size()) >= listFailsFromCall) {
        return false;
    }
    const std::size_t count = std::min<std::size_t>(ids.size(), capacity);
    std::copy(ids.begin(), ids.begin() + static_cast<std::ptrdiff_t>(count), out.begin());
    delivered = static_cast<std::uint32_t>(count);
    return true;
}

std::string FakeProcessList::ExecutableOf(std::uint32_t processId) {
    log_.Add("ExecutableOf " + std::to_string(processId));
    examined.push_back(processId);
    if (processId == throwOnExecutableOf) {
        throw std::runtime_error("Not enough quota");
    }
    const auto found = processes.find(processId);
    return found == processes.end() || !found->second.readable ? std::string() : found->second.executable;
}

} // namespace kob::test
