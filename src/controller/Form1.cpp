#include "controller/Form1.h"

#include "common/Twips.h"
#include "controller/Form1Layout.h"
#include "mixer/ControlTypes.h"
#include "mixer/VolumeScale.h"
#include "platform/ErrorGuard.h"
#include "platform/WorkArea.h"

namespace kob {

Form1::Form1(Form1View& view, Mixer& mixer, const Form1Services& services, const StartupFacts& facts, Form1Host& host)
    : view_(view), mixer_(mixer), services_(services), facts_(facts), host_(host) {}

void Form1::Form_Load() {
    const double twipsPerPixelX = services_.screen.TwipsPerPixelX();
    const double twipsPerPixelY = services_.screen.TwipsPerPixelY();
    // Every step is guarded: an error is shown and loading goes on, unless the window went while the error was
    // shown. A mixer failure ends the program instead.
    const auto step = [this](auto&& body) {
        if (!unloaded_) {
            ShowErrorAndGoOn(services_.messages, kMbIconExclamation, body);
        }
    };

    step([&] { heightPixels_ = TwipsToPixels(form1::kHeight, twipsPerPixelY); });
    step([&] { widthPixels_ = TwipsToPixels(form1::kWidth, twipsPerPixelX); });
    step([&] { view_.SetWindowRegion(widthPixels_, heightPixels_, form1::kCornerEllipse, form1::kCornerEllipse); });
    step([&] { view_.ShowSkin(); });
    step([&] { view_.ShowKnobPicture(); });
    step([&] {
        view_.SetKnobRegion(TwipsToPixels(form1::kKnob.width, twipsPerPixelX),
                            TwipsToPixels(form1::kKnob.height, twipsPerPixelY), form1::kCornerEllipse,
                            form1::kCornerEllipse);
    });
    step([&] { host_.SetForm1Signal(true); });
    step([&] { GetCoreComponents(kControlTypeVolumeText); });
    step([&] { GetVolume(); });
    step([&] {
        GetWorkAreaRight(services_.screen, state_.WorkAreaRight);
        GetWorkAreaBottom(services_.screen, state_.WorkAreaBottom);
    });
    step([&] {
        // Measured from the window's far edges, so that a window grown with the display's DPI stays whole above
        // the task bar.
        view_.ShowAt(state_.WorkAreaRight - form1::kGapToWorkAreaRight - widthPixels_,
                     state_.WorkAreaBottom - form1::kGapToWorkAreaBottom - heightPixels_);
    });
    step([&] { view_.SetMuteBoxBackColor(form1::kMuteBoxBackColor); });
    step([&] {
        state_.trackclick = false;
        state_.FadeLevel = form1::kOpaque;
    });
}

void Form1::Form_Unload() {
    unloaded_ = true;
    host_.SetForm1Signal(false);
}

void Form1::LoadAndUnloadUnseen(Mixer& mixer, Form1Host& host) {
    host.SetForm1Signal(true);
    IgnoreErrors([&] { mixer.GetCoreComponents(kControlTypeVolumeText); });
    IgnoreErrors([&] { mixer.ReadCurrentControl(); });
    host.SetForm1Signal(false);
}

void Form1::GetCoreComponents(const std::string& mixcontroltype) {
    mixer_.GetCoreComponents(mixcontroltype);
}

void Form1::GetVolume() {
    const std::int32_t percent = PercentFromMixerValue(mixer_.ReadCurrentControl());
    state_.percent = percent;
    PlaceKnob(KnobTopFromPercent(percent));
    view_.SetReadout(std::to_string(percent));
}

void Form1::setVolume(const std::int32_t& setvollevel) {
    mixer_.WriteCurrentControl(MixerValueFromLevel(setvollevel));
}

void Form1::PlaceKnob(float top) {
    state_.knobTop = top;
    view_.SetKnobTop(top);
}

} // namespace kob
