#pragma once

#include <cstdint>

namespace kob {

// The commands of the tray icon's pop-up menu.
enum class MenuCommand {
    None,
    About,
    Help,
    Options,
    TestSound,
    KeepOnTop,
    VolumeControl,
    AudioProperties,
    Website,
    Exit
};

// One line of the menu: a command with its caption, or a separator (None, "-").
struct MenuLine {
    MenuCommand command;
    const char* caption;
};

// The menu from top to bottom; Exit is its default (bold) item.
inline constexpr MenuLine kTrayMenu[] = {
    {MenuCommand::About, "About"},
    {MenuCommand::None, "-"},
    {MenuCommand::Help, "Help"},
    {MenuCommand::Options, "Options"},
    {MenuCommand::TestSound, "Test Sound"},
    {MenuCommand::None, "-"},
    {MenuCommand::KeepOnTop, "Keep Controller on Top"},
    {MenuCommand::None, "-"},
    {MenuCommand::VolumeControl, "Open Volume Control (Windows)"},
    {MenuCommand::AudioProperties, "Adjust Audio Properties (Windows)"},
    {MenuCommand::None, "-"},
    {MenuCommand::Website, "Marlox's Software Website"},
    {MenuCommand::None, "-"},
    {MenuCommand::Exit, "Close Drovo Volume Controller"},
};

// The state of "Keep Controller on Top", the only item that changes.
struct KeepOnTopItem {
    bool checked = false;
    bool enabled = true;
};

} // namespace kob
