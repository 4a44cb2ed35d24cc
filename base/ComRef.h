// Owns one counted COM reference and releases it once.
#pragma once
#include <unknwn.h>

#include <utility>

template <class T>
class ComRef
{
public:
    ComRef() = default;
    ~ComRef() { Reset(); }
    ComRef(const ComRef& other) : m_p(other.m_p)
    {
        if (m_p)
            m_p->AddRef();
    }
    ComRef(ComRef&& other) noexcept : m_p(other.m_p) { other.m_p = nullptr; }
    ComRef& operator=(ComRef other) noexcept
    {
        std::swap(m_p, other.m_p);
        return *this;
    }

    // Takes over a count the caller already holds (an interface that came back as a result).
    static ComRef Adopt(T* p)
    {
        ComRef ref;
        ref.m_p = p;
        return ref;
    }
    // Takes a count of its own on a reference that someone else keeps.
    static ComRef Copy(T* p)
    {
        if (p)
            p->AddRef();
        return Adopt(p);
    }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    // A place for a result that arrives counted (T** out-arguments); drops what was held.
    T** Receive()
    {
        Reset();
        return &m_p;
    }
    void Reset()
    {
        T* p = m_p;
        m_p = nullptr;
        if (p)
            p->Release();
    }

private:
    T* m_p = nullptr;
};
