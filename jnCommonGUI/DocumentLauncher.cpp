#include "jnCommonGUI/DocumentLauncher.h"

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
    if (request.hProcess)
    {
        if (wait)
            WaitForSingleObject(request.hProcess, INFINITE);
        // Nobody asked for the handle: close it rather than leak one per launch.
        if (process)
            *process = request.hProcess;
        else
            CloseHandle(request.hProcess);
    }
    return true;
}
