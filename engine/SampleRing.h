// A counter's history: the newest samples in a fixed ring, each known by its sequence number, so
// that memory never grows and a reader can walk back from any sample it was handed.
#pragma once
#include <windows.h>

#include <vector>

struct SampleValue
{
    ULONGLONG sequence;
    ULONGLONG time;
    LONG value;
};

class SampleRing
{
public:
    explicit SampleRing(size_t capacity);

    void Push(ULONGLONG time, LONG value);
    size_t Size() const;
    // False when there is no sample yet.
    bool Newest(SampleValue& sample) const;
    // The sample just before sequence; false at the oldest one still kept.
    bool Before(ULONGLONG sequence, SampleValue& sample) const;

private:
    struct Slot
    {
        ULONGLONG time;
        LONG value;
    };
    std::vector<Slot> m_slots;
    ULONGLONG m_next = 0; // sequence number of the next sample
};
