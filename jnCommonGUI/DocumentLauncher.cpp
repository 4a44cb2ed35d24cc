#include "jnCommonGUI/DocumentLauncher.h"

#include "winframe/Owners.h"

bool CDocumentLauncher::Launch(const wchar_t* document, HANDLE* process, bool wait) const
{
    if (process)
        *process = nullptr;
    if (!document || !*document)
        return false;
    SHELLEXECUTEINFOW request{};
    request.cbSize = sizeof request;
    request.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    request.lpVerb = L"open";
    request.lpFile = document;
    request.lpParameters = L"";
    request.nShow = SW_SHOWNORMAL;
    if (!m_shellExecute(&request))
        return false;
    // Nobody asked for the handle: it is closed rather than leaked, one per launch.
    ScopedKernelHandle launched(request.hProcess);
    if (launched && wait)
        WaitForSingleObject(launched.Get(), INFINITE);
    if (process && launched)
        *process = launched.Release();
    return true;
}
