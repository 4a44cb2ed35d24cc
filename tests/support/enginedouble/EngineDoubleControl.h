// The engine double's script and record, shared by the double (a DLL named aJNClient.dll) and the
// tests that load it. A test sets the script before anything calls GetJanvek.
#pragma once
#include <windows.h>

namespace enginedouble {

enum ObjectKind
{
    kEngine,
    kProbe,
    kService,
    kMonitor,
    kHistory,
    kSample,
    kListener, // references the double holds on listeners given to Advise
    kObjectKinds
};

enum ProbeAnswer
{
    kProbeMissing,
    kProbeAnswersZero,
    kProbeAnswersNonZero
};

const int kMaxSamples = 256;
const int kMaxCalls = 256;

struct Script
{
    int failures;             // GetJanvek fails this many times before it succeeds
    bool noObject;            // success without an object
    bool objectOnFailure;     // a failing call hands out an object all the same
    ProbeAnswer probe;
    bool noInterfaces;        // QueryInterface answers E_NOINTERFACE to everything, IUnknown too
    bool noService;
    bool noMonitor;
    ULONGLONG timeSpan;
    LONG minimum;
    LONG maximum;
    int sampleCount;          // counter 0's history, oldest first; counter 1 has none
    ULONGLONG times[kMaxSamples];
    LONG values[kMaxSamples];
};

struct Call
{
    int object;     // ObjectKind
    int position;   // the method's place in its table
    ULONG argument;
};

struct Record
{
    int callCount;
    Call calls[kMaxCalls];
    LONG live[kObjectKinds];       // references handed out and not yet released
    LONG overReleases;             // Release calls on an object without a reference
    ULONGLONG getJanvekTimes[8];   // milliseconds (performance counter) at each GetJanvek call
};

// Exported by the double: the script for what follows (clears the record), and the record so far.
typedef void(WINAPI* SetScriptFunction)(const Script* script);
typedef void(WINAPI* ReadRecordFunction)(Record* record);
// Calls the listener last given to Advise on the calling thread: kind 0 data changed(a), 1 state(a, b).
typedef HRESULT(WINAPI* NotifyFunction)(int kind, ULONG a, BYTE b);

inline Script DefaultScript()
{
    Script script = {};
    script.probe = kProbeMissing;
    script.timeSpan = 60000;
    script.maximum = 100;
    return script;
}

} // namespace enginedouble
