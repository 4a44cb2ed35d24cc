#include "engine/UsageSources.h"

#include <winioctl.h>

#include <string>

namespace {
// Disks are looked for as PhysicalDrive0 up to this number (exclusive).
const int kMaxPhysicalDrives = 16;

ULONGLONG Ticks(const FILETIME& time)
{
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

ULONGLONG Ticks(const LARGE_INTEGER& value)
{
    return static_cast<ULONGLONG>(value.QuadPart);
}
} // namespace

LONG BusyPercent(ULONGLONG idleDelta, ULONGLONG totalDelta)
{
    if (totalDelta == 0)
        return -1;
    if (idleDelta >= totalDelta)
        return 0;
    return static_cast<LONG>(((totalDelta - idleDelta) * 100) / totalDelta);
}

CpuUsageSource::CpuUsageSource()
{
    m_primed = Sample(m_idle, m_total);
}

bool CpuUsageSource::Sample(ULONGLONG& idle, ULONGLONG& total) const
{
    FILETIME idleTime, kernelTime, userTime;
    if (!GetSystemTimes(&idleTime, &kernelTime, &userTime))
        return false;
    idle = Ticks(idleTime);
    total = Ticks(kernelTime) + Ticks(userTime);
    return true;
}


LONG CpuUsageSource::Read()
{
    ULONGLONG idle, total;
    if (!Sample(idle, total))
    {
        m_primed = false;
        return -1;
    }
    const bool hadBase = m_primed && total >= m_total && idle >= m_idle;
    const LONG percent = hadBase ? BusyPercent(idle - m_idle, total - m_total) : -1;
    m_idle = idle;
    m_total = total;
    m_primed = true;
    return percent;
}

DiskUsageSource::DiskUsageSource()
{
    for (int i = 0; i < kMaxPhysicalDrives; ++i)
    {
        const std::wstring name = L"\\\\.\\PhysicalDrive" + std::to_wstring(i);
        // No access rights asked: the performance query needs none, so no administrator either.
        HANDLE handle = CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                    nullptr);
        if (handle != INVALID_HANDLE_VALUE)
            m_disks.push_back({handle, 0, 0, false});
    }
    Read();
}

DiskUsageSource::~DiskUsageSource()
{
    for (const Disk& disk : m_disks)
        CloseHandle(disk.handle);
}

LONG DiskUsageSource::Read()
{
    LONG sum = 0;
    int answered = 0;
    for (Disk& disk : m_disks)
    {
        DISK_PERFORMANCE performance = {};
        DWORD returned = 0;
        if (!DeviceIoControl(disk.handle, IOCTL_DISK_PERFORMANCE, nullptr, 0, &performance, sizeof(performance),
                             &returned, nullptr) ||
            returned < sizeof(performance))
        {
            disk.primed = false;
            continue;
        }
        const ULONGLONG idle = Ticks(performance.IdleTime);
        const ULONGLONG query = Ticks(performance.QueryTime);
        const LONG percent = disk.primed && query >= disk.query && idle >= disk.idle
                                 ? BusyPercent(idle - disk.idle, query - disk.query)
                                 : -1;
        disk.idle = idle;
        disk.query = query;
        disk.primed = true;
        if (percent >= 0)
        {
            sum += percent;
            ++answered;
        }
    }
    return answered ? sum / answered : -1;
}
