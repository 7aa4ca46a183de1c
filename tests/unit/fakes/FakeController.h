#pragma once

#include <memory>
#include <vector>

#include "controller/ControllerShowing.h"
#include "fakes/FakeControllerView.h"
#include "fakes/FakeServices.h"

namespace kob::test {

inline ControllerServices ControllerServicesOf(FakePlatform& platform) {
    return {platform.screen, platform.messages, platform.settings, platform.launcher};
}

// One showing of the controller on fakes: the real logic with a recording view. Taking the window down runs the
// controller's unload, as the real window's destruction does. It counts the showings alive.
class FakeShowing : public ControllerShowing {
public:
    FakeShowing(FakePlatform& platform, MasterVolume& volume, const StartupFacts& facts, ControllerHost& host,
                int& alive)
        : view(platform.log), controller(view, volume, ControllerServicesOf(platform), facts, host), alive_(alive) {
        ++alive_;
        view.onUnload = [this] {
            loaded = false;
            controller.OnUnloaded();
        };
    }
    ~FakeShowing() override { --alive_; }
    void Load() override {
        if (loads++ == 0) {
            loaded = true;
            Handle([this] { controller.Load(); });
        }
    }
    void Unload() override { view.Unload(); }
    bool Loaded() const override { return loaded; }
    bool Busy() const override { return running > 0; }
    // Runs one of the showing's handlers, as its window's message dispatch does.
    template <typename Handler> void Handle(Handler&& handler) {
        ++running;
        struct Done {
            int& running;
            ~Done() { --running; }
        } done{running};
        handler();
    }
    void BringToForeground() override { view.foreground = true; }
    Controller& Logic() override { return controller; }

    FakeControllerView view;
    Controller controller;
    bool loaded = false;
    int loads = 0;
    int running = 0;

private:
    int& alive_;
};

class FakeShowings : public ControllerFactory {
public:
    explicit FakeShowings(FakePlatform& platform) : platform_(platform) {}
    std::unique_ptr<ControllerShowing> CreateController(ControllerHost& host, MasterVolume& volume,
                                                        const StartupFacts& facts) override {
        auto showing = std::make_unique<FakeShowing>(platform_, volume, facts, host, alive);
        showing->view.failingOperation = failingOperation;
        made.push_back(showing.get());
        return showing;
    }
    std::vector<FakeShowing*> made;
    int alive = 0;
    // The view operation that raises an error in the showings made from now on.
    std::string failingOperation;

private:
    FakePlatform& platform_;
};

// One controller showing with everything it needs on fakes of its own, not loaded yet.
struct ControllerOnFakes {
    FakePlatform platform;
    MasterVolume volume{platform.volume, platform.messages, platform.process};
    FakeControllerHost host;
    StartupFacts facts;
    int alive = 0;
    FakeShowing showing{platform, volume, facts, host, alive};
};

} // namespace kob::test
