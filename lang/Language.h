#pragma once
#include <string>

// The process-wide language table: every text the pop-ups show, looked up by key and section.
class Language
{
public:
    static void SetLanguageFile(const std::wstring& directory, const std::wstring& languageName,
                                unsigned resourceId, const std::wstring& resourceType,
                                const std::wstring& extra);
    static Language* GetInstance();
    static std::wstring GetLanguageName();
    static std::wstring GetLanguageDirectory();

    virtual ~Language();
    virtual void GetStringToBuffer(const std::wstring& key, const std::wstring& section, wchar_t* buffer,
                                   unsigned bufferSize);
    virtual std::wstring GetString(const std::wstring& key, const std::wstring& section);
};
