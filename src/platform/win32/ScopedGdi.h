#pragma once

#include <windows.h>

namespace kob {

// A window's (or with no window, the screen's) device context, released when the scope ends.
class ScopedGetDC {
public:
    explicit ScopedGetDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ScopedGetDC(const ScopedGetDC&) = delete;
    ScopedGetDC& operator=(const ScopedGetDC&) = delete;
    ~ScopedGetDC() {
        if (dc_) {
            ReleaseDC(window_, dc_);
        }
    }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A memory device context compatible with another one, deleted when the scope ends.
class ScopedCompatibleDC {
public:
    explicit ScopedCompatibleDC(HDC dc) : dc_(CreateCompatibleDC(dc)) {}
    ScopedCompatibleDC(const ScopedCompatibleDC&) = delete;
    ScopedCompatibleDC& operator=(const ScopedCompatibleDC&) = delete;
    ~ScopedCompatibleDC() {
        if (dc_) {
            DeleteDC(dc_);
        }
    }
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// An object selected into a device context, the previous one put back when the scope ends.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(dc ? SelectObject(dc, object) : nullptr) {}
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;
    ~ScopedSelectObject() {
        if (previous_) {
            SelectObject(dc_, previous_);
        }
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Draws a whole bitmap into the width x height pixels at (x, y): pixel for pixel at its own size, scaled
// smoothly otherwise (a layout in twips grows with the display's DPI, the pictures do not).
inline void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y, int width, int height) {
    BITMAP picture{};
    if (!GetObject(bitmap, sizeof(picture), &picture)) {
        return;
    }
    ScopedCompatibleDC source(dc);
    ScopedSelectObject selected(source.get(), bitmap);
    if (picture.bmWidth == width && picture.bmHeight == height) {
        BitBlt(dc, x, y, width, height, source.get(), 0, 0, SRCCOPY);
        return;
    }
    const int previousMode = SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, x, y, width, height, source.get(), 0, 0, picture.bmWidth, picture.bmHeight, SRCCOPY);
    SetStretchBltMode(dc, previousMode);
}

// Gives the window a rounded-rectangle shape. The system owns the region once SetWindowRgn succeeds; otherwise
// it is deleted here.
inline bool SetRoundedRegion(HWND window, int width, int height, int ellipseWidth, int ellipseHeight) {
    HRGN region = CreateRoundRectRgn(0, 0, width, height, ellipseWidth, ellipseHeight);
    if (!region) {
        return false;
    }
    if (!SetWindowRgn(window, region, TRUE)) {
        DeleteObject(region);
        return false;
    }
    return true;
}

} // namespace kob
