#include "lang/FileStringBase.h"

CFileStringBase::~CFileStringBase() = default;

bool CFileStringBase::readLine(std::wstring& line)
{
    const size_t length = m_text.size();
    const size_t start = m_position;
    if (start >= length)
        return false;
    const size_t feed = m_text.find(L'\n', start);
    if (feed == std::wstring::npos)
    {
        line.assign(m_text, start, std::wstring::npos);
        m_position = static_cast<DWORD>(length);
        return true;
    }
    size_t end = feed;
    if (end > start && m_text[end - 1] == L'\r')
        --end;
    line.assign(m_text, start, end - start);
    m_position = static_cast<DWORD>(feed + 1);
    return true;
}

std::wstring& CFileStringBase::getText()
{
    return m_text;
}

void CFileStringBase::setText(const std::wstring& text)
{
    m_text = text;
    m_position = 0;
}

void CFileStringBase::appendText(const std::wstring& text)
{
    m_text += text;
}

void CFileStringBase::setPosition(DWORD position)
{
    m_position = position;
}

DWORD CFileStringBase::getTextLength() const
{
    const size_t nul = m_text.find(L'\0');
    return static_cast<DWORD>(nul == std::wstring::npos ? m_text.size() : nul);
}
