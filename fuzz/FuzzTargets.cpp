#include "FuzzTargets.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/PathText.h"
#include "jnCommonGUI/DialogTemplate.h"
#include "jnCommonGUI/KeyRuns.h"
#include "lang/FileStringBase.h"
#include "lang/LanguageFileCheck.h"
#include "lang/LanguageParser.h"
#include "lang/TextDecoding.h"
#include "notifications/StoredTaskbarSettings.h"

namespace {

// A broken promise is a finding: stop loudly, so that libFuzzer keeps the input.
void Require(bool holds)
{
    if (!holds)
        std::abort();
}

// Little-endian words from the front of the bytes; zero once they run out.
struct ByteTaker
{
    const std::uint8_t* data;
    std::size_t size;

    std::uint32_t Take(std::size_t bytes)
    {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < bytes && size > 0; ++i, ++data, --size)
            value |= static_cast<std::uint32_t>(*data) << (8 * i);
        return value;
    }
};

std::wstring Utf16Units(const std::uint8_t* data, std::size_t size)
{
    std::wstring text;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    return text;
}

bool AllUtf16Units(const std::wstring& text)
{
    for (wchar_t c : text)
        if (static_cast<std::uint32_t>(c) > 0xFFFF)
            return false;
    return true;
}

} // namespace

void FuzzLanguageText(const std::uint8_t* data, std::size_t size)
{
    // Raw file bytes through the same decoding, line reading and parsing as a language file.
    std::wstring text;
    if (!DecodeTextBytes(data, size, text))
    {
        Require(size == 0);
        return;
    }
    Require(AllUtf16Units(text));
    Require(text.size() <= size);
    const std::size_t complete = CompleteUtf8Length(data, size);
    Require(complete <= size && size - complete <= 3);

    CFileStringBase source;
    source.setText(text);
    LanguageTable table;
    ParseLanguageText(source, table);
    for (const auto& section : table)
        for (const auto& pair : section.second)
        {
            Require(pair.first.find(L'\n') == std::wstring::npos);
            Require(pair.second.empty() || pair.second.front() != L' ');
        }
}

void FuzzLanguageFileCheck(const std::uint8_t* data, std::size_t size)
{
    // The translators' checker reads the bytes of a language file against a small reference section.
    static const LanguageSection reference = {{L"XJNS_SHUTDOWN_YES", L"Cancel"}, {L"XJNS_SHUTDOWN_NO", L"Shutdown"}};
    const LanguageFileReport report =
        CheckLanguageFile(std::string(reinterpret_cast<const char*>(data), size), reference, L"XJNTrayNotifications");
    Require(!report.encoding.empty());
    Require(!report.lineEnds.empty());
    for (const CheckFinding& finding : report.findings)
        Require(!finding.text.empty());
}

void FuzzDialogTemplate(const std::uint8_t* data, std::size_t size)
{
    DialogTemplate dialog;
    if (!ParseDialogTemplate(data, size, dialog))
        return;
    const DialogTemplateFont font = FontOfTemplate(dialog);
    Require(font.pointSize >= 0);
    // The template's items were all read from its bytes: at least 18 bytes each.
    Require(dialog.items.size() <= size / 18);
}

void FuzzStoredTaskbarSettings(const std::uint8_t* data, std::size_t size)
{
    // The value's bytes as the registry hands them over; the first byte picks the value type.
    if (size == 0)
        return;
    const DWORD type = data[0] % 2 ? REG_BINARY : data[0];
    const std::vector<BYTE> value(data + 1, data + size);
    StoredTaskbarSettings settings;
    if (!ParseStoredTaskbarSettings(value, type, settings))
        return;
    Require(type == REG_BINARY && value.size() >= kStoredTaskbarSettingsMinSize && settings.edge <= 3);
    // A monitor from the bytes behind the value's fields.
    ByteTaker rest{data + 1 + kStoredTaskbarSettingsMinSize, size - 1 - kStoredTaskbarSettingsMinSize};
    RECT monitor;
    monitor.left = static_cast<LONG>(rest.Take(4));
    monitor.top = static_cast<LONG>(rest.Take(4));
    monitor.right = static_cast<LONG>(rest.Take(4));
    monitor.bottom = static_cast<LONG>(rest.Take(4));
    TaskbarOnMonitor(monitor, settings);
}

void FuzzKeyRuns(const std::uint8_t* data, std::size_t size)
{
    // Width, height and key first, then the pixels, rows padded as a 24-bit DIB's.
    ByteTaker take{data, size};
    const int width = static_cast<std::int16_t>(take.Take(2));
    const int height = static_cast<std::int16_t>(take.Take(2));
    const COLORREF key = take.Take(3);
    if (width <= 0 || height <= 0)
    {
        Require(ScanKeyRuns(take.data, width, height, 4, key).empty());
        return;
    }
    const int stride = Dib24Stride(width);
    const std::size_t rows = std::min<std::size_t>(static_cast<std::size_t>(height), take.size / stride);
    // Exactly the pixels it may read, in a block of their own, so that any read beyond shows.
    std::vector<std::uint8_t> pixels(take.data, take.data + rows * stride);
    const std::vector<RECT> runs = ScanKeyRuns(pixels.data(), width, static_cast<int>(rows), stride, key);
    for (const RECT& run : runs)
        Require(run.left >= 0 && run.left < run.right && run.right <= width && run.bottom == run.top + 1 &&
                run.top >= 0 && run.top < static_cast<LONG>(rows));
}

void FuzzPathText(const std::uint8_t* data, std::size_t size)
{
    const std::wstring path = Utf16Units(data, size);
    const PathParts parts = SplitPath(path);
    Require(parts.drive.size() + parts.directory.size() + parts.name.size() + parts.extension.size() <= path.size());
    MakePath(parts);
    const std::wstring normal = NormalisePath(path);
    Require(normal.size() <= path.size());
    Require(NormalisePath(normal) == normal);
    IsRelativePath(path);
    IsValidPath(path);
    PathRoot(path);
    Require(WithoutTrailingSeparators(path).size() <= path.size());
}
