#pragma once

#include <memory>
#include <string>
#include <vector>

#include "controller/ControllerShowing.h"
#include "fakes/FakeControllerView.h"
#include "fakes/FakeServices.h"

namespace kob::test {

inline ControllerServices ControllerServicesOf(FakePlatform& platform) {
    return {platform.screen, platform.settings, platform.launcher};
}

// Makes a recording view as each showing's window, as the program makes real ones; keeps what it made and counts
// the views alive, each one going with its showing.
class FakeControllerWindows {
public:
    ControllerWindowMaker Maker() {
        return [this](ControllerShowing& showing) {
            auto view = std::make_unique<CountedView>(alive);
            view->failingOperation = failingOperation;
            view->tally = &operations;
            // Taking the window down reports to its showing, as the real window's destruction does.
            view->onUnload = [&showing] { showing.OnWindowGone(); };
            showings.push_back(&showing);
            views.push_back(view.get());
            return view;
        };
    }

    std::vector<ControllerShowing*> showings;
    std::vector<FakeControllerView*> views;
    int alive = 0;
    // Operations received by all the views made.
    int operations = 0;
    // The picture that cannot be loaded in the views made from now on ("ShowSkin" or "ShowKnobPicture").
    std::string failingOperation;

private:
    struct CountedView : FakeControllerView {
        explicit CountedView(int& alive) : alive_(alive) { ++alive_; }
        ~CountedView() override { --alive_; }
        int& alive_;
    };
};

// Runs one of the showing's handlers, as its window's message dispatch does.
template <typename Handler> void RunHandler(ControllerShowing& showing, Handler&& handler) {
    handler(showing.Logic());
}

// One controller showing with everything it needs on fakes of its own, not loaded yet.
struct ControllerOnFakes {
    FakePlatform platform;
    MasterVolume volume{platform.volume};
    StartupFacts facts;
    FakeControllerWindows windows;
    int unloadsHeard = 0;
    ControllerShowing showing{
        windows.Maker(), volume, ControllerServicesOf(platform), facts, [this] { ++unloadsHeard; }, platform.report};
    FakeControllerView& view = *windows.views.back();
    Controller& controller = showing.Logic();
};

} // namespace kob::test
