// The shipped English file, as the library's attach step sets it up: for tests that read the
// pop-ups' or the graph's texts in a process of their own.
#pragma once
#include "app/LanguageSetup.h"
#include "lang/Language.h"
#include "res/resource.h"

#include <gtest/gtest.h>

namespace testsupport {

class EnglishTexts : public testing::Environment
{
public:
    void SetUp() override
    {
        Language::SetLanguageFile(HostLanguageDirectory(), L"English", IDR_DEFAULTENGLANG, L"DEFAULTENGLANG", L"");
    }
};

} // namespace testsupport
