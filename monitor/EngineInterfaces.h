// The engine's interfaces as this library calls them. A method's place in its table is the binary
// contract with any engine library, so every slot is declared in order, the unused ones as
// Reserved<position>; every method is __stdcall (member functions default to thiscall on i686)
// and no interface declares a destructor (GCC gives a virtual one two slots).
#pragma once
#include <unknwn.h>
#include <windows.h>

namespace JNAPI {

// {A64AA8D5-811A-4C1B-BD0F-E9DDD81D832F}: asked of the engine right after it was obtained.
extern const IID IID_IEngineProbe;

namespace PerfMon {

// {5D68EE91-6D1C-46FD-AB0E-5978E74F52D6}: the engine calls it, on any thread.
extern const IID IID_IAdviseListener;

struct IAdviseListener : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE OnDataChanged(ULONG value) = 0;               // 3
    virtual HRESULT STDMETHODCALLTYPE OnCounterState(ULONG index, BYTE inactive) = 0; // 4
};

struct ISample : public IUnknown
{
    virtual ULONGLONG STDMETHODCALLTYPE GetTime() = 0; // 3: later samples have larger values
    virtual LONG STDMETHODCALLTYPE GetValue() = 0;     // 4: negative = no data, ends the line
};

// Results that are interfaces come back counted; the caller releases them. Null means none.
struct ICounterHistory : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE BeginWalk() = 0;                      // 3
    virtual HRESULT STDMETHODCALLTYPE EndWalk() = 0;                        // 4
    virtual ISample* STDMETHODCALLTYPE GetNewest() = 0;                     // 5
    virtual ISample* STDMETHODCALLTYPE GetPrevious(ISample* sample) = 0;    // 6
};

struct IPerfMonitor : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
    virtual ULONGLONG STDMETHODCALLTYPE GetTimeSpan() = 0;                          // 5
    virtual LONG STDMETHODCALLTYPE GetMinimum() = 0;                                // 6
    virtual LONG STDMETHODCALLTYPE GetMaximum() = 0;                                // 7
    virtual LONG STDMETHODCALLTYPE GetCounterCount() = 0;                           // 8
    virtual ICounterHistory* STDMETHODCALLTYPE GetCounterHistory(ULONG index) = 0;  // 9
    virtual HRESULT STDMETHODCALLTYPE Advise(IAdviseListener* listener) = 0;        // 10
    virtual HRESULT STDMETHODCALLTYPE Unadvise(IAdviseListener* listener) = 0;      // 11
};

struct IPerfService : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Activate() = 0;                 // 3
    virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
    virtual IPerfMonitor* STDMETHODCALLTYPE GetPerfMonitor() = 0;     // 6
};

} // namespace PerfMon

struct IEngineProbe : public IUnknown
{
    virtual BOOL STDMETHODCALLTYPE MustNotBeUsed() = 0; // 3: non-zero drops the engine
};

struct IEngine : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved6() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved7() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved8() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved9() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved10() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved11() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved12() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved13() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved14() = 0;
    virtual HRESULT STDMETHODCALLTYPE Start(DWORD value) = 0;                 // 15: called with 1
    virtual HRESULT STDMETHODCALLTYPE Reserved16() = 0;
    virtual PerfMon::IPerfService* STDMETHODCALLTYPE GetPerfService() = 0;    // 17
};

// The engine library's entry "GetJanvek", exported undecorated: stores a counted engine reference
// in *engine and returns 0 on success.
typedef LONG(WINAPI* GetJanvekFunction)(IEngine** engine);

} // namespace JNAPI
