#include "Screenshot.h"

#include <gdiplus.h>

#include <memory>
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

bool SaveWindowPng(HWND window, const std::wstring& path)
{
    RECT frame{};
    if (!GetWindowRect(window, &frame))
        return false;
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, picture);
    const bool copied = BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY) != FALSE;
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    bool saved = false;
    CLSID encoder;
    if (copied && PngEncoder(encoder))
    {
        std::unique_ptr<Gdiplus::Bitmap> bitmap(Gdiplus::Bitmap::FromHBITMAP(picture, nullptr));
        saved = bitmap && bitmap->Save(path.c_str(), &encoder, nullptr) == Gdiplus::Ok;
    }
    DeleteObject(picture);
    return saved;
}
