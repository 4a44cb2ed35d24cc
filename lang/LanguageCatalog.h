#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "base/Sync.h"
#include "lang/FileStringBase.h"
#include "lang/LanguageParser.h"

// Where the language file lies, which resource holds the built-in English text, the text that
// was loaded and its table. The process-wide Language keeps one; a benchmark or a test can make
// its own and load through the very same code.
class LanguageCatalog
{
public:
    LanguageCatalog();
    ~LanguageCatalog();
    LanguageCatalog(const LanguageCatalog&) = delete;
    LanguageCatalog& operator=(const LanguageCatalog&) = delete;

    // The directory must end in a backslash: the file is directory + name + ".lng".
    void SetLanguageFile(const std::wstring& directory, const std::wstring& languageName, DWORD resourceId,
                         const std::wstring& resourceType, const std::wstring& extra);
    // Reads the language file, or the built-in text when the file cannot be used, and adds its
    // lines to the table.
    void Load();
    // The value, or "*" + key when the key, its section or the configuration is missing.
    // Takes no lock: Language guards it with its own.
    std::wstring Lookup(std::wstring_view key, std::wstring_view section) const;

    std::wstring GetLanguageName() const;
    std::wstring GetLanguageDirectory() const;
    std::wstring GetLanguageFilePath() const;
    const LanguageTable& GetTable() const { return m_table; }
    // Serialises SetLanguageFile and Load; recursive.
    CriticalSection& GetLock() const { return m_lock; }

private:
    mutable CriticalSection m_lock;
    std::wstring m_languageName;
    std::wstring m_languageDirectory;
    std::wstring m_languageFilePath;
    std::wstring m_resourceType;
    DWORD m_resourceId = 0;
    bool m_configured = false;
    std::wstring m_extra;
    std::unique_ptr<CFileStringBase> m_source;
    LanguageTable m_table;
};

// Copies a text into a caller's buffer of size characters, cut to fit and always terminated;
// a null buffer or size 0 is left alone.
void CopyTextToBuffer(const std::wstring& text, wchar_t* buffer, unsigned size);
