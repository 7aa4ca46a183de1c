// Does to two windows what any other program can: sends each a WM_NCCREATE of its own making, first with a junk
// pointer, then with the object pointer that the other window's GWLP_USERDATA shows to anyone who asks; then sends
// each the other creation and destruction messages, and posts it those that may be posted.
#include <windows.h>

#include <cstdlib>
#include <initializer_list>

int main(int argc, char** argv) {
    if (argc != 3) {
        return 2;
    }
    const HWND windows[] = {reinterpret_cast<HWND>(std::strtoul(argv[1], nullptr, 10)),
                            reinterpret_cast<HWND>(std::strtoul(argv[2], nullptr, 10))};
    DWORD_PTR answer = 0;
    for (int i = 0; i < 2; ++i) {
        for (const LONG_PTR pointer : {LONG_PTR{0x1234}, GetWindowLongPtrA(windows[1 - i], GWLP_USERDATA)}) {
            CREATESTRUCTA create{};
            create.lpCreateParams = reinterpret_cast<void*>(pointer);
            SendMessageTimeoutA(windows[i], WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create), SMTO_BLOCK, 5000,
                                &answer);
        }
    }
    for (const HWND window : windows) {
        CREATESTRUCTA create{};
        SendMessageTimeoutA(window, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create), SMTO_BLOCK, 5000, &answer);
        for (const UINT message : {WM_DESTROY, WM_NCDESTROY}) {
            SendMessageTimeoutA(window, message, 0, 0, SMTO_BLOCK, 5000, &answer);
            PostMessageA(window, message, 0, 0);
        }
    }
    return 0;
}
