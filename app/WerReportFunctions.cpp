#include "app/WerReportFunctions.h"

#include "base/SelfInitialisingLock.h"
#include "winframe/Owners.h"

namespace {

// Static storage without constructors: ready before the module's runtime has started.
SelfInitialisingLock g_tableLock;
bool g_tableTried;
WerReportFunctions g_table;
bool g_tableLoaded;

template <typename Function>
bool Resolve(HMODULE library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    return function != nullptr;
}

} // namespace

bool LoadWerReportFunctions(const wchar_t* library, WerReportFunctions& table)
{
    table = WerReportFunctions();
    ScopedLibrary loaded(LoadLibraryW(library));
    WerReportFunctions found = WerReportFunctions();
    if (!loaded || !Resolve(loaded.Get(), "WerReportCreate", found.create) ||
        !Resolve(loaded.Get(), "WerReportAddDump", found.addDump) ||
        !Resolve(loaded.Get(), "WerReportSubmit", found.submit) ||
        !Resolve(loaded.Get(), "WerReportCloseHandle", found.closeHandle))
        return false;
    found.library = loaded.Release();  // the table keeps it
    table = found;
    return true;
}

const WerReportFunctions* ProcessWerReportFunctions()
{
    SelfInitialisingLockGuard guard(g_tableLock);
    if (!g_tableTried)
    {
        g_tableTried = true;
        g_tableLoaded = LoadWerReportFunctions(L"Wer.dll", g_table);
    }
    return g_tableLoaded ? &g_table : nullptr;
}
