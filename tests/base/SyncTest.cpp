#include <gtest/gtest.h>

#include <windows.h>

#include <type_traits>

#include "base/SelfInitialisingLock.h"
#include "base/Singleton.h"
#include "base/Sync.h"

namespace {

struct Counted : SingletonBase
{
    explicit Counted(int& deletions) : m_deletions(deletions) {}
    ~Counted() override { ++m_deletions; }
    int& m_deletions;
};

struct Shared
{
    CriticalSection lock;
    long inside = 0;
    long overlaps = 0;
    long total = 0;
};

DWORD WINAPI Worker(void* context)
{
    auto* shared = static_cast<Shared*>(context);
    for (int i = 0; i < 2000; ++i)
    {
        SyncObject guard(&shared->lock);
        if (InterlockedIncrement(&shared->inside) != 1)
            ++shared->overlaps;
        ++shared->total;
        InterlockedDecrement(&shared->inside);
    }
    return 0;
}

DWORD WINAPI EnterOnce(void* context)
{
    SyncObject guard(static_cast<CriticalSection*>(context));
    return 0;
}

// A lock in zeroed static storage, first entered by several threads at once.
SelfInitialisingLock g_selfInitialisingLock;

struct SelfInitialisingRace
{
    HANDLE start;
    long inside = 0;
    long overlaps = 0;
    long total = 0;
};

DWORD WINAPI SelfInitialisingWorker(void* context)
{
    auto* race = static_cast<SelfInitialisingRace*>(context);
    WaitForSingleObject(race->start, INFINITE);
    for (int i = 0; i < 2000; ++i)
    {
        SelfInitialisingLockGuard guard(g_selfInitialisingLock);
        SelfInitialisingLockGuard again(g_selfInitialisingLock);  // the holder may enter again
        if (InterlockedIncrement(&race->inside) != 1)
            ++race->overlaps;
        ++race->total;
        InterlockedDecrement(&race->inside);
    }
    return 0;
}

} // namespace

// Nothing to construct: usable before any constructor of the module has run.
static_assert(std::is_trivially_default_constructible<SelfInitialisingLock>::value, "needs no constructor");

TEST(SelfInitialisingLock, ThreadsRacingToTheFirstEnterExcludeEachOther)
{
    SelfInitialisingRace race;
    race.start = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE threads[4];
    for (HANDLE& thread : threads)
        thread = CreateThread(nullptr, 0, SelfInitialisingWorker, &race, 0, nullptr);
    SetEvent(race.start);
    ASSERT_EQ(WaitForMultipleObjects(4, threads, TRUE, 60000), WAIT_OBJECT_0);
    for (HANDLE thread : threads)
        CloseHandle(thread);
    CloseHandle(race.start);
    EXPECT_EQ(race.overlaps, 0);
    EXPECT_EQ(race.total, 8000);
}

TEST(Sync, HoldingThreadMayLockAgain)
{
    CriticalSection lock;
    SyncObject outer(&lock);
    SyncObject inner(&lock, 0); // must not block
    EXPECT_TRUE(lock.Lock(0));
    lock.Unlock();
}

TEST(Sync, GuardsExcludeOtherThreads)
{
    Shared shared;
    HANDLE threads[4];
    for (HANDLE& thread : threads)
        thread = CreateThread(nullptr, 0, Worker, &shared, 0, nullptr);
    WaitForMultipleObjects(4, threads, TRUE, INFINITE);
    for (HANDLE thread : threads)
        CloseHandle(thread);
    EXPECT_EQ(shared.overlaps, 0);
    EXPECT_EQ(shared.total, 8000);
}

TEST(Sync, GuardReleasesSoAnotherThreadCanEnter)
{
    CriticalSection lock;
    {
        SyncObject guard(&lock);
    }
    HANDLE thread = CreateThread(nullptr, 0, EnterOnce, &lock, 0, nullptr);
    ASSERT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
    CloseHandle(thread);
}

TEST(Sync, NullGuardDoesNothing)
{
    SyncObject guard(nullptr);
}

TEST(Singleton, DeletesItsObjectOnce)
{
    int deletions = 0;
    {
        Singleton holder(new Counted(deletions));
    }
    EXPECT_EQ(deletions, 1);
}

TEST(Singleton, EmptyDeletesNothingAndSetInstanceDoesNotDeleteTheOld)
{
    int deletions = 0;
    Counted* first = new Counted(deletions);
    {
        Singleton empty;
        Singleton holder(first);
        holder.SetInstance(new Counted(deletions));
        EXPECT_EQ(deletions, 0);
    }
    EXPECT_EQ(deletions, 1);
    delete first;
}
