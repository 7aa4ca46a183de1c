#pragma once

namespace kob {

// Fatal mixer failures, shown with the exclamation icon before the program ends.
inline constexpr const char* kMsgMixerOpenFailed = "Error! Unable to open a Mixer Device. Program will be terminated.";
inline constexpr const char* kMsgLineInfoFailed = "Error! Unable to get Mixer Line information.";
inline constexpr const char* kMsgLineControlsFailed =
    "Error! Unable to retriev the controls associated with an audio line .";
inline constexpr const char* kMsgVolumeReadFailed = "Error! Can't get Mixer Control Details.";
inline constexpr const char* kMsgSetDetailsFailed = "Error! Unable to set Mixer Control Details.";
inline constexpr const char* kMsgMuteReadFailed = "Error! Unable to get Mixer Control Details.";

} // namespace kob
