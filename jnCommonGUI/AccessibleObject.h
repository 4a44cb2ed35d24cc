#pragma once
#include "jnCommonGUI/AccessibleFacts.h"
#include "winframe/Owners.h"

#include <oleacc.h>

// How a window looks to the user now: shown, enabled, with the keyboard focus.
WindowConditions WindowConditionsOf(HWND window);

// What an accessible object asks of the control it stands for, on the control's thread, while the
// control's window lives.
class CAccessibleSource
{
public:
    virtual AccessibleFacts DescribeAccessible() const = 0;
    // Starts the default action. It must not run inside the caller's call (a screen reader's call
    // may come from another process, and the action may end the window): it is posted.
    virtual void StartDefaultAction() = 0;

protected:
    ~CAccessibleSource() = default;
};

// The accessible object of one window's client area, as WM_GETOBJECT hands it out. Its own facts
// (role, name, description, value, state, default action, shortcut) come from its source; where it
// is, what lies around it and what is under a point come from the system's standard object of the
// same window.
//
// A client may hold it after the window is gone: Disconnect then makes it forget window and
// source, and every call answers CO_E_OBJNOTCONNECTED. Calls from another thread than the window's
// are refused (RPC_E_WRONG_THREAD): the source is the window's and is not shared. While it lives it
// keeps the library loaded, and gives that reference back after the last Release has returned.
class CAccessibleObject final : public IAccessible
{
public:
    // A new object with one reference (null when it cannot be made).
    static ComRef<CAccessibleObject> Create(HWND window, CAccessibleSource& source);

    void Disconnect();
    bool IsConnected() const { return m_source != nullptr; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch: no type information; clients call through the interface.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* helpFile, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

private:
    CAccessibleObject(HWND window, CAccessibleSource& source, ComRef<IAccessible> standard);
    ~CAccessibleObject();

    // S_OK when a call may go on: connected, on the window's thread.
    HRESULT CheckCall() const;
    // One of the object's own answers about itself, from its facts (a child id goes to the standard
    // object).
    template <class Field, class Out>
    HRESULT Own(const VARIANT& child, Out* out, Field AccessibleFacts::*field,
                HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, Out*));
    // call(standard object) when the call may go on: the out-arguments are there (else E_POINTER)
    // and hold nothing yet; no exception leaves.
    template <class Call, class... Out>
    HRESULT Standard(Call call, Out*... outs);

    // First, so that it goes last: the standard object's release still runs code of this library.
    ScopedLibraryReleasedLater m_module;
    volatile LONG m_references = 1;
    HWND m_window;
    DWORD m_thread;
    CAccessibleSource* m_source;
    ComRef<IAccessible> m_standard;
};
