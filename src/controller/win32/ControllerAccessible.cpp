#include "controller/win32/ControllerAccessible.h"

#include "controller/win32/ControllerWindow.h"
#include "platform/win32/Accessibility.h"

namespace kob {

namespace {

LONG RoleOf(AccessibleRole role) {
    switch (role) {
    case AccessibleRole::Slider:
        return ROLE_SYSTEM_SLIDER;
    case AccessibleRole::CheckBox:
        return ROLE_SYSTEM_CHECKBUTTON;
    case AccessibleRole::PushButton:
        break;
    }
    return ROLE_SYSTEM_PUSHBUTTON;
}

// A text for the caller; an empty text is "none" (S_FALSE), as screen readers expect.
HRESULT GiveText(const std::string& text, BSTR* out) {
    if (!out) {
        return E_POINTER;
    }
    *out = accessibility::MakeText(text);
    if (text.empty()) {
        return S_FALSE;
    }
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT GiveChild(LONG id, VARIANT* out) {
    if (!out) {
        return E_POINTER;
    }
    VariantInit(out);
    if (id < 0) {
        return S_FALSE;
    }
    out->vt = VT_I4;
    out->lVal = id;
    return S_OK;
}

std::string NarrowText(BSTR text) {
    if (!text) {
        return {};
    }
    const int wide = static_cast<int>(SysStringLen(text));
    const int length = WideCharToMultiByte(CP_ACP, 0, text, wide, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, wide, result.data(), length, nullptr, nullptr);
    return result;
}

} // namespace

LONG ControllerAccessible::ChildOf(const VARIANT& child) {
    if (child.vt != VT_I4 || child.lVal < CHILDID_SELF || child.lVal > kControllerPartCount) {
        return -1;
    }
    return child.lVal;
}

HRESULT ControllerAccessible::Check(const VARIANT& child) const {
    if (!host_) {
        return RPC_E_DISCONNECTED;
    }
    return ChildOf(child) < 0 ? E_INVALIDARG : S_OK;
}

HRESULT ControllerAccessible::QueryInterface(REFIID iid, void** object) {
    if (!object) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG ControllerAccessible::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG ControllerAccessible::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT ControllerAccessible::GetTypeInfoCount(UINT* count) {
    if (!count) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT ControllerAccessible::get_accParent(IDispatch** parent) {
    if (!parent) {
        return E_POINTER;
    }
    *parent = nullptr;
    if (!host_) {
        return RPC_E_DISCONNECTED;
    }
    // The window's frame, as the system describes it.
    *parent = accessibility::CreateStandardObject(window_, OBJID_WINDOW);
    return *parent ? S_OK : S_FALSE;
}

HRESULT ControllerAccessible::get_accChildCount(LONG* count) {
    if (!count) {
        return E_POINTER;
    }
    *count = kControllerPartCount;
    return host_ ? S_OK : RPC_E_DISCONNECTED;
}

HRESULT ControllerAccessible::get_accChild(VARIANT child, IDispatch** object) {
    if (!object) {
        return E_POINTER;
    }
    *object = nullptr;
    const HRESULT checked = Check(child);
    if (checked != S_OK) {
        return checked;
    }
    // The parts are simple elements, answered by this object itself.
    return ChildOf(child) == CHILDID_SELF ? E_INVALIDARG : S_FALSE;
}

HRESULT ControllerAccessible::get_accName(VARIANT child, BSTR* name) {
    const HRESULT checked = Check(child);
    if (checked != S_OK) {
        return checked;
    }
    const LONG id = ChildOf(child);
    if (id == CHILDID_SELF) {
        char title[128] = {};
        GetWindowTextA(window_, title, sizeof(title));
        return GiveText(title, name);
    }
    return GiveText(host_->DescribeParts()[id - 1].name, name);
}

HRESULT ControllerAccessible::get_accValue(VARIANT child, BSTR* value) {
    const HRESULT checked = Check(child);
    if (checked != S_OK) {
        return checked;
    }
    const LONG id = ChildOf(child);
    return GiveText(id == CHILDID_SELF ? std::string() : host_->DescribeParts()[id - 1].value, value);
}

HRESULT ControllerAccessible::get_accDescription(VARIANT child, BSTR* text) {
    const HRESULT checked = Check(child);
    return checked != S_OK ? checked : GiveText({}, text);
}

HRESULT ControllerAccessible::get_accRole(VARIANT child, VARIANT* role) {
    const HRESULT checked = Check(child);
    if (checked != S_OK) {
        return checked;
    }
    const LONG id = ChildOf(child);
    return GiveChild(id == CHILDID_SELF ? ROLE_SYSTEM_CLIENT : RoleOf(host_->DescribeParts()[id - 1].role), role);
}

HRESULT ControllerAccessible::get_accState(VARIANT child, VARIANT* state) {
    const HRESULT checked = Check(child);
    if (checked != S_OK) {
        return checked;
    }
    const LONG id = ChildOf(child);
    LONG flags = IsWindowVisible(window_) ? 0 : STATE_SYSTEM_INVISIBLE;
    const LONG focused = host_->FocusedChild();
    if (id == CHILDID_SELF) {
        flags |= STATE_SYSTEM_FOCUSABLE | (focused != 0 ? STATE_SYSTEM_FOCUSED : 0);
    } else {
        const AccessiblePart part = host_->DescribeParts()[id - 1];
        if (part.part == ControllerPart::Slider || part.part == ControllerPart::MuteBox) {
            flags |= STATE_SYSTEM_FOCUSABLE;
        }
        if (focused == id) {
            flags |= STATE_SYSTEM_FOCUSED;
        }
        if (part.checked) {
            flags |= STATE_SYSTEM_CHECKED;
        }
    }
    return GiveChild(flags, state);
}

HRESULT ControllerAccessible::get_accHelp(VARIANT child, BSTR* text) {
    const HRESULT checked = Check(child);
    return checked != S_OK ? checked : GiveText({}, text);
}

HRESULT ControllerAccessible::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) {
    if (!file || !topic) {
        return E_POINTER;
    }
    *file = nullptr;
    *topic = 0;
    const HRESULT checked = Check(child);
    return checked != S_OK ? checked : S_FALSE;
}

HRESULT ControllerAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* text) {
    const HRESULT checked = Check(child);
    return checked != S_OK ? checked : GiveText({}, text);
}

HRESULT ControllerAccessible::get_accFocus(VARIANT* child) {
    if (!host_) {
        return RPC_E_DISCONNECTED;
    }
    const LONG focused = host_->FocusedChild();
    return GiveChild(focused == 0 ? -1 : focused, child);
}

HRESULT ControllerAccessible::get_accSelection(VARIANT* children) {
    if (!host_) {
        return RPC_E_DISCONNECTED;
    }
    return GiveChild(-1, children);
}

HRESULT ControllerAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    const HRESULT checked = Check(child);
    if (checked != S_OK) {
        return checked;
    }
    const LONG id = ChildOf(child);
    return GiveText(id == CHILDID_SELF ? std::string() : host_->DescribeParts()[id - 1].defaultAction, action);
}

HRESULT ControllerAccessible::accSelect(LONG flags, VARIANT child) {
    const HRESULT checked = Check(child);
    if (checked != S_OK) {
        return checked;
    }
    // Taking the focus is all a selection means here: the keys then act on the slider.
    if (flags == SELFLAG_TAKEFOCUS && ChildOf(child) <= static_cast<LONG>(ControllerPart::Slider)) {
        SetForegroundWindow(window_);
        SetFocus(window_);
        return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT ControllerAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) {
    if (!left || !top || !width || !height) {
        return E_POINTER;
    }
    *left = *top = *width = *height = 0;
    const HRESULT checked = Check(child);
    if (checked != S_OK) {
        return checked;
    }
    const LONG id = ChildOf(child);
    RECT r{};
    if (id == CHILDID_SELF) {
        GetClientRect(window_, &r);
        MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&r), 2);
    } else {
        r = host_->ScreenRectOf(host_->DescribeParts()[id - 1].place);
    }
    *left = r.left;
    *top = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
}

HRESULT ControllerAccessible::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
    const HRESULT checked = Check(start);
    if (checked != S_OK) {
        return checked;
    }
    const LONG from = ChildOf(start);
    LONG to = -1;
    if (from == CHILDID_SELF) {
        to = direction == NAVDIR_FIRSTCHILD ? 1 : direction == NAVDIR_LASTCHILD ? kControllerPartCount : -1;
    } else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) {
        to = from < kControllerPartCount ? from + 1 : -1;
    } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) {
        to = from > 1 ? from - 1 : -1;
    }
    return GiveChild(to, end);
}

HRESULT ControllerAccessible::accHitTest(LONG x, LONG y, VARIANT* child) {
    if (!host_) {
        return RPC_E_DISCONNECTED;
    }
    const POINT at{x, y};
    RECT client{};
    GetClientRect(window_, &client);
    MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    if (!PtInRect(&client, at)) {
        return GiveChild(-1, child);
    }
    for (const AccessiblePart& part : host_->DescribeParts()) {
        const RECT place = host_->ScreenRectOf(part.place);
        if (PtInRect(&place, at)) {
            return GiveChild(static_cast<LONG>(part.part), child);
        }
    }
    return GiveChild(CHILDID_SELF, child);
}

HRESULT ControllerAccessible::accDoDefaultAction(VARIANT child) {
    const HRESULT checked = Check(child);
    if (checked != S_OK) {
        return checked;
    }
    const LONG id = ChildOf(child);
    if (id == CHILDID_SELF || id == static_cast<LONG>(ControllerPart::Slider)) {
        return DISP_E_MEMBERNOTFOUND;
    }
    return host_->DoDefaultAction(static_cast<ControllerPart>(id)) ? S_OK : E_FAIL;
}

HRESULT ControllerAccessible::put_accValue(VARIANT child, BSTR value) {
    const HRESULT checked = Check(child);
    if (checked != S_OK) {
        return checked;
    }
    if (ChildOf(child) != static_cast<LONG>(ControllerPart::Slider)) {
        return DISP_E_MEMBERNOTFOUND;
    }
    return host_->SetVolumeFromText(NarrowText(value)) ? S_OK : E_INVALIDARG;
}

} // namespace kob
