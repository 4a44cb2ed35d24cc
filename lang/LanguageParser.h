#pragma once
#include <map>
#include <string>

class CFileStringBase;

// Section name -> (key -> value); names compare by UTF-16 code unit, case-sensitive. The
// comparison is transparent, so a lookup needs no string of its own for a key given as text.
using LanguageSection = std::map<std::wstring, std::wstring, std::less<>>;
using LanguageTable = std::map<std::wstring, LanguageSection, std::less<>>;

enum class LanguageLineKind
{
    Blank,           // nothing but spaces
    Comment,         // ";" first
    Section,         // "[" ... last "]"; name holds what lies between
    UnclosedSection, // "[" without "]": ignored, the section stays
    NoEquals,        // text without "=": ignored
    Pair,            // key = value
};

struct LanguageLine
{
    LanguageLineKind kind = LanguageLineKind::Blank;
    std::wstring name;  // section name or key
    std::wstring value; // a pair's value, escapes expanded
};

// Reads one line of a language file. Only U+0020 counts as a blank. A key keeps the blanks in
// front of its "="; a value loses its leading and trailing blanks; further "=" belong to it.
LanguageLine ReadLanguageLine(const std::wstring& line);

// Replaces every "\r", then every "\n", then every "\t" by the control character; a backslash
// before anything else stays.
std::wstring ExpandEscapes(const std::wstring& value);

// Feeds lines into a table: a header selects its section (created with its first pair), a pair
// is stored in the current section, a later pair replaces an earlier one of the same key.
// Pairs before any header go to the section with the empty name.
class LanguageTableBuilder
{
public:
    explicit LanguageTableBuilder(LanguageTable& table) : m_table(table) {}

    // Returns how the line was read.
    LanguageLine Feed(const std::wstring& line);
    // Applies a line already read, taking over its strings.
    void Store(LanguageLine&& read);
    const std::wstring& CurrentSection() const { return m_section; }

private:
    LanguageTable& m_table;
    std::wstring m_section;
    LanguageSection* m_current = nullptr;
};

// Adds every pair of from to into, a pair of from replacing one of the same key in into.
void MergeLanguageTable(LanguageTable&& from, LanguageTable& into);

// Rewinds the text and feeds all its lines into the table (which is not emptied first).
void ParseLanguageText(CFileStringBase& source, LanguageTable& table);
