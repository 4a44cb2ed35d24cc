#pragma once
#include <windows.h>

#include <shellapi.h>

// Opens a document or web address in the user's default handler, without any error message box.
class CDocumentLauncher
{
public:
    using ShellExecuteFunction = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);

    // The shell call can be replaced so that a test sees the request without opening anything.
    explicit CDocumentLauncher(ShellExecuteFunction shellExecute = ::ShellExecuteExW) : m_shellExecute(shellExecute) {}

    // process: when not null, receives the started process's handle (the caller closes it; null
    // when the handler ran in an existing process). wait: waits for that process to end.
    bool Launch(const wchar_t* document, HANDLE* process = nullptr, bool wait = false) const;

private:
    ShellExecuteFunction m_shellExecute;
};
