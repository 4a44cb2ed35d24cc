#include "jnCommonGUI/DialogTemplate.h"
#include "res/resource.h"
#include "support/TemplateBuilder.h"
#include "winframe/ModuleInstance.h"

#include <gtest/gtest.h>

namespace {

using testsupport::TemplateBuilder;
using Item = TemplateBuilder::Item;

Item MakeItem(DWORD id, TemplateBuilder::Name windowClass, short x, short y, short cx, short cy,
              DWORD style = WS_CHILD | WS_VISIBLE)
{
    Item item;
    item.id = id;
    item.windowClass = windowClass;
    item.x = x, item.y = y, item.cx = cx, item.cy = cy;
    item.style = style;
    return item;
}

TEST(DialogTemplate, ReadsAnExtendedTemplateWithEveryKindOfField)
{
    Item odd = MakeItem(70000, L"SysListView32", -3, 4, 50, 60, WS_CHILD | WS_BORDER);
    odd.title = TemplateBuilder::Name(WORD(213));
    odd.exStyle = WS_EX_CLIENTEDGE;
    odd.helpId = 99;
    odd.extra = {1, 2, 3};  // odd length: the next item must still start on a 4-byte boundary
    const std::vector<BYTE> bytes = TemplateBuilder(true, DS_SETFONT | WS_POPUP | WS_CAPTION, 180, 194)
                                        .ExStyle(WS_EX_TOPMOST)
                                        .Position(7, 9)
                                        .Menu(L"MAINMENU")
                                        .Class(WORD(0x8002))
                                        .Title(L"Lumeris")
                                        .Font(9, L"Segoe Print", 700, 1, 204)
                                        .Add(odd)
                                        .Add(MakeItem(1382, WORD(0x0080), 85, 140, 65, 18))
                                        .Build();
    DialogTemplate t;
    ASSERT_TRUE(ParseDialogTemplate(bytes.data(), bytes.size(), t));
    EXPECT_TRUE(t.extended);
    EXPECT_EQ(t.style, static_cast<DWORD>(DS_SETFONT | WS_POPUP | WS_CAPTION));
    EXPECT_EQ(t.exStyle, static_cast<DWORD>(WS_EX_TOPMOST));
    EXPECT_EQ(t.x, 7);
    EXPECT_EQ(t.y, 9);
    EXPECT_EQ(t.cx, 180);
    EXPECT_EQ(t.cy, 194);
    EXPECT_TRUE(t.menu.present);
    EXPECT_EQ(t.menu.text, L"MAINMENU");
    EXPECT_EQ(t.windowClass.ordinal, 0x8002);
    EXPECT_EQ(t.title, L"Lumeris");
    EXPECT_EQ(t.pointSize, 9);
    EXPECT_EQ(t.weight, 700);
    EXPECT_EQ(t.italic, 1);
    EXPECT_EQ(t.charset, 204);
    EXPECT_EQ(t.faceName, L"Segoe Print");
    ASSERT_EQ(t.items.size(), 2u);
    EXPECT_EQ(t.items[0].id, 70000u);
    EXPECT_EQ(t.items[0].helpId, 99u);
    EXPECT_EQ(t.items[0].exStyle, static_cast<DWORD>(WS_EX_CLIENTEDGE));
    EXPECT_EQ(t.items[0].windowClass.text, L"SysListView32");
    EXPECT_EQ(t.items[0].title.ordinal, 213);
    EXPECT_EQ(t.items[0].x, -3);
    EXPECT_EQ(t.items[1].id, 1382u);
    EXPECT_EQ(t.items[1].windowClass.ordinal, 0x80);
    EXPECT_EQ(t.items[1].cx, 65);

    const DialogTemplateFont font = FontOfTemplate(t);
    EXPECT_EQ(font.pointSize, 9);
    EXPECT_EQ(font.weight, 700);
    EXPECT_TRUE(font.italic);
    EXPECT_EQ(font.faceName, L"Segoe Print");
}

TEST(DialogTemplate, ReadsAPlainTemplate)
{
    Item withData = MakeItem(1001, WORD(0x0082), 1, 2, 3, 4);
    withData.extra = {9, 9, 9, 9, 9};
    const std::vector<BYTE> bytes = TemplateBuilder(false, DS_SETFONT | WS_POPUP, 100, 50)
                                        .Font(10, L"Arial")
                                        .Add(withData)
                                        .Add(MakeItem(1002, L"Edit", 5, 6, 7, 8))
                                        .Build();
    DialogTemplate t;
    ASSERT_TRUE(ParseDialogTemplate(bytes.data(), bytes.size(), t));
    EXPECT_FALSE(t.extended);
    EXPECT_FALSE(t.menu.present);
    EXPECT_EQ(t.pointSize, 10);
    EXPECT_EQ(t.faceName, L"Arial");
    ASSERT_EQ(t.items.size(), 2u);
    EXPECT_EQ(t.items[0].id, 1001u);
    EXPECT_EQ(t.items[1].id, 1002u);
    EXPECT_EQ(t.items[1].windowClass.text, L"Edit");
    EXPECT_EQ(t.items[1].y, 6);

    const DialogTemplateFont font = FontOfTemplate(t);
    EXPECT_EQ(font.pointSize, 10);
    EXPECT_EQ(font.weight, 0) << "a plain template carries no weight";
    EXPECT_FALSE(font.italic);
}

TEST(DialogTemplate, WithoutTheSetFontBitTheFontIsEightPointTahoma)
{
    for (bool extended : {false, true})
    {
        SCOPED_TRACE(extended);
        const std::vector<BYTE> bytes = TemplateBuilder(extended, WS_POPUP, 100, 50)
                                            .Font(12, L"Courier New")  // not written without DS_SETFONT
                                            .Add(MakeItem(5, WORD(0x80), 0, 0, 10, 10))
                                            .Build();
        DialogTemplate t;
        ASSERT_TRUE(ParseDialogTemplate(bytes.data(), bytes.size(), t));
        EXPECT_FALSE(t.hasFont);
        ASSERT_EQ(t.items.size(), 1u);
        EXPECT_EQ(t.items[0].id, 5u);
        const DialogTemplateFont font = FontOfTemplate(t);
        EXPECT_EQ(font.pointSize, 8);
        EXPECT_EQ(font.weight, 400);
        EXPECT_FALSE(font.italic);
        EXPECT_EQ(font.faceName, L"Tahoma");
    }
}

TEST(DialogTemplate, ANegativePointSizeIsTakenAsItsNegation)
{
    struct Case
    {
        WORD stored;
        int used;
    };
    for (const Case& c : {Case{0xFFF8, 8}, Case{0x8000, 32768}, Case{32767, 32767}, Case{0, 0}})
    {
        const std::vector<BYTE> bytes = TemplateBuilder(true, DS_SETFONT, 10, 10).Font(c.stored, L"Arial").Build();
        DialogTemplate t;
        ASSERT_TRUE(ParseDialogTemplate(bytes.data(), bytes.size(), t));
        EXPECT_EQ(FontOfTemplate(t).pointSize, c.used) << c.stored;
    }
}

TEST(DialogTemplate, TruncatedBytesAreRefusedWhereverTheyEnd)
{
    for (bool extended : {false, true})
    {
        const std::vector<BYTE> bytes = TemplateBuilder(extended, DS_SETFONT | WS_POPUP, 100, 50)
                                            .Font(8, L"Microsoft Sans Serif")
                                            .Add(MakeItem(1, L"Button", 0, 0, 10, 10))
                                            .Add(MakeItem(2, WORD(0x82), 0, 0, 10, 10))
                                            .Build();
        DialogTemplate t;
        ASSERT_TRUE(ParseDialogTemplate(bytes.data(), bytes.size(), t));
        for (size_t size = 0; size < bytes.size(); ++size)
            EXPECT_FALSE(ParseDialogTemplate(bytes.data(), size, t)) << "extended " << extended << ", " << size << " bytes";
    }
    DialogTemplate t;
    EXPECT_FALSE(ParseDialogTemplate(nullptr, 100, t));
}

TEST(DialogTemplate, ReadsTheShippedTemplates)
{
    for (WORD id : {IDD_SHUTDOWN_WARNING, IDD_LOGON_DETECT, IDD_SHUTDOWN_AFTER_TASKS})
    {
        SCOPED_TRACE(id);
        HRSRC found = FindResourceW(ModuleInstance(), MAKEINTRESOURCEW(id), RT_DIALOG);
        ASSERT_NE(found, nullptr);
        const void* bytes = LockResource(LoadResource(ModuleInstance(), found));
        DialogTemplate t;
        ASSERT_TRUE(ParseDialogTemplate(bytes, SizeofResource(ModuleInstance(), found), t));
        EXPECT_TRUE(t.extended);
        EXPECT_EQ(t.items.size(), 7u);
        const DialogTemplateFont font = FontOfTemplate(t);
        EXPECT_EQ(font.pointSize, 8);
        EXPECT_EQ(font.weight, 400);
        EXPECT_EQ(font.faceName, L"Microsoft Sans Serif");
    }
}

} // namespace
