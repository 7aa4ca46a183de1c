#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "controller/ControllerView.h"

namespace kob::test {

struct RegionArgs {
    int width = -1;
    int height = -1;
    bool operator==(const RegionArgs&) const = default;
};

struct Point {
    int x = 0;
    int y = 0;
};

// Records what the controller's logic does to its window. Any operation can be made to raise an error.
class FakeControllerView : public ControllerView {
public:
    bool Create() override;
    void BringToForeground() override { foreground = true; }
    void ShapeWindow(int w, int h) override;
    void ShapeKnob(int w, int h) override;
    bool ShowSkin() override;
    bool ShowKnobPicture() override;
    void SetKnobTop(Twips top) override;
    void SetReadout(const std::string& caption) override;
    void SetMuteBoxBackColor(Rgb color) override;
    void SetMuteBox(bool ticked) override;
    void FadeTo(int opacity) override;
    void Unload() override;
    void ShowAt(int x, int y) override;
    void SetTopmost(bool on) override;
    void MoveWindowBy(float dxTwips, float dyTwips) override;
    void EnableTimer(ControllerTimer timer, bool enabled) override;
    void AnnounceVolumeChanged() override { ++volumeAnnouncements; }
    void AnnounceMuteChanged() override { ++muteAnnouncements; }

    bool TimerEnabled(ControllerTimer timer) const { return timers[static_cast<int>(timer)]; }

    RegionArgs windowRegion;
    RegionArgs knobRegion;
    bool skinShown = false;
    bool knobPictureShown = false;
    double knobTop = 470;
    std::string readout = "00";
    Rgb muteBoxBackColor;
    Point shownAt;
    bool muteBoxTicked = false;
    std::vector<int> opacities;
    // What the window's destruction runs; what runs as the window appears.
    std::function<void()> onUnload;
    std::function<void()> onShow;
    bool unloaded = false;
    bool foreground = false;
    bool visible = false;
    bool topmost = false;
    // The window's place in screen twips, snapped to whole pixels as a real window is.
    float windowLeft = 0;
    float windowTop = 0;
    float twipsPerPixel = 15;
    std::array<bool, 3> timers{};
    int volumeAnnouncements = 0;
    int muteAnnouncements = 0;
    // The picture that cannot be loaded: "ShowSkin" or "ShowKnobPicture".
    std::string failingOperation;
    // Every operation but the announcements and BringToForeground, in order: "SetKnobTop", "EnableTimer 0 on".
    std::vector<std::string> operations;
    // Counts each operation here too, when set.
    int* tally = nullptr;

private:
    void Enter(const std::string& operation);
};

} // namespace kob::test
