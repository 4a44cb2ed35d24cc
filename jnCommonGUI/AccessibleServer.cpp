#include "jnCommonGUI/AccessibleServer.h"

namespace {

// Objects out on this thread, and whether the apartment they live in is the library's own.
thread_local int t_entered = 0;
thread_local bool t_ownApartment = false;

// No apartment, or only the process's multi-threaded one by default.
bool NeedsOwnApartment()
{
    APTTYPE type = APTTYPE_CURRENT;
    APTTYPEQUALIFIER qualifier = APTTYPEQUALIFIER_NONE;
    if (FAILED(CoGetApartmentType(&type, &qualifier)))
        return true;
    return type == APTTYPE_MTA && qualifier == APTTYPEQUALIFIER_IMPLICIT_MTA;
}

} // namespace

bool CAccessibleApartment::Enter()
{
    if (m_entered)
        return true;
    if (t_entered == 0 && NeedsOwnApartment())
    {
        if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)))
            return false;
        t_ownApartment = true;
    }
    ++t_entered;
    m_entered = true;
    return true;
}

void CAccessibleApartment::Leave()
{
    if (!m_entered)
        return;
    m_entered = false;
    if (--t_entered == 0 && t_ownApartment)
    {
        t_ownApartment = false;
        CoUninitialize();
    }
}

bool CAccessibleServer::Answer(HWND window, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (static_cast<LONG>(lParam) != OBJID_CLIENT || !m_apartment.Enter())
        return false;
    if (!m_object)
        m_object = CAccessibleObject::Create(window, m_source);
    if (!m_object)
        return false;
    result = LresultFromObject(IID_IAccessible, wParam, static_cast<IAccessible*>(m_object.Get()));
    return SUCCEEDED(static_cast<HRESULT>(result));
}

bool CAccessibleServer::ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                             LRESULT& result)
{
    if (message == WM_GETOBJECT)
        return Answer(window, wParam, lParam, result);
    if (message == WM_NCDESTROY)
        Disconnect();
    return false;
}

void CAccessibleServer::Disconnect()
{
    if (m_object)
    {
        m_object->Disconnect();
        m_object.Reset();
    }
    m_apartment.Leave();
}
