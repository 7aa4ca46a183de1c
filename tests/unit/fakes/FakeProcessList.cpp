#include "fakes/FakeProcessList.h"

namespace kob::test {

void FakeProcessList::Run(std::uint32_t id, const std::string& executable) {
    ids.push_back(id);
    processes[id].executable = executable;
}

std::vector<std::uint32_t> FakeProcessList::ListIds() {
    ++listings;
    return listRefused ? std::vector<std::uint32_t>() : ids;
}

std::string FakeProcessList::ExecutableOf(std::uint32_t processId) {
    examined.push_back(processId);
    const auto found = processes.find(processId);
    return found == processes.end() || !found->second.readable ? std::string() : found->second.executable;
}

} // namespace kob::test
