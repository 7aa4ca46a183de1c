#include "controller/Form1.h"

#include <exception>
#include <stdexcept>

#include "common/AppTitle.h"
#include "common/Twips.h"
#include "controller/Form1Layout.h"
#include "mixer/ControlTypes.h"
#include "mixer/MixerDiscovery.h"
#include "mixer/MixerMessages.h"
#include "mixer/VolumeScale.h"
#include "platform/FatalError.h"
#include "platform/WorkArea.h"

namespace kob {

namespace {

std::uint32_t ParseControlType(const std::string& text) {
    std::size_t used = 0;
    unsigned long value = 0;
    try {
        value = std::stoul(text, &used, 10);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size() || value > 0xFFFFFFFFUL) {
        throw std::invalid_argument("Type mismatch: \"" + text + "\" is not a mixer control type.");
    }
    return static_cast<std::uint32_t>(value);
}

} // namespace

Form1::Form1(Form1View& view, Services& services, ProgramContext& context)
    : view_(view), services_(services), context_(context) {}

template <typename Step> void Form1::RunLoadStep(Step&& step) {
    // Only errors are caught: ending the program must go straight through.
    try {
        step();
    } catch (const std::exception& error) {
        services_.messages.Show(error.what(), kAppTitle, kMbOk | kMbIconExclamation);
    }
}

void Form1::Form_Load() {
    const double twipsPerPixelX = services_.screen.TwipsPerPixelX();
    const double twipsPerPixelY = services_.screen.TwipsPerPixelY();

    RunLoadStep([&] { heightPixels_ = TwipsToPixels(form1::kHeight, twipsPerPixelY); });
    RunLoadStep([&] { widthPixels_ = TwipsToPixels(form1::kWidth, twipsPerPixelX); });
    RunLoadStep(
        [&] { view_.SetWindowRegion(widthPixels_, heightPixels_, form1::kCornerEllipse, form1::kCornerEllipse); });
    RunLoadStep([&] { view_.ShowSkin(); });
    RunLoadStep([&] { view_.ShowKnobPicture(); });
    RunLoadStep([&] {
        view_.SetKnobRegion(TwipsToPixels(form1::kKnob.width, twipsPerPixelX),
                            TwipsToPixels(form1::kKnob.height, twipsPerPixelY), form1::kCornerEllipse,
                            form1::kCornerEllipse);
    });
    RunLoadStep([&] { context_.txtform1signal = "1"; });
    RunLoadStep([&] { GetCoreComponents(kControlTypeVolumeText); });
    RunLoadStep([&] { GetVolume(); });
    RunLoadStep([&] {
        GetWorkAreaRight(services_.screen, context_.WorkAreaRight);
        GetWorkAreaBottom(services_.screen, context_.WorkAreaBottom);
    });
    RunLoadStep([&] {
        view_.SetWindowPos(form1::kHwndNotopmost, context_.WorkAreaRight - form1::kOffsetFromWorkAreaRight,
                           context_.WorkAreaBottom - form1::kOffsetFromWorkAreaBottom, 0, 0,
                           form1::kSwpNoSize | form1::kSwpShowWindow);
    });
    RunLoadStep([&] { view_.SetMuteBoxBackColor(form1::kMuteBoxBackColor); });
    RunLoadStep([&] {
        trackclick = false;
        context_.FadeLevel = 255;
    });
}

void Form1::Form_Unload() {
    context_.txtform1signal = "0";
}

void Form1::GetCoreComponents(const std::string& mixcontroltype) {
    const std::uint32_t controlType = ParseControlType(mixcontroltype);
    DiscoverSpeakersControl(services_, context_, controlType, MasterLine, CurrentControl);
    context_.MixerDeviceName = MasterLine.targetName;
}

void Form1::GetVolume() {
    std::int32_t value = 0;
    if (services_.mixer.GetControlValue(context_.MixerHandle, CurrentControl.controlId, value) != kMixerNoError) {
        EndWithMessage(services_.messages, services_.process, kMsgVolumeReadFailed, kMbIconExclamation);
    }
    DetailValue = value;
    const std::int32_t percent = PercentFromMixerValue(DetailValue);
    view_.SetKnobTop(KnobTopFromPercent(percent));
    view_.SetReadout(std::to_string(percent));
}

void Form1::setVolume(const std::int32_t& setvollevel) {
    DetailValue = MixerValueFromLevel(setvollevel);
    if (services_.mixer.SetControlValue(context_.MixerHandle, CurrentControl.controlId, DetailValue) != kMixerNoError) {
        EndWithMessage(services_.messages, services_.process, kMsgSetDetailsFailed, kMbIconExclamation);
    }
}

} // namespace kob
