#pragma once

// The empty base of classes whose single object a Singleton owns.
class SingletonBase
{
public:
    virtual ~SingletonBase() = default;
};

// Owns one heap object and deletes it when the Singleton itself goes (at module unload for
// a static one).
class Singleton
{
public:
    explicit Singleton(SingletonBase* instance = nullptr) : m_instance(instance) {}
    ~Singleton()
    {
        delete m_instance;
        m_instance = nullptr;
    }
    Singleton(const Singleton&) = delete;
    Singleton& operator=(const Singleton&) = delete;

    // Replaces the owned pointer without deleting the old object.
    void SetInstance(SingletonBase* instance) { m_instance = instance; }

private:
    SingletonBase* m_instance;
};
