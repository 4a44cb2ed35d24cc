#pragma once
#include <windows.h>

// A class's message map: it handles what it knows and chains the rest to its bases.
// Returns true when the message was handled; result is then the message's answer.
class CMessageMap
{
public:
    virtual bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      LRESULT& result) = 0;

protected:
    ~CMessageMap() = default;
};
