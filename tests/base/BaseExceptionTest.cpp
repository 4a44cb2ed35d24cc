#include <gtest/gtest.h>

#include "base/BaseException.h"
#include "base/MessageConstants.h"
#include "base/OSErrorText.h"

TEST(BaseException, PlainMessagePrintsFileAndLine)
{
    const BaseException e(L".\\X", 7, L"m", BaseException::NoErrorCode);
    EXPECT_EQ(e.GetFullMessage(), L"Exception on File = (.\\X), line = (7): m");
    EXPECT_EQ(e.GetErrorCode(), 0xFFFFFFFFu);
    EXPECT_EQ(e.GetLine(), 7u);
    EXPECT_EQ(e.GetFile(), L".\\X");
}

TEST(BaseException, FunctionChainReplacesTheFilePrefix)
{
    BaseException e(L".\\X", 7, L"m", BaseException::NoErrorCode);
    e.AddFunction(true, L"%s", L"F()");
    EXPECT_EQ(e.GetFullMessage(), L"F() - m");
    e.AddFunction(true, L"G() / ");
    EXPECT_EQ(e.GetFullMessage(), L"G() / F() - m");
    e.AddFunction(false, L" / %s", L"H()");
    EXPECT_EQ(e.GetFullMessage(), L"G() / F() / H() - m");
}

TEST(BaseException, AddMessagePrependsOrAppends)
{
    BaseException e(L".\\X", 1, L"m", 5);
    e.AddMessage(false, L"%s", L"x");
    EXPECT_EQ(e.GetMessage(), L"mx");
    e.AddMessage(true, L"%d:", 3);
    EXPECT_EQ(e.GetMessage(), L"3:mx");
}

TEST(BaseException, BadFormatsDegradeToFixedTexts)
{
    BaseException e(L".\\X", 1, L"m", 5);
    e.AddMessage(true, nullptr);
    EXPECT_EQ(e.GetMessage(), L"Invalid message formatm");
    e.AddMessage(false, nullptr);
    EXPECT_EQ(e.GetMessage(), L"Invalid message formatm, Invalid message format description was added");
    e.AddFunction(false, L"F()");
    e.AddFunction(true, nullptr);
    EXPECT_EQ(e.GetFullMessage().substr(0, 25), L"Invalid message formatF()");
    e.AddFunction(false, nullptr);
    EXPECT_EQ(e.GetFullMessage(), L"BaseException::AddFunction() - Invalid message format. () - " + e.GetMessage());

    const BaseException formatted(L".\\Y", 12, 3, L"F()", nullptr);
    EXPECT_EQ(formatted.GetMessage(), L"Invalid message format. file = (.\\Y), line = 12");
}

TEST(BaseException, StructuredMessageCarriesKeyFunctionAndSystemText)
{
    const BaseException e(L".\\path", 40, ERROR_ACCESS_DENIED, L"CPath::CreateDirectoryEx()", MessageFormat::Fields3,
                          MessageKey::FWFuncFailed, L"CreateDirectory", GetOSErrorText(ERROR_ACCESS_DENIED).c_str());
    EXPECT_EQ(e.GetErrorCode(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(e.GetFullMessage(), L"CPath::CreateDirectoryEx() - FWFuncFailed##CreateDirectory##" +
                                      GetOSErrorText(ERROR_ACCESS_DENIED));
}

TEST(BaseException, CopiesAllFields)
{
    BaseException original(L".\\X", 9, L"m", 4);
    original.AddFunction(true, L"F()");
    BaseException copy(original);
    BaseException assigned(L".\\Z", 1, L"z", 1);
    assigned = original;
    for (const BaseException* e : {&copy, &assigned})
    {
        EXPECT_EQ(e->GetFullMessage(), L"F() - m");
        EXPECT_EQ(e->GetFile(), L".\\X");
        EXPECT_EQ(e->GetLine(), 9u);
        EXPECT_EQ(e->GetErrorCode(), 4u);
    }
}

TEST(OSErrorText, FirstLineOfTheSystemText)
{
    const stdstr text = GetOSErrorText(ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(text.rfind(L"Windows OS Error: ", 0), 0u) << text.c_str();
    EXPECT_GT(text.size(), 18u);
    EXPECT_EQ(text.find_first_of(L"\r\n"), stdstr::npos) << text.c_str();
}

TEST(OSErrorText, UnknownCodeIsItsDecimalNumber)
{
    EXPECT_EQ(GetOSErrorText(0x2FFFFFFF), L"805306367");
}

TEST(OSErrorText, LastErrorVariantReadsGetLastError)
{
    SetLastError(ERROR_ACCESS_DENIED);
    EXPECT_EQ(GetLastOSErrorText(), GetOSErrorText(ERROR_ACCESS_DENIED));
}
