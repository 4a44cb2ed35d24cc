#include "lang/LanguageParser.h"

#include "base/StdStr.h"
#include "lang/FileStringBase.h"

LanguageLine ReadLanguageLine(const std::wstring& line)
{
    LanguageLine result;
    const size_t start = line.find_first_not_of(L' ');
    if (start == std::wstring::npos)
        return result;
    if (line[start] == L';')
    {
        result.kind = LanguageLineKind::Comment;
        return result;
    }
    if (line[start] == L'[')
    {
        const size_t close = line.rfind(L']');
        if (close == std::wstring::npos)
        {
            result.kind = LanguageLineKind::UnclosedSection;
            return result;
        }
        result.kind = LanguageLineKind::Section;
        result.name = line.substr(start + 1, close - start - 1);
        return result;
    }
    const size_t equals = line.find(L'=', start);
    if (equals == std::wstring::npos)
    {
        result.kind = LanguageLineKind::NoEquals;
        return result;
    }
    // Trailing blanks of the whole line go; the "=" itself always stands before them.
    const size_t end = line.find_last_not_of(L' ') + 1;
    result.kind = LanguageLineKind::Pair;
    result.name = line.substr(start, equals - start);
    const size_t valueStart = line.find_first_not_of(L' ', equals + 1);
    if (valueStart < end)
        result.value = ExpandEscapes(line.substr(valueStart, end - valueStart));
    return result;
}

std::wstring ExpandEscapes(const std::wstring& value)
{
    if (value.find(L'\\') == std::wstring::npos)
        return value;
    stdstr expanded(value);
    expanded.ReplaceAll(L"\\r", L"\r");
    expanded.ReplaceAll(L"\\n", L"\n");
    expanded.ReplaceAll(L"\\t", L"\t");
    return std::move(expanded);
}

LanguageLine LanguageTableBuilder::Feed(const std::wstring& line)
{
    LanguageLine read = ReadLanguageLine(line);
    Store(LanguageLine(read));
    return read;
}

void LanguageTableBuilder::Store(LanguageLine&& read)
{
    if (read.kind == LanguageLineKind::Section)
    {
        m_section = std::move(read.name);
        m_current = nullptr;
    }
    else if (read.kind == LanguageLineKind::Pair)
    {
        if (!m_current)
            m_current = &m_table[m_section];
        m_current->insert_or_assign(std::move(read.name), std::move(read.value));
    }
}

void MergeLanguageTable(LanguageTable&& from, LanguageTable& into)
{
    if (into.empty())
    {
        into.swap(from);
        return;
    }
    for (auto& [name, section] : from)
    {
        LanguageSection& target = into[name];
        for (auto& [key, value] : section)
            target.insert_or_assign(key, std::move(value));
    }
}

void ParseLanguageText(CFileStringBase& source, LanguageTable& table)
{
    source.setPosition(0);
    LanguageTableBuilder builder(table);
    std::wstring line;
    while (source.readLine(line))
        builder.Store(ReadLanguageLine(line));
}
