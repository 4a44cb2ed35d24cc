// Drives the engine double that sits beside this test program under the name aJNClient.dll.
#pragma once
#include "support/enginedouble/EngineDoubleControl.h"

#include <gtest/gtest.h>

#include <vector>

namespace testsupport {

// Holds the double loaded for as long as it lives, so its record can be read after the library
// under test has let it go.
class EngineDouble
{
public:
    EngineDouble() : m_library(LoadLibraryW(L"aJNClient.dll"))
    {
        m_setScript = reinterpret_cast<enginedouble::SetScriptFunction>(Entry("DoubleSetScript"));
        m_readRecord = reinterpret_cast<enginedouble::ReadRecordFunction>(Entry("DoubleReadRecord"));
        m_notify = reinterpret_cast<enginedouble::NotifyFunction>(Entry("DoubleNotify"));
    }
    ~EngineDouble() { Unload(); }
    EngineDouble(const EngineDouble&) = delete;
    EngineDouble& operator=(const EngineDouble&) = delete;

    bool Ready() const { return m_setScript && m_readRecord && m_notify; }
    void SetScript(const enginedouble::Script& script) { m_setScript(&script); }
    enginedouble::Record Record() const
    {
        enginedouble::Record record;
        m_readRecord(&record);
        return record;
    }
    HRESULT Notify(int kind, ULONG a, BYTE b) const { return m_notify(kind, a, b); }
    void Unload()
    {
        if (m_library)
            FreeLibrary(m_library);
        m_library = nullptr;
    }

    // The calls of the record as (object, position, argument) in order.
    static std::vector<enginedouble::Call> Calls(const enginedouble::Record& record)
    {
        return std::vector<enginedouble::Call>(record.calls, record.calls + record.callCount);
    }
    static bool Called(const enginedouble::Record& record, int object, int position)
    {
        for (const enginedouble::Call& call : Calls(record))
            if (call.object == object && call.position == position)
                return true;
        return false;
    }
    static void ExpectNothingHeld(const enginedouble::Record& record)
    {
        for (int kind = 0; kind < enginedouble::kObjectKinds; ++kind)
            EXPECT_EQ(record.live[kind], 0) << "object kind " << kind;
        EXPECT_EQ(record.overReleases, 0);
    }

private:
    void* Entry(const char* name) const
    {
        return m_library ? reinterpret_cast<void*>(GetProcAddress(m_library, name)) : nullptr;
    }

    HMODULE m_library;
    enginedouble::SetScriptFunction m_setScript = nullptr;
    enginedouble::ReadRecordFunction m_readRecord = nullptr;
    enginedouble::NotifyFunction m_notify = nullptr;
};

} // namespace testsupport
