#include "platform/win32/Accessibility.h"

#include <new>

#include "platform/win32/DynamicCalls.h"

namespace kob::accessibility {

namespace {

// The system's accessible object of a control with another name: everything else is the system's own answer.
class NamedControl final : public IAccessible {
public:
    NamedControl(IAccessible* inner, BSTR name) : inner_(inner), name_(name) {}
    NamedControl(const NamedControl&) = delete;
    NamedControl& operator=(const NamedControl&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
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
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) {
            inner_->Release();
            SysFreeString(name_);
            delete this;
        }
        return static_cast<ULONG>(left);
    }
    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return inner_->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT i, LCID l, ITypeInfo** t) override {
        return inner_->GetTypeInfo(i, l, t);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID r, LPOLESTR* n, UINT c, LCID l, DISPID* d) override {
        return inner_->GetIDsOfNames(r, n, c, l, d);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID d, REFIID r, LCID l, WORD f, DISPPARAMS* p, VARIANT* v, EXCEPINFO* e,
                                     UINT* a) override {
        return inner_->Invoke(d, r, l, f, p, v, e, a);
    }
    // IAccessible: the name is ours, the rest the system's.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!name) {
            return E_POINTER;
        }
        if (child.vt != VT_I4 || child.lVal != CHILDID_SELF) {
            return inner_->get_accName(child, name);
        }
        *name = name_ ? SysAllocString(name_) : nullptr;
        if (!name_) {
            return S_FALSE;
        }
        return *name ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** p) override { return inner_->get_accParent(p); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* c) override { return inner_->get_accChildCount(c); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT v, IDispatch** d) override { return inner_->get_accChild(v, d); }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT v, BSTR* b) override { return inner_->get_accValue(v, b); }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT v, BSTR* b) override {
        return inner_->get_accDescription(v, b);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT v, VARIANT* r) override { return inner_->get_accRole(v, r); }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT v, VARIANT* s) override { return inner_->get_accState(v, s); }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT v, BSTR* b) override { return inner_->get_accHelp(v, b); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* b, VARIANT v, LONG* t) override {
        return inner_->get_accHelpTopic(b, v, t);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT v, BSTR* b) override {
        return inner_->get_accKeyboardShortcut(v, b);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* v) override { return inner_->get_accFocus(v); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* v) override { return inner_->get_accSelection(v); }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT v, BSTR* b) override {
        return inner_->get_accDefaultAction(v, b);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG f, VARIANT v) override { return inner_->accSelect(f, v); }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* w, LONG* h, VARIANT v) override {
        return inner_->accLocation(x, y, w, h, v);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG d, VARIANT s, VARIANT* e) override {
        return inner_->accNavigate(d, s, e);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* v) override { return inner_->accHitTest(x, y, v); }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT v) override { return inner_->accDoDefaultAction(v); }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT v, BSTR b) override { return inner_->put_accName(v, b); }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT v, BSTR b) override { return inner_->put_accValue(v, b); }

private:
    LONG references_ = 1;
    IAccessible* inner_;
    BSTR name_;
};

constexpr const char* kNameProperty = "KobAccessibleName";
constexpr const char* kProcedureProperty = "KobAccessibleProcedure";

LRESULT CALLBACK NamedControlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto original = reinterpret_cast<WNDPROC>(GetPropA(control, kProcedureProperty));
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        const auto* name = static_cast<const char*>(GetPropA(control, kNameProperty));
        if (IAccessible* standard = CreateStandardObject(control, OBJID_CLIENT)) {
            auto* named = new (std::nothrow) NamedControl(standard, MakeText(name ? name : ""));
            if (!named) {
                standard->Release();
            } else {
                const LRESULT result = ResultFromObject(wParam, named);
                named->Release();
                if (result > 0) {
                    return result;
                }
            }
        }
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        RemovePropA(control, kNameProperty);
        RemovePropA(control, kProcedureProperty);
    }
    return CallWindowProcA(original, control, message, wParam, lParam);
}

} // namespace

LRESULT ResultFromObject(WPARAM wParam, IAccessible* object) {
    const dynamic::OleaccCalls& oleacc = dynamic::Oleacc();
    return oleacc.lresultFromObject ? oleacc.lresultFromObject(IID_IAccessible, wParam, object) : 0;
}

IAccessible* CreateStandardObject(HWND window, LONG objectId) {
    const dynamic::OleaccCalls& oleacc = dynamic::Oleacc();
    void* object = nullptr;
    if (!oleacc.createStdAccessibleObject ||
        FAILED(oleacc.createStdAccessibleObject(window, objectId, IID_IAccessible, &object))) {
        return nullptr;
    }
    return static_cast<IAccessible*>(object);
}

BSTR MakeText(const std::string& text) {
    if (text.empty()) {
        return nullptr;
    }
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
    BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(length));
    if (result) {
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), result, length);
    }
    return result;
}

void NameControl(HWND control, const char* name) {
    if (!control) {
        return;
    }
    SetPropA(control, kNameProperty, const_cast<char*>(name));
    SetPropA(control, kProcedureProperty, reinterpret_cast<HANDLE>(GetWindowLongPtrA(control, GWLP_WNDPROC)));
    SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NamedControlProcedure));
}

} // namespace kob::accessibility
