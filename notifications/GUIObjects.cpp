#include "notifications/GUIObjects.h"

#include "jnCommonGUI/ButtonStates.h"
#include "res/resource.h"
#include "winframe/ModuleInstance.h"

namespace {

HFONT MakeFont(int height, int weight, const wchar_t* face, bool underline = false)
{
    return CreateFontW(height, 0, 0, 0, weight, FALSE, underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       face);
}

HBITMAP LoadBitmapResource(int id)
{
    return static_cast<HBITMAP>(LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0));
}

} // namespace

CGUIObjects::CGUIObjects()
    : m_arial14Bold(MakeFont(14, FW_BOLD, L"Arial")),
      m_arial14(MakeFont(14, 0, L"Arial")),
      m_arial15Bold(MakeFont(15, FW_BOLD, L"Arial")),
      m_arial16Bold(MakeFont(16, FW_BOLD, L"Arial")),
      m_arial18Bold(MakeFont(18, FW_BOLD, L"Arial")),
      m_arial22(MakeFont(22, 0, L"Arial")),
      m_tahoma11(MakeFont(11, 0, L"Tahoma")),
      m_tahoma13(MakeFont(13, 0, L"Tahoma")),
      m_tahoma13Bold(MakeFont(13, FW_BOLD, L"Tahoma")),
      m_tahoma13Underline(MakeFont(13, 0, L"Tahoma", true)),
      m_whiteBrush(CreateSolidBrush(0xFFFFFF)),
      m_buttonStrip(LoadBitmapResource(IDB_BUTTON_STRIP)),
      m_emblem(LoadBitmapResource(IDB_EMBLEM)),
      m_closeButtonStrip(LoadBitmapResource(IDB_CLOSE_BUTTON_STRIP)),
      m_captionSeparator(LoadBitmapResource(IDB_SEPARATOR)),
      m_smallInfoIcon(static_cast<HICON>(
          LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(IDI_INFO_SMALL), IMAGE_ICON, 16, 16, 0)))
{
}

CGUIObjects::~CGUIObjects() = default;

COLORREF CGUIObjects::GetButtonTextColour(int stateIndex) const
{
    return kButtonCaptionColours[stateIndex >= 0 && stateIndex < kButtonStateCount ? stateIndex : 0];
}

namespace {
// Built while the library loads, before any export runs, so pop-ups on any thread only read it.
CGUIObjects g_guiObjects;
} // namespace

CGUIObjects& GUIObjects()
{
    return g_guiObjects;
}
