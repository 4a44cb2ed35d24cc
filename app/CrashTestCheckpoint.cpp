#include "app/CrashTestCheckpoint.h"

#include "base/Registry.h"

#include <cstring>
#include <string>

namespace {

const wchar_t kCrashTestKey[] = L"SOFTWARE\\Orvanta\\Orvanta Utilities";
const wchar_t kSwitchOn[] = L"{6E2B9D04-A1C7-4f38-9B5E-27D0C8F3A6B1}";
const DWORD kActivatedBytes = 128;
const DWORD kStackOverflow = 2;

RawRegistryValue ReadRaw(const Registry& registry, const wchar_t* name, DWORD capacity)
{
    RawRegistryValue value;
    if (!registry.GetValue(kCrashTestKey, name, value.type, value.data, capacity) || value.data.size() > capacity)
        return RawRegistryValue();
    value.present = true;
    return value;
}

// The value's bytes as a wide text, ending at its first zero or at its end.
std::wstring AsText(const std::vector<BYTE>& data)
{
    std::wstring text(data.size() / sizeof(wchar_t), L'\0');
    std::memcpy(&text[0], data.data(), text.size() * sizeof(wchar_t));
    return text.substr(0, text.find(L'\0'));
}

bool AsDword(const RawRegistryValue& value, DWORD& number)
{
    if (!value.present || value.type != REG_DWORD || value.data.size() != sizeof(DWORD))
        return false;
    std::memcpy(&number, value.data.data(), sizeof(DWORD));
    return true;
}

// Every call keeps a frame of its own alive, so the recursion cannot be turned into a loop.
__attribute__((noinline)) void OverflowStack(unsigned number)
{
    volatile unsigned frame[64];
    frame[0] = number;
    if (frame[0] == number)
        OverflowStack(number);
    frame[1] = frame[0];
}

// Both operands opaque: with a known dividend of 1 the compiler computes 1 / x without dividing.
__attribute__((noinline)) void DivideByZero()
{
    volatile int dividend = 1;
    volatile int divisor = 0;
    volatile int result = dividend / divisor;
    (void)result;
}

} // namespace

CrashTestSettings ParseCrashTestValues(const CrashTestValues& values)
{
    CrashTestSettings settings;
    DWORD number = 0;
    if (!values.activated.present || AsText(values.activated.data) != kSwitchOn || !AsDword(values.number, number) ||
        number == 0)
        return settings;
    settings.active = true;
    settings.number = number;
    if (!AsDword(values.crashType, settings.crashType))
        settings.crashType = 0;
    return settings;
}

CrashTestValues ReadCrashTestValues(HKEY root)
{
    const Registry registry(root);
    CrashTestValues values;
    values.activated = ReadRaw(registry, L"CrashTestActivated", kActivatedBytes);
    values.number = ReadRaw(registry, L"CrashTestNumber", sizeof(DWORD));
    values.crashType = ReadRaw(registry, L"CrashTestType", sizeof(DWORD));
    return values;
}

void CrashTestCheckpoint(unsigned number)
{
    // Read once per process, on the first checkpoint.
    static const CrashTestSettings settings = ParseCrashTestValues(ReadCrashTestValues(HKEY_LOCAL_MACHINE));
    if (!settings.active || settings.number != number)
        return;
    if (settings.crashType == kStackOverflow)
        OverflowStack(number);
    else
        DivideByZero();
}
