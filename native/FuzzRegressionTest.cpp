// Replays every seed and every kept finding of the fuzz targets under the sanitizers.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "FuzzTargets.h"

namespace {

using Target = void (*)(const std::uint8_t*, std::size_t);

void Replay(const char* name, Target target)
{
    size_t replayed = 0;
    for (const char* kind : {"corpus", "regressions"})
    {
        const std::filesystem::path folder = std::filesystem::path(XJN_FUZZ_CORPORA) / kind / name;
        if (!std::filesystem::is_directory(folder))
            continue;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
        {
            std::ifstream file(entry.path(), std::ios::binary);
            const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
            SCOPED_TRACE(entry.path().string());
            target(bytes.data(), bytes.size());
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0u) << name << ": no seed";
}

} // namespace

TEST(FuzzRegressions, LanguageText) { Replay("LanguageText", FuzzLanguageText); }
TEST(FuzzRegressions, LanguageFileCheck) { Replay("LanguageFileCheck", FuzzLanguageFileCheck); }
TEST(FuzzRegressions, DialogTemplate) { Replay("DialogTemplate", FuzzDialogTemplate); }
TEST(FuzzRegressions, StoredTaskbarSettings) { Replay("StoredTaskbarSettings", FuzzStoredTaskbarSettings); }
TEST(FuzzRegressions, KeyRuns) { Replay("KeyRuns", FuzzKeyRuns); }
TEST(FuzzRegressions, PathText) { Replay("PathText", FuzzPathText); }
