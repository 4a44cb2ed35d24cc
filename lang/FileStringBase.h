#pragma once
#include <string>

#include "base/PortableTypes.h"

// A whole text in memory, handed out line by line from a read position.
class CFileStringBase
{
public:
    CFileStringBase() = default;
    virtual ~CFileStringBase();

    // The next line without its line end (a carriage return before the line feed is dropped);
    // false when the text is used up, the line then unchanged.
    virtual bool readLine(std::wstring& line);
    virtual std::wstring& getText();
    // Replaces the text and rewinds.
    virtual void setText(const std::wstring& text);
    // Appends; the read position stays.
    virtual void appendText(const std::wstring& text);

    void setPosition(DWORD position);
    // Characters before the first NUL.
    DWORD getTextLength() const;

protected:
    DWORD m_position = 0;
    std::wstring m_text;
};
