#include "platform/ProgramFolder.h"

namespace kob {

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
    const auto slash = path.rfind('\\');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos) {
        name.erase(dot);
    }
    return name;
}

std::string ProgramFolder(ModulePathService& modulePath) {
    return FolderOf(modulePath.ExecutablePath());
}

std::string InProgramFolder(ModulePathService& modulePath, const std::string& fileName) {
    return ProgramFolder(modulePath) + "\\" + fileName;
}

std::string OpenableProgramFile(ModulePathService& modulePath, const std::string& fileName) {
    for (const PathForm form : {PathForm::Long, PathForm::Short}) {
        if (const auto executable = modulePath.ExactNarrowExecutablePath(form)) {
            return FolderOf(*executable) + "\\" + fileName;
        }
    }
    return InProgramFolder(modulePath, fileName);
}

std::u16string ProgramFilePath(ModulePathService& modulePath, const std::string& fileName) {
    const std::u16string path = modulePath.WideExecutablePath();
    const auto slash = path.rfind(u'\\');
    const std::u16string folder = slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
    return folder + u"\\" + std::u16string(fileName.begin(), fileName.end());
}

} // namespace kob
