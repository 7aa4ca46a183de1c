#pragma once

#include <cstdint>

#include "common/AppTitle.h"
#include "common/MakersWebsite.h"
#include "common/Twips.h"

namespace kob::about_layout {

// The About window's design, in twips relative to its client area (15 twips = 1 pixel at 96 dpi).
inline constexpr double kWidth = 5160;  // 344 px
inline constexpr double kHeight = 5805; // 387 px
inline constexpr const char* kCaption = "About";

inline constexpr std::uint32_t kWhite = 0x00FFFFFF;
inline constexpr std::uint32_t kBlack = 0x00000000;

// One line of text, drawn over the background picture with no background of its own.
struct Label {
    const char* text;
    TwipsRect place;
    std::uint32_t colorref;
    const char* face;
    double points;
    bool bold;
    bool underline;
    bool centred;
};

// The mixer line's text is set at load; this is its design caption.
inline constexpr const char* kMixerDesignCaption = "Mixer : No details available !";

inline constexpr Label kLabels[] = {
    {kAppTitle, {960, 120, 3135, 270}, kWhite, "Tahoma", 11.25, true, false, false},
    {kMixerDesignCaption, {1200, 480, 2715, 240}, kWhite, "Tahoma", 9.75, true, false, true},
    {"Written by Marlox's Software", {1080, 1005, 2595, 210}, kWhite, "Tahoma", 9, true, false, false},
    {"Lisbon, Portugal", {1680, 1260, 1605, 210}, kWhite, "Tahoma", 9, true, false, false},
    {"Art: M. Duarte (art@marlox.example.com)", {720, 1680, 3465, 210}, kWhite, "Tahoma", 9, true, false, false},
    {"The logo is a trademark of Marlox's Software.",
     {840, 3720, 3240, 180},
     kWhite,
     "Verdana",
     6.75,
     false,
     false,
     false},
    {"Web :", {1080, 4200, 525, 240}, kBlack, "Tahoma", 9.75, false, false, false},
    {kMakersWebsite, {1680, 4200, 2475, 240}, kBlack, "Tahoma", 9.75, false, true, false},
    {"Send a Feedback", {1920, 4560, 1470, 240}, kBlack, "Tahoma", 9.75, false, true, false},
    // Centred across the whole window, so that the sentence fits where a font runs wider than its design.
    {"Visit our website to download more utilities like this.",
     {0, 5040, kWidth, 240},
     0x00008080,
     "Tahoma",
     9.75,
     false,
     false,
     true},
    {"Marlox's Software, 2004 - 2026", {960, 5400, 3075, 210}, 0x0000C0C0, "Tahoma", 9, true, false, false},
};

// Indexes into kLabels of the lines that act or have cursors of their own.
inline constexpr int kMixerLine = 1;
inline constexpr int kTrademark = 5;
inline constexpr int kWebPrefix = 6;
inline constexpr int kWebLink = 7;
inline constexpr int kFeedbackLink = 8;

} // namespace kob::about_layout
