// The accessible object of a drawn link: the system's own, with the role and action of a link.
#include "controls/link_accessible.h"

#include <oleacc.h>

#include <string>

#include "base/handles.h"

namespace taskwing {
namespace {

// Loaded at the first question of an accessibility client: nobody else needs it, and a start
// without it is faster. From the system folder only, and kept while objects made by it may live.
struct Oleacc {
    decltype(&::CreateStdAccessibleObject) createStd = nullptr;
    decltype(&::LresultFromObject) lresultFromObject = nullptr;
};

const Oleacc& Library() {
    static const Oleacc library = [] {
        Oleacc loaded;
        HMODULE module = ::LoadLibraryExW(L"oleacc.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (module == nullptr) return loaded;
        loaded.createStd = reinterpret_cast<decltype(&::CreateStdAccessibleObject)>(
            reinterpret_cast<void*>(::GetProcAddress(module, "CreateStdAccessibleObject")));
        loaded.lresultFromObject = reinterpret_cast<decltype(&::LresultFromObject)>(
            reinterpret_cast<void*>(::GetProcAddress(module, "LresultFromObject")));
        return loaded;
    }();
    return library;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// COM interfaces have no virtual destructor: the object ends itself in Release, never through a
// pointer to its interface.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif
class LinkAccessible final : public IAccessible {
public:
    LinkAccessible(HWND link, IAccessible* system, UINT activate) : m_link(link), m_system(system), m_activate(activate) {}
    LinkAccessible(const LinkAccessible&) = delete;
    LinkAccessible& operator=(const LinkAccessible&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG refs = ::InterlockedDecrement(&m_refs);
        if (refs == 0) delete this;
        return static_cast<ULONG>(refs);
    }

    // IDispatch: the system object's.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return m_system->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
        return m_system->GetTypeInfo(index, lcid, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override {
        return m_system->GetIDsOfNames(iid, names, count, lcid, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* argument) override {
        return m_system->Invoke(id, iid, lcid, flags, params, result, exception, argument);
    }

    // What makes it a link.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!IsSelf(child)) return m_system->get_accName(child, name);
        if (name == nullptr) return E_POINTER;
        const int length = ::GetWindowTextLengthW(m_link);
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        text.resize(static_cast<size_t>(::GetWindowTextW(m_link, text.data(), length + 1)));
        *name = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        return *name != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child)) return m_system->get_accRole(child, role);
        if (role == nullptr) return E_POINTER;
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_LINK;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        const HRESULT result = m_system->get_accState(child, state);
        if (!IsSelf(child) || state == nullptr) return result;
        if (FAILED(result) || state->vt != VT_I4) {
            state->vt = VT_I4;
            state->lVal = 0;
        }
        state->lVal |= STATE_SYSTEM_LINKED | STATE_SYSTEM_FOCUSABLE;
        if (::GetFocus() == m_link) state->lVal |= STATE_SYSTEM_FOCUSED;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (!IsSelf(child)) return m_system->get_accDefaultAction(child, action);
        if (action == nullptr) return E_POINTER;
        *action = ::SysAllocString(L"跳转");
        return *action != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!IsSelf(child)) return m_system->accDoDefaultAction(child);
        // Posted: the client waits on this call, and the link's owner may open a window.
        return ::PostMessageW(m_link, m_activate, 0, 0) ? S_OK : E_FAIL;
    }

    // The rest: the system object's.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return m_system->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override { return m_system->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return m_system->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return m_system->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return m_system->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override { return m_system->get_accHelp(child, help); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return m_system->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return m_system->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return m_system->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return m_system->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override { return m_system->accSelect(flags, child); }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        return m_system->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return m_system->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override {
        return m_system->accHitTest(left, top, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override { return m_system->put_accName(child, name); }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return m_system->put_accValue(child, value);
    }

private:
    ~LinkAccessible() = default;

    LONG m_refs = 1;
    HWND m_link;
    com_ptr<IAccessible> m_system;
    UINT m_activate;
};
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

}  // namespace

LRESULT LinkAccessibleResult(HWND link, WPARAM wParam, UINT activateMessage) {
    const Oleacc& oleacc = Library();
    if (oleacc.createStd == nullptr || oleacc.lresultFromObject == nullptr) return 0;
    // Handing an object to another process takes COM on this thread; the window thread is an
    // apartment of its own. Asked once; a thread in COM already keeps what it has.
    static const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    (void)com;
    com_ptr<IAccessible> system;
    if (FAILED(oleacc.createStd(link, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(system.put()))))
        return 0;
    // The link object holds a reference of its own.
    system.get()->AddRef();
    com_ptr<IAccessible> object(new LinkAccessible(link, system.get(), activateMessage));
    const LRESULT result = oleacc.lresultFromObject(__uuidof(IAccessible), wParam, object.get());
    return result > 0 ? result : 0;
}

}  // namespace taskwing
