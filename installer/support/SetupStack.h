// The setup engine's side of a call into this library: the arguments it pushed and the answers it pops, on its
// stack of fixed-size texts.
#pragma once

#include <windows.h>

#include <string>

namespace setup {

// One entry of the engine's stack: the text has room for the engine's string size, terminator included.
struct StackEntry {
    StackEntry* next;
    wchar_t text[1];
};

class SetupStack {
public:
    SetupStack(int stringSize, StackEntry** top) : stringSize_(stringSize), top_(top) {}

    // The next argument; empty when the caller pushed none.
    std::wstring Pop();
    void Push(const std::wstring& text);

private:
    int stringSize_;
    StackEntry** top_;
};

} // namespace setup

// The signature the engine calls a library's functions with (its own calling convention, C names).
#define SETUP_FUNCTION(name)                                                                                           \
    extern "C" __declspec(dllexport) void __cdecl name(HWND, int stringSize, wchar_t*, setup::StackEntry** top, void*)
