#pragma once
#include <string>

#include "base/Singleton.h"
#include "base/Sync.h"

// The process-wide language table: every text the pop-ups show, looked up by key and section.
// SetLanguageFile records where the file lies (at process attach); the first GetInstance loads
// it, or the built-in English text, once for the whole process.
class Language : public SingletonBase, public CriticalSection
{
public:
    static void SetLanguageFile(const std::wstring& directory, const std::wstring& languageName,
                                unsigned resourceId, const std::wstring& resourceType,
                                const std::wstring& extra);
    // Never null; the first call creates the object and loads the table on the calling thread.
    static Language* GetInstance();
    static std::wstring GetLanguageName();
    static std::wstring GetLanguageDirectory();

    ~Language() override;
    Language(const Language&) = delete;
    Language& operator=(const Language&) = delete;

    // Copies GetString's result into the buffer, cut to bufferSize - 1 characters and terminated.
    virtual void GetStringToBuffer(const std::wstring& key, const std::wstring& section, wchar_t* buffer,
                                   unsigned bufferSize);
    // The value, or "*" followed by the key when there is none.
    virtual std::wstring GetString(const std::wstring& key, const std::wstring& section);
    // The same for keys and sections given as text (null counts as empty), without building
    // strings for them first.
    std::wstring GetString(const wchar_t* key, const wchar_t* section);

private:
    Language();
};
