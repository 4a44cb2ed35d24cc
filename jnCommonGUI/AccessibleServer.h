#pragma once
#include "jnCommonGUI/AccessibleObject.h"

// COM on the calling thread for as long as accessible objects of its windows are out. A screen
// reader's calls reach them through COM, which needs an apartment on the window's thread: a
// thread the host left without one (or only implicitly in the multi-threaded apartment, where
// calls would come on other threads) gets a single-threaded apartment from the first object's
// window, and loses it again when the last of them has gone, so that the host finds the thread
// as it left it. A thread the host initialised stays as the host made it.
class CAccessibleApartment
{
public:
    CAccessibleApartment() = default;
    ~CAccessibleApartment() { Leave(); }
    CAccessibleApartment(const CAccessibleApartment&) = delete;
    CAccessibleApartment& operator=(const CAccessibleApartment&) = delete;

    // False when the thread has no usable apartment and cannot get one.
    bool Enter();
    void Leave();

private:
    bool m_entered = false;
};

// Answers WM_GETOBJECT for one window: its client area is the accessible object of the source,
// made on the first request; every other object id gets the system's default handling. When the
// window goes (WM_DESTROY) or the owner does, the object is disconnected.
class CAccessibleServer
{
public:
    explicit CAccessibleServer(CAccessibleSource& source) : m_source(source) {}
    ~CAccessibleServer() { Disconnect(); }
    CAccessibleServer(const CAccessibleServer&) = delete;
    CAccessibleServer& operator=(const CAccessibleServer&) = delete;

    // WM_GETOBJECT: true with the answer for the client area; false for the default handling.
    bool Answer(HWND window, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // For a control's message map: answers WM_GETOBJECT as above and disconnects at WM_NCDESTROY,
    // which it leaves to the control. True when the message was answered.
    bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void Disconnect();

private:
    CAccessibleSource& m_source;
    CAccessibleApartment m_apartment;
    ComRef<CAccessibleObject> m_object;
};
