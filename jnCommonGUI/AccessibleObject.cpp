#include "jnCommonGUI/AccessibleObject.h"

#include "winframe/AppModule.h"
#include "winframe/BoundaryGuard.h"
#include "winframe/ModuleInstance.h"

#include <new>

namespace {

const wchar_t kWhere[] = L"CAccessibleObject";

bool IsSelf(const VARIANT& child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// A text for the caller, or S_FALSE and null when there is none.
HRESULT Give(const std::wstring& text, BSTR* out)
{
    if (text.empty())
        return S_FALSE;
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT Give(LONG number, VARIANT* out)
{
    out->vt = VT_I4;
    out->lVal = number;
    return S_OK;
}

// An out-argument that holds nothing yet.
void Clear(BSTR* out)
{
    *out = nullptr;
}

void Clear(IDispatch** out)
{
    *out = nullptr;
}

void Clear(long* out)
{
    *out = 0;
}

void Clear(VARIANT* out)
{
    VariantInit(out);
}

} // namespace

WindowConditions WindowConditionsOf(HWND window)
{
    return {IsWindowVisible(window) != FALSE, IsWindowEnabled(window) != FALSE, GetFocus() == window};
}

ComRef<CAccessibleObject> CAccessibleObject::Create(HWND window, CAccessibleSource& source)
{
    ComRef<IAccessible> standard;
    if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, IID_IAccessible,
                                         reinterpret_cast<void**>(standard.Receive()))))
        return {};
    return ComRef<CAccessibleObject>::Adopt(new (std::nothrow) CAccessibleObject(window, source, std::move(standard)));
}

CAccessibleObject::CAccessibleObject(HWND window, CAccessibleSource& source, ComRef<IAccessible> standard)
    : m_module(TakeModuleReference()),
      m_window(window),
      m_thread(GetWindowThreadProcessId(window, nullptr)),
      m_source(&source),
      m_standard(std::move(standard))
{
    if (CAppModule* module = ThisAppModule())
        module->Lock();
}

CAccessibleObject::~CAccessibleObject()
{
    if (CAppModule* module = ThisAppModule())
        module->Unlock();
}

// The window is going: forget it, and let the system's stubs go, so that a client in another
// process holds nothing of this process any more.
void CAccessibleObject::Disconnect()
{
    if (!m_source)
        return;
    m_source = nullptr;
    m_window = nullptr;
    m_standard.Reset();
    CoDisconnectObject(static_cast<IAccessible*>(this), 0);
}

HRESULT CAccessibleObject::CheckCall() const
{
    if (!m_source)
        return CO_E_OBJNOTCONNECTED;
    if (GetCurrentThreadId() != m_thread)
        return RPC_E_WRONG_THREAD;
    return S_OK;
}

HRESULT CAccessibleObject::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_IAccessible))
    {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG CAccessibleObject::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_references));
}

ULONG CAccessibleObject::Release()
{
    const LONG count = InterlockedDecrement(&m_references);
    if (count == 0)
        delete this;
    return static_cast<ULONG>(count);
}

HRESULT CAccessibleObject::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT CAccessibleObject::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info)
        *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT CAccessibleObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

HRESULT CAccessibleObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

template <class Call, class... Out>
HRESULT CAccessibleObject::Standard(Call call, Out*... outs)
{
    if (((outs == nullptr) || ...))
        return E_POINTER;
    (Clear(outs), ...);
    return CallGuarded(kWhere, E_OUTOFMEMORY, [&] {
        const HRESULT check = CheckCall();
        return FAILED(check) ? check : call(m_standard.Get());
    });
}

template <class Field, class Out>
HRESULT CAccessibleObject::Own(const VARIANT& child, Out* out, Field AccessibleFacts::*field,
                               HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, Out*))
{
    return Standard(
        [&](IAccessible* object) {
            return IsSelf(child) ? Give(m_source->DescribeAccessible().*field, out) : (object->*standard)(child, out);
        },
        out);
}

HRESULT CAccessibleObject::get_accParent(IDispatch** parent)
{
    return Standard([&](IAccessible* standard) { return standard->get_accParent(parent); }, parent);
}

HRESULT CAccessibleObject::get_accChildCount(long* count)
{
    return Standard([&](IAccessible* standard) { return standard->get_accChildCount(count); }, count);
}

HRESULT CAccessibleObject::get_accChild(VARIANT child, IDispatch** object)
{
    return Standard([&](IAccessible* standard) { return standard->get_accChild(child, object); }, object);
}

HRESULT CAccessibleObject::get_accName(VARIANT child, BSTR* name)
{
    return Own(child, name, &AccessibleFacts::name, &IAccessible::get_accName);
}

HRESULT CAccessibleObject::get_accValue(VARIANT child, BSTR* value)
{
    return Own(child, value, &AccessibleFacts::value, &IAccessible::get_accValue);
}

HRESULT CAccessibleObject::get_accDescription(VARIANT child, BSTR* description)
{
    return Own(child, description, &AccessibleFacts::description, &IAccessible::get_accDescription);
}

HRESULT CAccessibleObject::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut)
{
    return Own(child, shortcut, &AccessibleFacts::keyboardShortcut, &IAccessible::get_accKeyboardShortcut);
}

HRESULT CAccessibleObject::get_accDefaultAction(VARIANT child, BSTR* action)
{
    return Own(child, action, &AccessibleFacts::defaultAction, &IAccessible::get_accDefaultAction);
}

HRESULT CAccessibleObject::get_accRole(VARIANT child, VARIANT* role)
{
    return Own(child, role, &AccessibleFacts::role, &IAccessible::get_accRole);
}

HRESULT CAccessibleObject::get_accState(VARIANT child, VARIANT* state)
{
    return Own(child, state, &AccessibleFacts::state, &IAccessible::get_accState);
}

HRESULT CAccessibleObject::get_accHelp(VARIANT child, BSTR* help)
{
    return Standard([&](IAccessible* standard) { return standard->get_accHelp(child, help); }, help);
}

HRESULT CAccessibleObject::get_accHelpTopic(BSTR* helpFile, VARIANT child, long* topic)
{
    return Standard([&](IAccessible* standard) { return standard->get_accHelpTopic(helpFile, child, topic); },
                    helpFile, topic);
}

HRESULT CAccessibleObject::get_accFocus(VARIANT* child)
{
    return Standard([&](IAccessible* standard) { return standard->get_accFocus(child); }, child);
}

HRESULT CAccessibleObject::get_accSelection(VARIANT* children)
{
    return Standard([&](IAccessible* standard) { return standard->get_accSelection(children); }, children);
}

HRESULT CAccessibleObject::accSelect(long flags, VARIANT child)
{
    return Standard([&](IAccessible* standard) { return standard->accSelect(flags, child); });
}

HRESULT CAccessibleObject::accLocation(long* left, long* top, long* width, long* height, VARIANT child)
{
    return Standard([&](IAccessible* standard) { return standard->accLocation(left, top, width, height, child); },
                    left, top, width, height);
}

HRESULT CAccessibleObject::accNavigate(long direction, VARIANT start, VARIANT* end)
{
    return Standard([&](IAccessible* standard) { return standard->accNavigate(direction, start, end); }, end);
}

HRESULT CAccessibleObject::accHitTest(long x, long y, VARIANT* child)
{
    return Standard([&](IAccessible* standard) { return standard->accHitTest(x, y, child); }, child);
}

// The action is posted by the source: this call returns before it runs, and touches nothing of
// the control afterwards.
HRESULT CAccessibleObject::accDoDefaultAction(VARIANT child)
{
    return Standard([&](IAccessible* standard) {
        if (!IsSelf(child))
            return standard->accDoDefaultAction(child);
        switch (AnswerDefaultAction(m_source->DescribeAccessible()))
        {
        case DefaultActionAnswer::Run:
            m_source->StartDefaultAction();
            return S_OK;
        case DefaultActionAnswer::Unavailable:
            return E_FAIL;
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    });
}

// Nothing of the pop-ups is changed by a screen reader.
HRESULT CAccessibleObject::put_accName(VARIANT, BSTR)
{
    return Standard([](IAccessible*) { return E_NOTIMPL; });
}

HRESULT CAccessibleObject::put_accValue(VARIANT, BSTR)
{
    return Standard([](IAccessible*) { return E_NOTIMPL; });
}
