#include "notifications/GUIObjects.h"

#include "winframe/ModuleInstance.h"

#include <initializer_list>

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

template <class Handle>
void DeleteGdiObject(Handle& handle)
{
    if (handle)
        DeleteObject(handle);
    handle = nullptr;
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
      m_buttonStrip(LoadBitmapResource(286)),
      m_bitmap281(LoadBitmapResource(281)),
      m_closeButtonStrip(LoadBitmapResource(282)),
      m_bitmap342(LoadBitmapResource(342)),
      m_icon343(static_cast<HICON>(LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(343), IMAGE_ICON, 16, 16, 0)))
{
}

CGUIObjects::~CGUIObjects()
{
    for (HFONT* font : {&m_arial14Bold, &m_arial14, &m_arial15Bold, &m_arial16Bold, &m_arial18Bold, &m_arial22,
                        &m_tahoma11, &m_tahoma13, &m_tahoma13Bold, &m_tahoma13Underline})
        DeleteGdiObject(*font);
    DeleteGdiObject(m_whiteBrush);
    for (HBITMAP* bitmap : {&m_buttonStrip, &m_bitmap281, &m_closeButtonStrip, &m_bitmap342})
        DeleteGdiObject(*bitmap);
    if (m_icon343)
        DestroyIcon(m_icon343);
}

COLORREF CGUIObjects::GetButtonTextColour(int stateIndex) const
{
    return stateIndex >= 0 && stateIndex < 5 ? m_buttonTextColours[stateIndex] : m_buttonTextColours[0];
}

namespace {
// Built while the library loads, before any export runs, so pop-ups on any thread only read it.
CGUIObjects g_guiObjects;
} // namespace

CGUIObjects& GUIObjects()
{
    return g_guiObjects;
}
