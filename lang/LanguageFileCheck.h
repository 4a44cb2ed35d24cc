#pragma once
#include <string>
#include <vector>

#include "lang/LanguageParser.h"

// Diagnostics for translators: what the library will make of a language file, checked against
// the keys of the built-in English section. It reads the file through the library's own
// decoding and line parsing, so it reports what the pop-ups would really show.
enum class CheckSeverity
{
    Note,    // worth knowing, changes nothing
    Warning, // probably not meant, but the pop-ups show the same
    Problem, // changes what the pop-ups show
};

struct CheckFinding
{
    CheckSeverity severity;
    unsigned line; // 1-based; 0 for the file as a whole
    std::wstring text;
};

struct LanguageFileReport
{
    std::wstring encoding;
    std::wstring lineEnds;
    std::vector<CheckFinding> findings;

    bool HasProblems() const;
    size_t Count(CheckSeverity severity) const;
};

LanguageFileReport CheckLanguageFile(const std::string& bytes, const LanguageSection& reference,
                                     const std::wstring& referenceSection);

// The offset of the first byte that is not part of a valid UTF-8 sequence, or npos.
size_t FirstInvalidUtf8(const std::string& bytes);
