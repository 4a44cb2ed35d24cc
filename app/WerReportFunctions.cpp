#include "app/WerReportFunctions.h"

#include "base/SelfInitialisingLock.h"

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
    table.library = LoadLibraryW(library);
    if (!table.library)
        return false;
    if (Resolve(table.library, "WerReportCreate", table.create) &&
        Resolve(table.library, "WerReportAddDump", table.addDump) &&
        Resolve(table.library, "WerReportSubmit", table.submit) &&
        Resolve(table.library, "WerReportCloseHandle", table.closeHandle))
        return true;
    FreeLibrary(table.library);
    table = WerReportFunctions();
    return false;
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
