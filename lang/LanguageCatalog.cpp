#include "lang/LanguageCatalog.h"

#include <algorithm>
#include <io.h>

#include "Logvane.h"
#include "lang/FileString.h"
#include "lang/ResourceString.h"

namespace {

const wchar_t kSource[] = L".\\Language";

// The shipped files are a few KiB; a larger one is damaged or not a language file, and reading it
// whole (its bytes and their text at twice the size) could take the host's address space.
constexpr DWORD kLanguageFileLimit = 16 * 1024 * 1024;

// True when the file exists and holds more than the limit.
bool LargerThanLimit(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return false;
    return data.nFileSizeHigh != 0 || data.nFileSizeLow > kLanguageFileLimit;
}

void TraceError(const std::wstring& message, unsigned line)
{
    WriteTraceEx(TRACE_ERROR, message.c_str(), kSource, line);
}

} // namespace

LanguageCatalog::LanguageCatalog() = default;

LanguageCatalog::~LanguageCatalog() = default;

void LanguageCatalog::SetLanguageFile(const std::wstring& directory, const std::wstring& languageName,
                                      DWORD resourceId, const std::wstring& resourceType, const std::wstring& extra)
{
    SyncObject guard(&m_lock, INFINITE);
    m_extra = extra;
    if (!directory.empty() && !languageName.empty())
    {
        m_languageDirectory = directory;
        m_languageName = languageName;
        m_languageFilePath = directory + languageName + L".lng";
        if (_waccess(m_languageFilePath.c_str(), 0) != 0)
            TraceError(L"Unable to locate the following language file.\r\n" + m_languageFilePath +
                           L" Try to load default English language file from resources.",
                       __LINE__);
    }
    else
    {
        TraceError(L"Unable to set language file, empty directory or file names. "
                   L"Try to load default English language file from resources.",
                   __LINE__);
    }
    if (resourceId != 0 && !resourceType.empty())
    {
        m_resourceId = resourceId;
        m_resourceType = resourceType;
        m_configured = true;
    }
    else
    {
        TraceError(L"Unable to set default English language file, empty type name or resource ID.", __LINE__);
    }
}

void LanguageCatalog::Load()
{
    SyncObject guard(&m_lock, INFINITE);
    m_source.reset();
    auto file = std::make_unique<FileString>();
    if (LargerThanLimit(m_languageFilePath))
    {
        TraceError(L"The following language file is larger than 16 MiB and is not read :" + m_languageFilePath +
                       L"\n Try to load default English language file from resource.",
                   __LINE__);
    }
    // The limit also bounds a file that grows after the size was taken.
    else if (file->loadFile(m_languageFilePath, false, kLanguageFileLimit))
    {
        // A file without a single text (empty, or nothing but comments and headers) would show
        // "*" + key everywhere: the built-in English answers instead.
        LanguageTable fileTable;
        ParseLanguageText(*file, fileTable);
        if (!fileTable.empty())
        {
            m_source = std::move(file);
            MergeLanguageTable(std::move(fileTable), m_table);
            return;
        }
        TraceError(L"The following language file holds no text :" + m_languageFilePath +
                       L"\n Try to load default English language file from resource.",
                   __LINE__);
    }
    else
    {
        TraceError(L"Unable to open the following language file :" + m_languageFilePath +
                       L"\n Try to load default English language file from resource.",
                   __LINE__);
    }
    auto resource = std::make_unique<CResourceString>();
    if (m_resourceType.empty() || m_resourceId == 0 || !resource->loadResource(m_resourceType.c_str(), m_resourceId))
    {
        TraceError(L"Unable to load the default English language file from resource", __LINE__);
        return;
    }
    m_source = std::move(resource);
    ParseLanguageText(*m_source, m_table);
}

std::wstring LanguageCatalog::Lookup(std::wstring_view key, std::wstring_view section) const
{
    if (m_configured && !m_languageFilePath.empty())
    {
        const auto foundSection = m_table.find(section);
        if (foundSection != m_table.end())
        {
            const auto foundKey = foundSection->second.find(key);
            if (foundKey != foundSection->second.end())
                return foundKey->second;
        }
    }
    return std::wstring(L"*").append(key);
}

std::wstring LanguageCatalog::GetLanguageName() const
{
    SyncObject guard(&m_lock, INFINITE);
    return m_languageName;
}

std::wstring LanguageCatalog::GetLanguageDirectory() const
{
    SyncObject guard(&m_lock, INFINITE);
    return m_languageDirectory;
}

std::wstring LanguageCatalog::GetLanguageFilePath() const
{
    SyncObject guard(&m_lock, INFINITE);
    return m_languageFilePath;
}

void CopyTextToBuffer(const std::wstring& text, wchar_t* buffer, unsigned size)
{
    if (!buffer || size == 0)
        return;
    std::fill(buffer, buffer + size, L'\0');
    std::copy_n(text.c_str(), std::min<size_t>(text.size(), size - 1), buffer);
}
