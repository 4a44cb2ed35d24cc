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
HRESULT GiveText(const std::wstring& text, BSTR* out)
{
    *out = nullptr;
    if (text.empty())
        return S_FALSE;
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT GiveNumber(LONG number, VARIANT* out)
{
    VariantInit(out);
    out->vt = VT_I4;
    out->lVal = number;
    return S_OK;
}

} // namespace

ComRef<CAccessibleObject> CAccessibleObject::Create(HWND window, CAccessibleSource& source)
{
    ComRef<IAccessible> standard;
    if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, IID_IAccessible,
                                         reinterpret_cast<void**>(standard.Receive()))))
        return {};
    return ComRef<CAccessibleObject>::Adopt(new (std::nothrow) CAccessibleObject(window, source, std::move(standard)));
}

CAccessibleObject::CAccessibleObject(HWND window, CAccessibleSource& source, ComRef<IAccessible> standard)
    : m_window(window),
      m_thread(GetWindowThreadProcessId(window, nullptr)),
      m_source(&source),
      m_standard(std::move(standard)),
      m_module(TakeModuleReference())
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

template <class Call>
HRESULT CAccessibleObject::Standard(Call call)
{
    return CallGuarded(kWhere, E_OUTOFMEMORY, [&] {
        const HRESULT check = CheckCall();
        return FAILED(check) ? check : call(m_standard.Get());
    });
}

template <class Read>
HRESULT CAccessibleObject::OwnText(const VARIANT& child, BSTR* text, Read read,
                                   HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, BSTR*))
{
    if (!text)
        return E_POINTER;
    *text = nullptr;
    return CallGuarded(kWhere, E_OUTOFMEMORY, [&] {
        const HRESULT check = CheckCall();
        if (FAILED(check))
            return check;
        if (!IsSelf(child))
            return (m_standard.Get()->*standard)(child, text);
        return GiveText(read(m_source->DescribeAccessible()), text);
    });
}

HRESULT CAccessibleObject::get_accParent(IDispatch** parent)
{
    if (!parent)
        return E_POINTER;
    *parent = nullptr;
    return Standard([&](IAccessible* standard) { return standard->get_accParent(parent); });
}

HRESULT CAccessibleObject::get_accChildCount(long* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return Standard([&](IAccessible* standard) { return standard->get_accChildCount(count); });
}

HRESULT CAccessibleObject::get_accChild(VARIANT child, IDispatch** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    return Standard([&](IAccessible* standard) { return standard->get_accChild(child, object); });
}

HRESULT CAccessibleObject::get_accName(VARIANT child, BSTR* name)
{
    return OwnText(child, name, [](const AccessibleFacts& facts) { return facts.name; }, &IAccessible::get_accName);
}

HRESULT CAccessibleObject::get_accValue(VARIANT child, BSTR* value)
{
    return OwnText(child, value, [](const AccessibleFacts& facts) { return facts.value; }, &IAccessible::get_accValue);
}

HRESULT CAccessibleObject::get_accDescription(VARIANT child, BSTR* description)
{
    return OwnText(child, description, [](const AccessibleFacts& facts) { return facts.description; },
                   &IAccessible::get_accDescription);
}

HRESULT CAccessibleObject::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut)
{
    return OwnText(child, shortcut, [](const AccessibleFacts& facts) { return facts.keyboardShortcut; },
                   &IAccessible::get_accKeyboardShortcut);
}

HRESULT CAccessibleObject::get_accDefaultAction(VARIANT child, BSTR* action)
{
    return OwnText(child, action, [](const AccessibleFacts& facts) { return facts.defaultAction; },
                   &IAccessible::get_accDefaultAction);
}

HRESULT CAccessibleObject::get_accRole(VARIANT child, VARIANT* role)
{
    if (!role)
        return E_POINTER;
    VariantInit(role);
    return Standard([&](IAccessible* standard) {
        return IsSelf(child) ? GiveNumber(m_source->DescribeAccessible().role, role)
                             : standard->get_accRole(child, role);
    });
}

HRESULT CAccessibleObject::get_accState(VARIANT child, VARIANT* state)
{
    if (!state)
        return E_POINTER;
    VariantInit(state);
    return Standard([&](IAccessible* standard) {
        return IsSelf(child) ? GiveNumber(m_source->DescribeAccessible().state, state)
                             : standard->get_accState(child, state);
    });
}

HRESULT CAccessibleObject::get_accHelp(VARIANT child, BSTR* help)
{
    if (!help)
        return E_POINTER;
    *help = nullptr;
    return Standard([&](IAccessible* standard) { return standard->get_accHelp(child, help); });
}

HRESULT CAccessibleObject::get_accHelpTopic(BSTR* helpFile, VARIANT child, long* topic)
{
    if (!helpFile || !topic)
        return E_POINTER;
    *helpFile = nullptr;
    *topic = 0;
    return Standard([&](IAccessible* standard) { return standard->get_accHelpTopic(helpFile, child, topic); });
}

HRESULT CAccessibleObject::get_accFocus(VARIANT* child)
{
    if (!child)
        return E_POINTER;
    VariantInit(child);
    return Standard([&](IAccessible* standard) { return standard->get_accFocus(child); });
}

HRESULT CAccessibleObject::get_accSelection(VARIANT* children)
{
    if (!children)
        return E_POINTER;
    VariantInit(children);
    return Standard([&](IAccessible* standard) { return standard->get_accSelection(children); });
}

HRESULT CAccessibleObject::accSelect(long flags, VARIANT child)
{
    return Standard([&](IAccessible* standard) { return standard->accSelect(flags, child); });
}

HRESULT CAccessibleObject::accLocation(long* left, long* top, long* width, long* height, VARIANT child)
{
    if (!left || !top || !width || !height)
        return E_POINTER;
    *left = *top = *width = *height = 0;
    return Standard(
                    [&](IAccessible* standard) { return standard->accLocation(left, top, width, height, child); });
}

HRESULT CAccessibleObject::accNavigate(long direction, VARIANT start, VARIANT* end)
{
    if (!end)
        return E_POINTER;
    VariantInit(end);
    return Standard([&](IAccessible* standard) { return standard->accNavigate(direction, start, end); });
}

HRESULT CAccessibleObject::accHitTest(long x, long y, VARIANT* child)
{
    if (!child)
        return E_POINTER;
    VariantInit(child);
    return Standard([&](IAccessible* standard) { return standard->accHitTest(x, y, child); });
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

HRESULT CAccessibleObject::put_accName(VARIANT, BSTR)
{
    const HRESULT check = CheckCall();
    return FAILED(check) ? check : E_NOTIMPL;
}

HRESULT CAccessibleObject::put_accValue(VARIANT, BSTR)
{
    const HRESULT check = CheckCall();
    return FAILED(check) ? check : E_NOTIMPL;
}
