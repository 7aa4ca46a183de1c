// Looks at a window from another process as a screen reader does, through Active Accessibility, and reports
// what it was told as "key=value" lines in a file.
//
//   AccessProbe <out> <window> read            the window's client object (self=), the child with the focus
//                                              (focus=) and each child, with the child at its centre (hit<N>=):
//                                              child<N>=<role>|<name>|<value>|<state>|<default action>
//   AccessProbe <out> <window> set <N> <text>  sets child N's value
//   AccessProbe <out> <window> do <N>          runs child N's default action
// <window> is the handle in decimal; every command reports result=<HRESULT>.
#include <windows.h>

#include <oleacc.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

std::string Narrow(BSTR text) {
    std::string result;
    for (UINT i = 0; text && i < SysStringLen(text); ++i) {
        result += static_cast<char>(text[i]);
    }
    SysFreeString(text);
    return result;
}

BSTR Wide(const std::string& text) {
    std::wstring wide(text.begin(), text.end());
    return SysAllocString(wide.c_str());
}

VARIANT Child(long id) {
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

std::string Describe(IAccessible* object, long id) {
    const VARIANT child = Child(id);
    BSTR name = nullptr;
    BSTR value = nullptr;
    BSTR action = nullptr;
    VARIANT role;
    VARIANT state;
    VariantInit(&role);
    VariantInit(&state);
    object->get_accName(child, &name);
    object->get_accValue(child, &value);
    object->get_accDefaultAction(child, &action);
    object->get_accRole(child, &role);
    object->get_accState(child, &state);
    return std::to_string(role.vt == VT_I4 ? role.lVal : -1) + "|" + Narrow(name) + "|" + Narrow(value) + "|" +
           std::to_string(state.vt == VT_I4 ? state.lVal : -1) + "|" + Narrow(action);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        return 2;
    }
    std::ofstream out(argv[1]);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::atoll(argv[2])));
    IAccessible* object = nullptr;
    HRESULT result = AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                                reinterpret_cast<void**>(&object));
    const std::string command = argv[3];
    if (SUCCEEDED(result) && command == "read") {
        long count = 0;
        result = object->get_accChildCount(&count);
        out << "children=" << count << "\n";
        out << "self=" << Describe(object, CHILDID_SELF) << "\n";
        VARIANT focus;
        VariantInit(&focus);
        object->get_accFocus(&focus);
        out << "focus=" << (focus.vt == VT_I4 ? focus.lVal : -1) << "\n";
        for (long id = 1; id <= count; ++id) {
            out << "child" << id << "=" << Describe(object, id) << "\n";
            long left = 0, top = 0, width = 0, height = 0;
            object->accLocation(&left, &top, &width, &height, Child(id));
            VARIANT hit;
            VariantInit(&hit);
            object->accHitTest(left + width / 2, top + height / 2, &hit);
            out << "hit" << id << "=" << (hit.vt == VT_I4 ? hit.lVal : -1) << "\n";
        }
    } else if (SUCCEEDED(result) && command == "set" && argc >= 6) {
        BSTR text = Wide(argv[5]);
        result = object->put_accValue(Child(std::atol(argv[4])), text);
        SysFreeString(text);
    } else if (SUCCEEDED(result) && command == "do" && argc >= 5) {
        result = object->accDoDefaultAction(Child(std::atol(argv[4])));
    }
    out << "result=" << static_cast<long>(result) << "\n";
    if (object) {
        object->Release();
    }
    CoUninitialize();
    return 0;
}
