#include "tray/win32/MciSoundDevice.h"

#include <mmsystem.h>

#include "platform/win32/DynamicCalls.h"

namespace kob {

namespace {

constexpr const char* kAlias = "kobtestsound";

} // namespace

MciSoundDevice::~MciSoundDevice() {
    if (deviceId_ != 0) {
        Send(std::string("close ") + kAlias);
    }
}

bool MciSoundDevice::Open(const std::string& waveFile) {
    if (waveFile.empty() || !Send("open \"" + waveFile + "\" type WaveAudio alias " + kAlias)) {
        return false;
    }
    const auto getDeviceId = dynamic::Winmm().mciGetDeviceIDA;
    deviceId_ = getDeviceId ? getDeviceId(kAlias) : 0;
    return true;
}

bool MciSoundDevice::Play() {
    return Send(std::string("play ") + kAlias + " notify", notifyWindow_);
}

bool MciSoundDevice::Stop() {
    return Send(std::string("stop ") + kAlias);
}

bool MciSoundDevice::Close() {
    const bool closed = Send(std::string("close ") + kAlias);
    deviceId_ = 0;
    return closed;
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
