#include "lang/Language.h"

#include "lang/LanguageCatalog.h"

namespace {

// The class-wide state, built on first use and gone at module unload; the holder deletes the
// instance before the catalog it reads from goes.
struct LanguageClassState
{
    ~LanguageClassState() { instance = nullptr; }

    LanguageCatalog catalog;
    Language* instance = nullptr;
    Singleton holder;
};

LanguageClassState& State()
{
    static LanguageClassState state;
    return state;
}

} // namespace

void Language::SetLanguageFile(const std::wstring& directory, const std::wstring& languageName, unsigned resourceId,
                               const std::wstring& resourceType, const std::wstring& extra)
{
    State().catalog.SetLanguageFile(directory, languageName, resourceId, resourceType, extra);
}

Language* Language::GetInstance()
{
    LanguageClassState& state = State();
    SyncObject guard(&state.catalog.GetLock(), INFINITE);
    // Loaded before the instance exists: a load that fails (out of memory) is tried again by the
    // next call instead of leaving an empty table behind for the process.
    if (!state.instance)
    {
        state.catalog.Load();
        state.instance = new Language();
    }
    return state.instance;
}

std::wstring Language::GetLanguageName()
{
    return State().catalog.GetLanguageName();
}

std::wstring Language::GetLanguageDirectory()
{
    return State().catalog.GetLanguageDirectory();
}

Language::Language()
{
    State().holder.SetInstance(this);
}

Language::~Language() = default;

void Language::GetStringToBuffer(const std::wstring& key, const std::wstring& section, wchar_t* buffer,
                                 unsigned bufferSize)
{
    CopyTextToBuffer(GetString(key, section), buffer, bufferSize);
}

std::wstring Language::GetString(const std::wstring& key, const std::wstring& section)
{
    SyncObject guard(this, INFINITE);
    return State().catalog.Lookup(key, section);
}

std::wstring Language::GetString(const wchar_t* key, const wchar_t* section)
{
    SyncObject guard(this, INFINITE);
    return State().catalog.Lookup(key ? key : L"", section ? section : L"");
}
