#include "Screenshot.h"

#include "winframe/Owners.h"

#include <gdiplus.h>

#include <vector>

namespace {

bool PngEncoder(CLSID& encoder)
{
    UINT count = 0, bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0)
        return false;
    std::vector<BYTE> buffer(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok)
        return false;
    for (UINT i = 0; i < count; ++i)
        if (std::wstring(codecs[i].MimeType) == L"image/png")
        {
            encoder = codecs[i].Clsid;
            return true;
        }
    return false;
}

} // namespace

GdiPlusSession::GdiPlusSession()
{
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&m_token, &input, nullptr) != Gdiplus::Ok)
        m_token = 0;
}

GdiPlusSession::~GdiPlusSession()
{
    if (m_token)
        Gdiplus::GdiplusShutdown(m_token);
}

HBITMAP CaptureScreenArea(const RECT& area)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return nullptr;
    ScopedWindowDC screen(nullptr);
    ScopedMemoryDC memory(screen.Get());
    if (!screen || !memory)
        return nullptr;
    ScopedBitmap picture(CreateCompatibleBitmap(screen.Get(), width, height));
    if (!picture)
        return nullptr;
    {
        ScopedSelection select(memory.Get(), picture.Get());
        if (!BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), area.left, area.top, SRCCOPY))
            return nullptr;
    }
    return picture.Release();
}

bool SaveBitmapPng(HBITMAP bitmap, const std::wstring& path)
{
    CLSID encoder;
    if (!bitmap || !PngEncoder(encoder))
        return false;
    Gdiplus::Bitmap image(bitmap, nullptr);
    return image.GetLastStatus() == Gdiplus::Ok && image.Save(path.c_str(), &encoder, nullptr) == Gdiplus::Ok;
}

bool SaveWindowPng(HWND window, const std::wstring& path)
{
    RECT frame{};
    if (!GetWindowRect(window, &frame))
        return false;
    ScopedBitmap picture(CaptureScreenArea(frame));
    return SaveBitmapPng(picture.Get(), path);
}
