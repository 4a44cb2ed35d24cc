#include "engine/SampleRing.h"

SampleRing::SampleRing(size_t capacity) : m_slots(capacity ? capacity : 1) {}

void SampleRing::Push(ULONGLONG time, LONG value)
{
    m_slots[m_next % m_slots.size()] = {time, value};
    ++m_next;
}

size_t SampleRing::Size() const
{
    return m_next < m_slots.size() ? static_cast<size_t>(m_next) : m_slots.size();
}

bool SampleRing::Newest(SampleValue& sample) const
{
    if (m_next == 0)
        return false;
    const Slot& slot = m_slots[(m_next - 1) % m_slots.size()];
    sample = {m_next - 1, slot.time, slot.value};
    return true;
}

bool SampleRing::Before(ULONGLONG sequence, SampleValue& sample) const
{
    if (sequence == 0 || sequence >= m_next)
        return false;
    const ULONGLONG wanted = sequence - 1;
    if (m_next - wanted > m_slots.size())
        return false;
    const Slot& slot = m_slots[wanted % m_slots.size()];
    sample = {wanted, slot.time, slot.value};
    return true;
}
