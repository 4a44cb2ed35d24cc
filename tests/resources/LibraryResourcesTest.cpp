// The resources as the built library carries them: read back from XJNTrayNotifications.dll.
#include "jnCommonGUI/DialogTemplate.h"
#include "jnCommonGUI/DibInfo.h"
#include "notifications/GUIObjects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

class Library : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_module = LoadLibraryExW(L"XJNTrayNotifications.dll", nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    }
    static void TearDownTestSuite()
    {
        if (s_module)
            FreeLibrary(s_module);
        s_module = nullptr;
    }
    void SetUp() override { ASSERT_NE(s_module, nullptr); }

    static std::vector<BYTE> Resource(const wchar_t* type, WORD id)
    {
        HRSRC found = FindResourceW(s_module, MAKEINTRESOURCEW(id), type);
        if (!found)
            return {};
        const BYTE* bytes = static_cast<const BYTE*>(LockResource(LoadResource(s_module, found)));
        return std::vector<BYTE>(bytes, bytes + SizeofResource(s_module, found));
    }

    static HMODULE s_module;
};

HMODULE Library::s_module = nullptr;

struct ItemRow
{
    DWORD id;
    WORD windowClass;  // BUTTON 0x80, EDIT 0x81, STATIC 0x82
    DWORD style;
    short x, y, cx, cy;
};

constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kCloseButton = kButton | BS_FLAT;
constexpr DWORD kStatic = WS_CHILD | WS_VISIBLE | WS_GROUP;
constexpr DWORD kCentred = kStatic | SS_CENTERIMAGE;

const std::vector<ItemRow> kShutdownWarning = {
    {1382, 0x80, kButton, 85, 140, 65, 18},
    {1347, 0x82, WS_CHILD | WS_GROUP, 9, 119, 148, 11},
    {1383, 0x82, kCentred, 37, 25, 121, 14},
    {1384, 0x82, kStatic, 8, 48, 149, 18},
    {1208, 0x81, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY, 8, 67, 149, 47},
    {1381, 0x80, kButton, 12, 140, 65, 18},
    {1385, 0x82, kCentred, 5, 6, 121, 9},
};
const std::vector<ItemRow> kLogonDetect = {
    {1095, 0x80, kCloseButton, 143, 3, 12, 10}, {1382, 0x80, kButton, 85, 140, 65, 18},
    {1383, 0x82, kCentred, 37, 25, 121, 14},    {1384, 0x82, kStatic, 8, 48, 149, 25},
    {1381, 0x80, kButton, 12, 140, 65, 18},     {1014, 0x82, kStatic, 4, 77, 152, 51},
    {1208, 0x82, kCentred, 5, 6, 121, 9},
};
const std::vector<ItemRow> kShutdownAfterTasks = {
    {1095, 0x80, kCloseButton, 143, 3, 12, 10},
    {1382, 0x80, kButton, 85, 140, 65, 18},
    {1383, 0x82, kCentred, 37, 25, 121, 14},
    {1384, 0x82, kStatic, 8, 48, 149, 25},
    {1381, 0x80, kButton, 12, 140, 65, 18},
    {1001, 0x82, WS_CHILD | WS_VISIBLE | SS_BITMAP, 51, 74, 15, 13},
    {1208, 0x82, kCentred, 5, 6, 121, 9},
};

TEST_F(Library, DialogTemplatesAreAsSpecifiedItemForItem)
{
    struct Case
    {
        WORD id;
        const std::vector<ItemRow>* items;
    };
    for (const Case& c : {Case{666, &kShutdownWarning}, Case{667, &kLogonDetect}, Case{668, &kShutdownAfterTasks}})
    {
        SCOPED_TRACE(c.id);
        const std::vector<BYTE> bytes = Resource(RT_DIALOG, c.id);
        DialogTemplate t;
        ASSERT_TRUE(ParseDialogTemplate(bytes.data(), bytes.size(), t));
        EXPECT_TRUE(t.extended);
        EXPECT_EQ(t.style, 0x80000840u);
        EXPECT_EQ(t.exStyle, static_cast<DWORD>(WS_EX_TOPMOST));
        EXPECT_EQ(t.cx, 180);
        EXPECT_EQ(t.cy, 194);
        EXPECT_FALSE(t.menu.present);
        EXPECT_EQ(t.pointSize, 8);
        EXPECT_EQ(t.weight, 400);
        EXPECT_EQ(t.italic, 0);
        EXPECT_EQ(t.charset, 204);
        EXPECT_EQ(t.faceName, L"Microsoft Sans Serif");
        ASSERT_EQ(t.items.size(), c.items->size());
        for (size_t i = 0; i < t.items.size(); ++i)
        {
            const DialogTemplateItem& got = t.items[i];
            const ItemRow& want = (*c.items)[i];
            SCOPED_TRACE(want.id);
            EXPECT_EQ(got.id, want.id);
            EXPECT_EQ(got.windowClass.ordinal, want.windowClass);
            EXPECT_EQ(got.style, want.style);
            EXPECT_EQ(got.exStyle, 0u);
            EXPECT_EQ(got.x, want.x);
            EXPECT_EQ(got.y, want.y);
            EXPECT_EQ(got.cx, want.cx);
            EXPECT_EQ(got.cy, want.cy);
        }
    }
}

// The information link's own text, which its label replaces at start-up.
TEST_F(Library, TheInformationLinkCarriesItsTemplateText)
{
    const std::vector<BYTE> bytes = Resource(RT_DIALOG, 666);
    DialogTemplate t;
    ASSERT_TRUE(ParseDialogTemplate(bytes.data(), bytes.size(), t));
    const auto link = std::find_if(t.items.begin(), t.items.end(), [](const DialogTemplateItem& item) {
        return item.id == 1347;
    });
    ASSERT_NE(link, t.items.end());
    EXPECT_EQ(link->title.ordinal, 0);
    EXPECT_EQ(link->title.text, L"#Click here for more information");
}

BITMAPINFOHEADER Header(const std::vector<BYTE>& bytes)
{
    BITMAPINFOHEADER header = {};
    if (bytes.size() >= sizeof(header))
        std::memcpy(&header, bytes.data(), sizeof(header));
    return header;
}

TEST_F(Library, BitmapsHaveTheirSizesAndDepths)
{
    struct Case
    {
        WORD id;
        LONG width, height;
        WORD bits;
    };
    const Case cases[] = {{279, 242, 274, 32}, {281, 127, 150, 24}, {282, 39, 51, 24}, {286, 18, 105, 32}, {342, 2, 22, 24}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.id);
        const BITMAPINFOHEADER header = Header(Resource(RT_BITMAP, c.id));
        EXPECT_EQ(header.biWidth, c.width);
        EXPECT_EQ(header.biHeight, c.height);
        EXPECT_EQ(header.biBitCount, c.bits);
        EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    }
}

#pragma pack(push, 2)
struct GroupIconEntry
{
    BYTE width, height, colours, reserved;
    WORD planes, bits;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

std::vector<GroupIconEntry> Entries(const std::vector<BYTE>& group)
{
    std::vector<GroupIconEntry> entries;
    if (group.size() < 6)
        return entries;
    WORD count = 0;
    std::memcpy(&count, group.data() + 4, sizeof(count));
    for (WORD i = 0; i < count && 6 + (i + 1) * sizeof(GroupIconEntry) <= group.size(); ++i)
    {
        GroupIconEntry entry;
        std::memcpy(&entry, group.data() + 6 + i * sizeof(GroupIconEntry), sizeof(entry));
        entries.push_back(entry);
    }
    return entries;
}

TEST_F(Library, TheCountdownFramesAreSingle85By84Images)
{
    for (WORD id = 213; id <= 235; ++id)
    {
        SCOPED_TRACE(id);
        const std::vector<GroupIconEntry> entries = Entries(Resource(RT_GROUP_ICON, id));
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(entries[0].width, 85);
        EXPECT_EQ(entries[0].height, 84);
        EXPECT_EQ(entries[0].bits, 32);
        const BITMAPINFOHEADER image = Header(Resource(RT_ICON, entries[0].id));
        EXPECT_EQ(image.biWidth, 85);
        EXPECT_EQ(image.biHeight, 2 * 84);
        EXPECT_EQ(image.biBitCount, 32);
    }
}

TEST_F(Library, TheInformationIconsHaveASmallImage)
{
    for (WORD id : {238, 343})
    {
        SCOPED_TRACE(id);
        const std::vector<GroupIconEntry> entries = Entries(Resource(RT_GROUP_ICON, id));
        ASSERT_FALSE(entries.empty());
        bool small = false;
        for (const GroupIconEntry& e : entries)
            small = small || (e.width == 16 && e.height == 16);
        EXPECT_TRUE(small);
    }
}

// Pixels of a bitmap resource as a top-down 32-bit picture.
class Pixels
{
public:
    Pixels(HMODULE module, WORD id)
    {
        HBITMAP bitmap = static_cast<HBITMAP>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        BITMAP info = {};
        GetObjectW(bitmap, sizeof(info), &info);
        width = info.bmWidth;
        height = info.bmHeight;
        BITMAPINFO format = DibInfo(width, -height, 32);
        m_bits.resize(static_cast<size_t>(width) * height);
        HDC screen = GetDC(nullptr);
        GetDIBits(screen, bitmap, 0, height, m_bits.data(), &format, DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
        DeleteObject(bitmap);
    }
    COLORREF At(int x, int y) const
    {
        const DWORD p = m_bits[static_cast<size_t>(y) * width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    LONG width = 0, height = 0;

private:
    std::vector<DWORD> m_bits;
};

constexpr COLORREF kMagenta = RGB(255, 0, 255);

TEST_F(Library, ButtonFramesAreCutAtTheirCornersOnly)
{
    struct Case
    {
        WORD id;
        int frameWidth, frameHeight, frames;
    };
    for (const Case& c : {Case{286, 18, 21, 5}, Case{282, 39, 17, 3}})
    {
        const Pixels strip(s_module, c.id);
        ASSERT_EQ(strip.height, c.frameHeight * c.frames);
        for (int f = 0; f < c.frames; ++f)
        {
            SCOPED_TRACE(std::to_string(c.id) + " frame " + std::to_string(f));
            const int top = f * c.frameHeight, bottom = top + c.frameHeight - 1, right = c.frameWidth - 1;
            for (POINT corner : {POINT{0, top}, POINT{right, top}, POINT{0, bottom}, POINT{right, bottom}})
                EXPECT_EQ(strip.At(corner.x, corner.y), kMagenta) << corner.x << "," << corner.y;
            EXPECT_NE(strip.At(c.frameWidth / 2, top + c.frameHeight / 2), kMagenta);
            EXPECT_NE(strip.At(c.frameWidth / 2, top), kMagenta) << "the top edge belongs to the button";
            EXPECT_NE(strip.At(0, top + c.frameHeight / 2), kMagenta) << "the left edge belongs to the button";
        }
    }
}

TEST_F(Library, EveryButtonStateLooksDifferent)
{
    const Pixels strip(s_module, 286);
    ASSERT_EQ(strip.height, 105);
    for (int a = 0; a < 5; ++a)
        for (int b = a + 1; b < 5; ++b)
        {
            int differing = 0;
            for (int y = 0; y < 21; ++y)
                for (int x = 0; x < 18; ++x)
                    differing += strip.At(x, a * 21 + y) != strip.At(x, b * 21 + y);
            EXPECT_GT(differing, 18 * 21 / 4) << "states " << a << " and " << b;
        }
}

TEST_F(Library, TheSharedObjectsAreBuiltFromTheseResources)
{
    struct Case
    {
        const char* name;
        HBITMAP bitmap;
        LONG width, height;
    };
    const Case cases[] = {{"button strip", GUIObjects().GetButtonStrip(), 18, 105},
                          {"281", GUIObjects().GetEmblem(), 127, 150},
                          {"close strip", GUIObjects().GetCloseButtonStrip(), 39, 51},
                          {"342", GUIObjects().GetCaptionSeparator(), 2, 22}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        BITMAP info = {};
        ASSERT_TRUE(GetObjectW(c.bitmap, sizeof(info), &info));
        EXPECT_EQ(info.bmWidth, c.width);
        EXPECT_EQ(info.bmHeight, c.height);
    }
    ICONINFO icon = {};
    ASSERT_TRUE(GetIconInfo(GUIObjects().GetSmallInfoIcon(), &icon));
    BITMAP mask = {};
    GetObjectW(icon.hbmMask, sizeof(mask), &mask);
    EXPECT_EQ(mask.bmWidth, 16);
    DeleteObject(icon.hbmColor);
    DeleteObject(icon.hbmMask);
}

} // namespace
