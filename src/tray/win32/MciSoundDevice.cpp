#include "tray/win32/MciSoundDevice.h"

#include <mmsystem.h>

#include <algorithm>
#include <cctype>

#include "platform/win32/DynamicCalls.h"

namespace kob {

namespace {

constexpr const char* kAlias = "kobtestsound";

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

MciSoundDevice::~MciSoundDevice() {
    if (deviceId_ != 0) {
        Send(std::string("close ") + kAlias);
    }
}

bool MciSoundDevice::SetDeviceType(const std::string& type) {
    type_ = type;
    return true;
}

bool MciSoundDevice::SetFileName(const std::string& file) {
    file_ = file;
    return true;
}

bool MciSoundDevice::Command(const std::string& command) {
    const std::string verb = Lower(command);
    if (verb == "open") {
        if (file_.empty() || !Send("open \"" + file_ + "\" type " + type_ + " alias " + kAlias)) {
            return false;
        }
        const auto getDeviceId = dynamic::Winmm().mciGetDeviceIDA;
        deviceId_ = getDeviceId ? getDeviceId(kAlias) : 0;
        return true;
    }
    if (verb == "play") {
        return Send(std::string("play ") + kAlias + " notify", notifyWindow_);
    }
    if (verb == "stop") {
        return Send(std::string("stop ") + kAlias);
    }
    if (verb == "close") {
        const bool closed = Send(std::string("close ") + kAlias);
        deviceId_ = 0;
        return closed;
    }
    return false;
}

bool MciSoundDevice::IsEndOfPlayback(WPARAM flags, LPARAM device) const {
    return deviceId_ != 0 && static_cast<UINT>(device) == deviceId_ &&
           (flags & (MCI_NOTIFY_SUCCESSFUL | MCI_NOTIFY_FAILURE)) != 0;
}

bool MciSoundDevice::Send(const std::string& command, HWND callback) {
    const auto sendString = dynamic::Winmm().mciSendStringA;
    return sendString && sendString(command.c_str(), nullptr, 0, callback) == 0;
}

} // namespace kob
