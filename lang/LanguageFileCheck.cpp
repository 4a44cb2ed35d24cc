#include "lang/LanguageFileCheck.h"

#include <map>

#include "lang/FileStringBase.h"
#include "lang/TextDecoding.h"

namespace {

const wchar_t kByteOrderMark = 0xFEFF;

std::wstring Quoted(const std::wstring& text)
{
    std::wstring quoted = L"\"";
    for (wchar_t c : text)
    {
        if (c == L'\t')
            quoted += L"<TAB>";
        else if (c == L'\r')
            quoted += L"<CR>";
        else if (c == L'\0')
            quoted += L"<NUL>";
        else
            quoted += c;
    }
    return quoted + L"\"";
}

std::wstring Decimal(size_t value)
{
    return std::to_wstring(value);
}

struct LineEndCounts
{
    size_t crlf = 0;
    size_t lf = 0;
    size_t loneCr = 0;
};

LineEndCounts CountLineEnds(const std::wstring& text)
{
    LineEndCounts counts;
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] == L'\n')
            ++(i > 0 && text[i - 1] == L'\r' ? counts.crlf : counts.lf);
        else if (text[i] == L'\r' && (i + 1 == text.size() || text[i + 1] != L'\n'))
            ++counts.loneCr;
    }
    return counts;
}

std::wstring DescribeLineEnds(const LineEndCounts& counts)
{
    std::vector<std::wstring> kinds;
    if (counts.crlf)
        kinds.push_back(L"CRLF");
    if (counts.lf)
        kinds.push_back(L"LF");
    if (counts.loneCr)
        kinds.push_back(L"lone CR");
    if (kinds.empty())
        return L"none (a single line)";
    std::wstring text = kinds.size() > 1 ? L"mixed " : L"";
    for (size_t i = 0; i < kinds.size(); ++i)
        text += (i ? L", " : L"") + kinds[i];
    return text;
}

class Checker
{
public:
    Checker(const LanguageSection& reference, const std::wstring& referenceSection, LanguageFileReport& report)
        : m_reference(reference), m_referenceSection(referenceSection), m_report(report), m_builder(m_table)
    {
    }

    void Add(CheckSeverity severity, unsigned line, const std::wstring& text)
    {
        m_report.findings.push_back({severity, line, text});
    }

    void CheckLines(CFileStringBase& text)
    {
        std::wstring line;
        unsigned number = 0;
        text.setPosition(0);
        while (text.readLine(line))
            CheckLine(++number, line);
    }

    // Whether any line gave a key and value: a file without any shows the built-in English.
    bool HasPairs() const { return !m_table.empty(); }

    void CheckKeysAgainstReference()
    {
        const auto section = m_table.find(m_referenceSection);
        if (section == m_table.end())
            Add(CheckSeverity::Problem, 0,
                L"section [" + m_referenceSection + L"] has no keys: every text of the pop-ups is \"*\" and its key");
        static const LanguageSection none;
        const LanguageSection& keys = section == m_table.end() ? none : section->second;
        for (const auto& entry : m_reference)
            if (!keys.count(entry.first))
                Add(CheckSeverity::Problem, 0,
                    L"key " + entry.first + L" is missing from [" + m_referenceSection + L"]: the pop-up shows \"*" +
                        entry.first + L"\"");
        for (const auto& entry : keys)
        {
            if (!m_reference.count(entry.first))
                Add(CheckSeverity::Warning, LineOf(entry.first),
                    L"key " + Quoted(entry.first) + L" is no key of the built-in English section; nothing shows it");
            else if (entry.second.empty())
                Add(CheckSeverity::Problem, LineOf(entry.first),
                    L"key " + entry.first + L" has an empty value: the pop-up shows no text");
        }
    }

private:
    unsigned LineOf(const std::wstring& key) const
    {
        const auto found = m_lastLine.find({m_referenceSection, key});
        return found == m_lastLine.end() ? 0 : found->second.first;
    }

    void CheckHiddenFirstLine(unsigned number, const std::wstring& line)
    {
        const LanguageLine meant = ReadLanguageLine(line.substr(1));
        if (meant.kind == LanguageLineKind::Section)
            Add(CheckSeverity::Problem, number,
                L"the byte-order mark hides the section header [" + meant.name +
                    L"]: keys up to the next header land in the section with the empty name; leave the first line empty");
        else if (meant.kind == LanguageLineKind::Pair)
            Add(CheckSeverity::Problem, number,
                L"the byte-order mark hides the key " + meant.name + L" in the first line; leave the first line empty");
        else if (meant.kind == LanguageLineKind::NoEquals || meant.kind == LanguageLineKind::UnclosedSection)
            Add(CheckSeverity::Note, number, L"the first line stands behind the byte-order mark and is never read");
    }

    void CheckLine(unsigned number, const std::wstring& line)
    {
        if (number == 1 && !line.empty() && line[0] == kByteOrderMark)
            CheckHiddenFirstLine(number, line);
        if (line.find(L'\r') != std::wstring::npos)
            Add(CheckSeverity::Problem, number,
                L"carriage returns that end no line (lone CR line ends): they stay in the text and the lines "
                L"around them run together");
        if (line.find(L'\0') != std::wstring::npos)
            Add(CheckSeverity::Problem, number, L"a zero character: the text shown stops there");

        const LanguageLine read = m_builder.Feed(line);
        switch (read.kind)
        {
        case LanguageLineKind::Blank:
        case LanguageLineKind::Comment:
            break;
        case LanguageLineKind::UnclosedSection:
            Add(CheckSeverity::Warning, number,
                L"line ignored: \"[\" without \"]\"; the keys below stay in [" + m_builder.CurrentSection() + L"]");
            break;
        case LanguageLineKind::NoEquals:
            if (line == L"!!!NEW STRINGS!!!")
                Add(CheckSeverity::Note, number, L"the marker line \"!!!NEW STRINGS!!!\" is ignored");
            else if (!(number == 1 && line[0] == kByteOrderMark))
                Add(CheckSeverity::Warning, number, L"line ignored: no \"=\"");
            break;
        case LanguageLineKind::Section:
            if (!m_sectionLines.emplace(read.name, number).second)
                Add(CheckSeverity::Note, number,
                    L"section [" + read.name + L"] again (first in line " + Decimal(m_sectionLines[read.name]) +
                        L"): it continues");
            break;
        case LanguageLineKind::Pair:
            CheckPair(number, read);
            break;
        }
    }

    void CheckPair(unsigned number, const LanguageLine& read)
    {
        const std::wstring& key = read.name;
        if (key.empty())
            Add(CheckSeverity::Warning, number, L"empty key");
        else if (key.back() == L' ' || key.back() == L'\t' || key.front() == L'\t')
            Add(CheckSeverity::Problem, number,
                L"key " + Quoted(key) + L" has blanks or tabs at its ends: a lookup of the key without them misses it");

        const auto previous = m_lastLine.find({m_builder.CurrentSection(), key});
        if (previous != m_lastLine.end())
        {
            const bool sameValue = previous->second.second == read.value;
            Add(sameValue ? CheckSeverity::Warning : CheckSeverity::Problem, number,
                L"key " + Quoted(key) + L" repeats in [" + m_builder.CurrentSection() + L"] (line " +
                    Decimal(previous->second.first) + L")" +
                    (sameValue ? L" with the same value" : L": this later value replaces the earlier one"));
        }
        m_lastLine[{m_builder.CurrentSection(), key}] = {number, read.value};

        // What the escapes leave of the backslashes: any that remain are shown as they are.
        if (read.value.find(L'\\') != std::wstring::npos)
            Add(CheckSeverity::Warning, number,
                L"the value of " + Quoted(key) + L" keeps a backslash that is no escape (only \\r, \\n and \\t are): "
                L"it is shown as it stands");
    }

    const LanguageSection& m_reference;
    const std::wstring& m_referenceSection;
    LanguageFileReport& m_report;
    LanguageTable m_table;
    LanguageTableBuilder m_builder;
    std::map<std::wstring, unsigned> m_sectionLines;
    std::map<std::pair<std::wstring, std::wstring>, std::pair<unsigned, std::wstring>> m_lastLine;
};

} // namespace

bool LanguageFileReport::HasProblems() const
{
    return Count(CheckSeverity::Problem) > 0;
}

size_t LanguageFileReport::Count(CheckSeverity severity) const
{
    size_t count = 0;
    for (const CheckFinding& finding : findings)
        if (finding.severity == severity)
            ++count;
    return count;
}

size_t FirstInvalidUtf8(const std::string& bytes)
{
    size_t i = 0;
    while (i < bytes.size())
    {
        const unsigned char lead = static_cast<unsigned char>(bytes[i]);
        size_t length;
        unsigned long min;
        if (lead < 0x80)
        {
            ++i;
            continue;
        }
        else if ((lead & 0xE0) == 0xC0)
            length = 2, min = 0x80;
        else if ((lead & 0xF0) == 0xE0)
            length = 3, min = 0x800;
        else if ((lead & 0xF8) == 0xF0)
            length = 4, min = 0x10000;
        else
            return i;
        if (i + length > bytes.size())
            return i;
        unsigned long code = lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k)
        {
            const unsigned char next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return i;
            code = (code << 6) | (next & 0x3F);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return i;
        i += length;
    }
    return std::string::npos;
}

LanguageFileReport CheckLanguageFile(const std::string& bytes, const LanguageSection& reference,
                                     const std::wstring& referenceSection)
{
    LanguageFileReport report;
    Checker checker(reference, referenceSection, report);
    const bool utf16 = bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE';
    const bool utf8Mark = bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0;
    report.encoding = utf16 ? L"UTF-16 little-endian with byte-order mark"
                      : utf8Mark ? L"UTF-8 with byte-order mark"
                                 : L"UTF-8 without byte-order mark";

    if (bytes.empty())
    {
        report.lineEnds = L"none";
        checker.Add(CheckSeverity::Problem, 0, L"the file is empty: the built-in English is shown instead");
        return report;
    }
    if (bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF')
    {
        report.encoding = L"UTF-16 big-endian";
        report.lineEnds = L"unknown";
        checker.Add(CheckSeverity::Problem, 0,
                    L"UTF-16 big-endian is not read: the built-in English is shown instead; save the file as UTF-8 "
                    L"or UTF-16 little-endian");
        return report;
    }
    if (utf16 && bytes.size() % 2 != 0)
        checker.Add(CheckSeverity::Warning, 0, L"an odd last byte: it is ignored");

    // Decoded exactly as the library decodes it; the byte offset only helps to find the fault.
    CFileStringBase text;
    DecodeTextBytes(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), text.getText());
    const size_t invalid = utf16 ? std::string::npos : FirstInvalidUtf8(bytes);
    if (invalid != std::string::npos)
        checker.Add(CheckSeverity::Problem, 0,
                    L"byte " + Decimal(invalid) +
                        L" is not UTF-8 (another code page?): such bytes show as the replacement character \uFFFD");
    const size_t zero = utf16 ? std::string::npos : bytes.find('\0');
    if (zero != std::string::npos)
        checker.Add(CheckSeverity::Problem, 0,
                    L"a zero byte at " + Decimal(zero) + L": the text ends there and everything behind it is lost");
    if (text.getTextLength() == 0)
    {
        report.lineEnds = L"none";
        checker.Add(CheckSeverity::Problem, 0, L"the file holds no text: the built-in English is shown instead");
        return report;
    }
    report.lineEnds = DescribeLineEnds(CountLineEnds(text.getText()));
    checker.CheckLines(text);
    if (!checker.HasPairs())
    {
        checker.Add(CheckSeverity::Problem, 0, L"the file holds no text: the built-in English is shown instead");
        return report;
    }
    checker.CheckKeysAgainstReference();
    return report;
}
