#include "monitor/EngineClient.h"

const wchar_t kEngineLibraryName[] = L"aJNClient.dll";
const char kEngineEntryName[] = "GetJanvek";

namespace {
CEngineClient* volatile g_moduleClient = nullptr;
} // namespace

DWORD EngineEntryRetryWait(int retry)
{
    return static_cast<DWORD>(retry + 1) * 300;
}

CEngineClient::CEngineClient(const wchar_t* libraryName)
{
    m_library.Reset(LoadLibraryW(libraryName));
    if (!m_library)
        return;
    const auto entry = reinterpret_cast<JNAPI::GetJanvekFunction>(
        reinterpret_cast<void*>(GetProcAddress(m_library.Get(), kEngineEntryName)));
    if (!entry)
        return;
    ComRef<JNAPI::IEngine> engine;
    LONG result = entry(engine.Receive());
    for (int retry = 0; result != 0 && retry < kEngineEntryRetries; ++retry)
    {
        engine.Reset();
        Sleep(EngineEntryRetryWait(retry));
        result = entry(engine.Receive());
    }
    // An engine handed out with a failure code is still an engine.
    if (!engine)
        return;
    ComRef<JNAPI::IEngineProbe> probe;
    if (SUCCEEDED(engine->QueryInterface(JNAPI::IID_IEngineProbe, reinterpret_cast<void**>(probe.Receive()))) &&
        probe && probe->MustNotBeUsed())
        return;
    engine->Start(1);
    m_engine = std::move(engine);
}

CModuleEngineClient::CModuleEngineClient()
{
    g_moduleClient = this;
}

CModuleEngineClient::~CModuleEngineClient()
{
    if (g_moduleClient == this)
        g_moduleClient = nullptr;
}

JNAPI::IEngine* EngineClientEngine()
{
    CEngineClient* client = g_moduleClient;
    return client ? client->GetEngine() : nullptr;
}
