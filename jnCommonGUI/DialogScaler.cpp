#include "jnCommonGUI/DialogScaler.h"

#include "jnCommonGUI/DialogTemplate.h"

namespace {

constexpr int kReferenceDpi = 96;
constexpr UINT kSizeFlags = SWP_NOZORDER | SWP_NOREDRAW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;
const char kAlphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";

// Measured on a window DC: the figures are those of a paint DC, and BeginPaint outside WM_PAINT
// would validate the window and swallow a paint that is due.
SIZE MeasureBaseUnits(HWND window, HFONT font)
{
    ScopedWindowDC dc(window);
    ScopedSelection selected(dc.Get(), font);
    SIZE alphabet = {};
    TEXTMETRICA metrics = {};
    GetTextExtentPointA(dc.Get(), kAlphabet, static_cast<int>(sizeof(kAlphabet) - 1), &alphabet);
    GetTextMetricsA(dc.Get(), &metrics);
    return DialogBaseUnits(alphabet.cx, metrics.tmHeight);
}

TEXTMETRICA MetricsOf(HWND window, HFONT font)
{
    ScopedWindowDC dc(window);
    ScopedSelection selected(dc.Get(), font);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc.Get(), &metrics);
    return metrics;
}

// TEXTMETRIC's pitch bit means "variable pitch" where LOGFONT's means "fixed": translate it.
BYTE PitchAndFamilyOf(const TEXTMETRICA& metrics)
{
    const BYTE family = metrics.tmPitchAndFamily & 0xF0;
    return family | ((metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) ? VARIABLE_PITCH : FIXED_PITCH);
}

HFONT CreateFontFor(int height, int weight, bool italic, bool underline, bool strikeOut, BYTE charset,
                    BYTE pitchAndFamily, const std::wstring& face)
{
    return CreateFontW(height, 0, 0, 0, weight, italic, underline, strikeOut, charset, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, pitchAndFamily, face.c_str());
}

} // namespace

int FontHeightAtDpi(int pointSize, double dpi)
{
    return -static_cast<int>(pointSize * dpi / 72.0 + 0.5);
}

SIZE DialogBaseUnits(int alphabetWidth, int characterHeight)
{
    return {(alphabetWidth / 26 + 1) / 2, characterHeight};
}

int DialogUnitsToPixels(int units, int baseUnit, int perBaseUnit)
{
    return static_cast<int>(units * baseUnit / static_cast<double>(perBaseUnit) + 0.5);
}

bool ScreenIsAt96Dpi()
{
    ScopedWindowDC screen(nullptr);
    return GetDeviceCaps(screen.Get(), LOGPIXELSX) == kReferenceDpi &&
           GetDeviceCaps(screen.Get(), LOGPIXELSY) == kReferenceDpi;
}

CDialogScaler::~CDialogScaler()
{
    Restore();
}

void CDialogScaler::Apply(HINSTANCE instance, HWND dialog, WORD templateId, double referenceDpi, int toParentClient)
{
    if (ScreenIsAt96Dpi())
        return;
    Restore();
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(templateId), RT_DIALOG);
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    DialogTemplate dialogTemplate;
    if (!bytes || !ParseDialogTemplate(bytes, SizeofResource(instance, found), dialogTemplate))
        return;
    ApplyParsed(dialog, dialogTemplate, referenceDpi, toParentClient);
}

void CDialogScaler::ApplyTemplate(HWND dialog, const void* data, size_t size, double referenceDpi, int toParentClient)
{
    if (ScreenIsAt96Dpi())
        return;
    Restore();
    DialogTemplate dialogTemplate;
    if (!ParseDialogTemplate(data, size, dialogTemplate))
        return;
    ApplyParsed(dialog, dialogTemplate, referenceDpi, toParentClient);
}

void CDialogScaler::ApplyParsed(HWND dialog, const DialogTemplate& t, double referenceDpi, int toParentClient)
{
    if (!IsWindow(dialog))
        return;
    const DialogTemplateFont font = FontOfTemplate(t);
    const int height = FontHeightAtDpi(font.pointSize, referenceDpi);
    m_window = dialog;
    for (const DialogTemplateItem& item : t.items)
        m_controlIds.push_back(item.id);
    m_scaledFont.Reset(CreateFontFor(height, font.weight, font.italic, false, false, DEFAULT_CHARSET,
                                     DEFAULT_PITCH | FF_DONTCARE, font.faceName));
    m_initialFont = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    SendMessageW(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(m_scaledFont.Get()), TRUE);
    const SIZE units = MeasureBaseUnits(dialog, m_scaledFont.Get());

    RECT frame = {};
    GetClientRect(dialog, &frame);
    frame.right = frame.left + DialogUnitsToPixels(t.cx, units.cx, 4);
    frame.bottom = frame.top + DialogUnitsToPixels(t.cy, units.cy, 8);
    MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&frame), 2);
    if (toParentClient == 1)
        MapWindowPoints(nullptr, GetParent(dialog), reinterpret_cast<POINT*>(&frame), 2);
    AdjustWindowRectEx(&frame, t.style, t.menu.present, t.exStyle);
    // Not activated: a notification must not take the keyboard from the user's application.
    SetWindowPos(dialog, nullptr, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                 kSizeFlags | SWP_NOACTIVATE);

    for (const DialogTemplateItem& item : t.items)
    {
        HWND control = GetDlgItem(dialog, static_cast<int>(item.id));
        if (!control)
            break;
        if (!m_excluded.count(item.id))
            SetWindowPos(control, nullptr, DialogUnitsToPixels(item.x, units.cx, 4),
                         DialogUnitsToPixels(item.y, units.cy, 8), DialogUnitsToPixels(item.cx, units.cx, 4),
                         DialogUnitsToPixels(item.cy, units.cy, 8), kSizeFlags);
        if (m_fonts.count(item.id))
            continue;
        const TEXTMETRICA metrics = MetricsOf(control, m_scaledFont.Get());
        ScopedFont controlFont(CreateFontFor(height, metrics.tmWeight, metrics.tmItalic != 0,
                                                    metrics.tmUnderlined != 0, metrics.tmStruckOut != 0,
                                                    metrics.tmCharSet, PitchAndFamilyOf(metrics), font.faceName));
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(controlFont.Get()), TRUE);
        m_fonts.emplace(item.id, std::move(controlFont));
    }
}

void CDialogScaler::Restore()
{
    if (!m_window)
        return;
    if (IsWindow(m_window))
    {
        SendMessageW(m_window, WM_SETFONT, reinterpret_cast<WPARAM>(m_initialFont), TRUE);
        for (UINT id : m_controlIds)
            if (HWND control = GetDlgItem(m_window, static_cast<int>(id)))
                SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_initialFont), TRUE);
    }
    m_fonts.clear();
    m_scaledFont.Reset();
    m_window = nullptr;
    m_initialFont = nullptr;
    m_controlIds.clear();
}

void CDialogScaler::ExcludeControl(UINT controlId)
{
    m_excluded.insert(controlId);
}

HFONT CDialogScaler::ControlFont(UINT controlId) const
{
    auto found = m_fonts.find(controlId);
    return found == m_fonts.end() ? nullptr : found->second.Get();
}
