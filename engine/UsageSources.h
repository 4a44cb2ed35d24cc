// Where the engine's two counters come from: processor and disk busy time, as percentages.
#pragma once
#include <windows.h>

#include <vector>

// The share of total that was not idle, in percent rounded down and kept within 0..100; -1 when
// no time passed (nothing to say).
LONG BusyPercent(ULONGLONG idleDelta, ULONGLONG totalDelta);

// Total processor usage from GetSystemTimes (kernel time includes idle time).
class CpuUsageSource
{
public:
    CpuUsageSource();
    // Usage since the previous reading, or -1 when the system gave no times.
    LONG Read();

private:
    bool Sample(ULONGLONG& idle, ULONGLONG& total) const;
    ULONGLONG m_idle = 0;
    ULONGLONG m_total = 0;
    bool m_primed = false;
};

// Disk usage: the busy share of every physical disk that answers IOCTL_DISK_PERFORMANCE
// ("\\.\PhysicalDriveN"), averaged over the disks.
class DiskUsageSource
{
public:
    DiskUsageSource();
    ~DiskUsageSource();
    DiskUsageSource(const DiskUsageSource&) = delete;
    DiskUsageSource& operator=(const DiskUsageSource&) = delete;

    // Usage since the previous reading, or -1 when no disk answered.
    LONG Read();

private:
    struct Disk
    {
        HANDLE handle;
        ULONGLONG idle;
        ULONGLONG query;
        bool primed;
    };
    std::vector<Disk> m_disks;
};
