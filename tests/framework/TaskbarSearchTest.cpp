#include "notifications/SlideGeometry.h"
#include "notifications/TaskbarSearch.h"
#include "support/RegistrySandbox.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using testsupport::RegistryValueOverride;

std::vector<BYTE> Settings(DWORD edge, DWORD width, DWORD height, RECT rect, size_t size = 40)
{
    std::vector<BYTE> data(size, 0xAB);
    const DWORD words[] = {0x28, 0xFFFFFFFE, 3, edge, width, height, static_cast<DWORD>(rect.left),
                           static_cast<DWORD>(rect.top), static_cast<DWORD>(rect.right),
                           static_cast<DWORD>(rect.bottom)};
    std::memcpy(data.data(), words, std::min(size, sizeof(words)));
    return data;
}

bool Same(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}

// A chain whose every source can be switched on or off and counts its questions.
struct FakeSources
{
    bool appBarKnows = false;
    RECT appBarRect = {0, 1000, 1280, 1024};
    UINT appBarEdge = kEdgeBottom;
    bool trayKnows = false;
    RECT trayRect = {0, 990, 1280, 1024};
    bool storedKnows = false;
    std::vector<BYTE> stored;
    DWORD storedType = REG_BINARY;
    bool monitorKnows = true;
    RECT monitor = {0, 0, 1600, 1200};
    RECT workArea = {0, 0, 1280, 970};
    int questions = 0;

    TaskbarProbes Probes()
    {
        TaskbarProbes p;
        p.appBar = [this](RECT& r, UINT& e) {
            ++questions;
            if (appBarKnows)
                r = appBarRect, e = appBarEdge;
            return appBarKnows;
        };
        p.trayWindow = [this](RECT& r) {
            ++questions;
            if (trayKnows)
                r = trayRect;
            return trayKnows;
        };
        p.storedSettings = [this](std::vector<BYTE>& d, DWORD& t) {
            ++questions;
            if (storedKnows)
                d = stored, t = storedType;
            return storedKnows;
        };
        p.monitorOf = [this](const RECT&, RECT& m) {
            ++questions;
            if (monitorKnows)
                m = monitor;
            return monitorKnows;
        };
        p.workArea = [this](RECT& w) {
            ++questions;
            w = workArea;
            return true;
        };
        return p;
    }
};

TEST(TaskbarSearch, TheShellAnswersFirst)
{
    FakeSources s;
    s.appBarKnows = s.trayKnows = s.storedKnows = true;
    s.appBarEdge = kEdgeLeft;
    s.stored = Settings(kEdgeTop, 0, 30, {});
    EXPECT_TRUE(Same(FindTaskbarRect(s.Probes()), s.appBarRect));
    EXPECT_EQ(s.questions, 1);
    EXPECT_EQ(FindTaskbarEdge(s.Probes()), kEdgeLeft);
}

TEST(TaskbarSearch, WithoutTheShellTheTaskbarWindowGivesTheRectAndTheStoredSettingsTheEdge)
{
    FakeSources s;
    s.trayKnows = true;
    s.storedKnows = true;
    s.stored = Settings(kEdgeRight, 60, 0, {});
    EXPECT_TRUE(Same(FindTaskbarRect(s.Probes()), s.trayRect));
    EXPECT_EQ(FindTaskbarEdge(s.Probes()), kEdgeRight);

    s.storedKnows = false;
    EXPECT_EQ(FindTaskbarEdge(s.Probes()), kEdgeBottom);
}

TEST(TaskbarSearch, StoredSettingsCutTheMonitorDownToTheTaskbar)
{
    struct Case
    {
        DWORD edge;
        RECT expected;
    };
    const Case cases[] = {
        {kEdgeLeft, {0, 0, 62, 1200}},
        {kEdgeTop, {0, 0, 1600, 31}},
        {kEdgeRight, {1538, 0, 1600, 1200}},
        {kEdgeBottom, {0, 1169, 1600, 1200}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.edge);
        FakeSources s;
        s.storedKnows = true;
        s.stored = Settings(c.edge, 62, 31, {10, 10, 20, 20});
        EXPECT_TRUE(Same(FindTaskbarRect(s.Probes()), c.expected));
        EXPECT_EQ(FindTaskbarEdge(s.Probes()), static_cast<int>(c.edge));
    }
}

TEST(TaskbarSearch, UnusableStoredSettingsFallBackToTheWorkArea)
{
    struct Case
    {
        const char* name;
        std::vector<BYTE> data;
        DWORD type;
        bool monitorKnows;
    };
    const Case cases[] = {
        {"39 bytes", Settings(kEdgeLeft, 62, 31, {}, 39), REG_BINARY, true},
        {"empty", {}, REG_BINARY, true},
        {"REG_DWORD", Settings(kEdgeLeft, 62, 31, {}), REG_DWORD, true},
        {"REG_SZ", Settings(kEdgeLeft, 62, 31, {}), REG_SZ, true},
        {"edge 4", Settings(4, 62, 31, {}), REG_BINARY, true},
        {"edge -1", Settings(0xFFFFFFFF, 62, 31, {}), REG_BINARY, true},
        {"no monitor", Settings(kEdgeLeft, 62, 31, {}), REG_BINARY, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        FakeSources s;
        s.storedKnows = true;
        s.stored = c.data;
        s.storedType = c.type;
        s.monitorKnows = c.monitorKnows;
        const RECT strip = {0, 970 - 34, 1280, 970};
        EXPECT_TRUE(Same(FindTaskbarRect(s.Probes()), strip));
        // The monitor is only needed for the rectangle: the edge still comes from a valid value.
        EXPECT_EQ(FindTaskbarEdge(s.Probes()), c.monitorKnows ? kEdgeBottom : kEdgeLeft);
    }
}

TEST(TaskbarSearch, LongerStoredSettingsAreRead)
{
    FakeSources s;
    s.storedKnows = true;
    s.stored = Settings(kEdgeTop, 0, 44, {}, 48);
    EXPECT_TRUE(Same(FindTaskbarRect(s.Probes()), RECT{0, 0, 1600, 44}));
    EXPECT_EQ(FindTaskbarEdge(s.Probes()), kEdgeTop);
}

TEST(TaskbarSearch, AShellEdgeOutsideTheFourIsNotTaken)
{
    FakeSources s;
    s.appBarKnows = true;
    s.appBarEdge = 7;
    EXPECT_EQ(FindTaskbarEdge(s.Probes()), kEdgeBottom);
    s.storedKnows = true;
    s.stored = Settings(kEdgeRight, 60, 0, {});
    EXPECT_EQ(FindTaskbarEdge(s.Probes()), kEdgeRight);
}

TEST(TaskbarSearch, NoSourcesAtAllStillGiveARectangleAndAnEdge)
{
    const TaskbarProbes none;
    const RECT rect = FindTaskbarRect(none);
    EXPECT_EQ(rect.bottom - rect.top, 34);
    EXPECT_EQ(FindTaskbarEdge(none), kEdgeBottom);
}

// HKCU\...\StuckRects2 "Settings" for one test, the old state put back afterwards.
class StoredSettingsValue : public RegistryValueOverride
{
public:
    StoredSettingsValue() : RegistryValueOverride(HKEY_CURRENT_USER, kKey, L"Settings", KEY_WOW64_64KEY) {}
    bool Set(const std::vector<BYTE>& data, DWORD type) const
    {
        return Write(type, data.data(), static_cast<DWORD>(data.size()));
    }

private:
    static constexpr const wchar_t* kKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StuckRects2";
};

// The real registry source behind a chain whose shell and taskbar window know nothing.
TaskbarProbes RegistryOnly()
{
    TaskbarProbes p = SystemTaskbarProbes();
    p.appBar = [](RECT&, UINT&) { return false; };
    p.trayWindow = [](RECT&) { return false; };
    return p;
}

TEST(TaskbarSearchRegistry, ReadsTheStoredSettingsValueOfAnySize)
{
    StoredSettingsValue value;
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    for (size_t size : {40u, 48u, 400u})
    {
        SCOPED_TRACE(size);
        ASSERT_TRUE(value.Set(Settings(kEdgeLeft, 57, 0, {5, 5, 50, 50}, size), REG_BINARY));
        std::vector<BYTE> read;
        DWORD type = REG_NONE;
        ASSERT_TRUE(SystemTaskbarProbes().storedSettings(read, type));
        EXPECT_EQ(read.size(), size);
        EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
        const RECT expected = {screen.left, screen.top, screen.left + 57, screen.bottom};
        EXPECT_TRUE(Same(FindTaskbarRect(RegistryOnly()), expected));
        EXPECT_EQ(FindTaskbarEdge(RegistryOnly()), kEdgeLeft);
    }
}

TEST(TaskbarSearchRegistry, UnusableValuesGiveTheWorkAreaStrip)
{
    StoredSettingsValue value;
    RECT work = {};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    const RECT strip = {work.left, work.bottom - 34, work.right, work.bottom};
    struct Case
    {
        const char* name;
        std::vector<BYTE> data;
        DWORD type;
    };
    const Case cases[] = {
        {"39 bytes", Settings(kEdgeLeft, 57, 0, {}, 39), REG_BINARY},
        {"REG_DWORD", Settings(kEdgeLeft, 57, 0, {}, 4), REG_DWORD},
        {"REG_SZ of 40 bytes", Settings(kEdgeLeft, 57, 0, {}), REG_SZ},
        {"edge 9", Settings(9, 57, 0, {}), REG_BINARY},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(value.Set(c.data, c.type));
        EXPECT_TRUE(Same(FindTaskbarRect(RegistryOnly()), strip));
        EXPECT_EQ(FindTaskbarEdge(RegistryOnly()), kEdgeBottom);
    }
    ASSERT_TRUE(value.Remove());
    EXPECT_TRUE(Same(FindTaskbarRect(RegistryOnly()), strip));
}

TEST(TaskbarSearchSystem, TheProductionChainFindsTheTaskbarOnThisDesktop)
{
    const TaskbarProbes system = SystemTaskbarProbes();
    const RECT rect = FindTaskbarRect(system);
    const int edge = FindTaskbarEdge(system);
    EXPECT_TRUE(IsTaskbarEdge(static_cast<unsigned long>(edge)));
    EXPECT_GT(rect.right, rect.left);
    EXPECT_GT(rect.bottom, rect.top);
    RECT shellRect = {};
    UINT shellEdge = 0;
    if (system.appBar(shellRect, shellEdge))
    {
        EXPECT_TRUE(Same(rect, shellRect));
        EXPECT_EQ(static_cast<UINT>(edge), shellEdge);
    }
    RECT trayRect = {};
    if (HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr))
    {
        RECT expected = {};
        GetWindowRect(tray, &expected);
        ASSERT_TRUE(system.trayWindow(trayRect));
        EXPECT_TRUE(Same(trayRect, expected));
    }
    RECT monitor = {};
    ASSERT_TRUE(system.monitorOf(rect, monitor));
    RECT overlap = {};
    EXPECT_TRUE(IntersectRect(&overlap, &monitor, &rect)) << "the taskbar lies on a monitor";
}

} // namespace
