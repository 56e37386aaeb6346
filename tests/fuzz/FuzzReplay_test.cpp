// Every seed and every input that once made a fuzz target fail, fed to the target's entry again: a fault
// aborts the test program.
#include "fuzz/FuzzTargets.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

namespace {

struct TTarget {
    std::string Name;
    int (*Entry)(const uint8_t*, size_t);
};

void PrintTo(const TTarget& t, std::ostream* os) { *os << t.Name; }

class FuzzReplay : public testing::TestWithParam<TTarget> {};

TEST_P(FuzzReplay, StoredInputsPassTheTarget)
{
    namespace fs = std::filesystem;
    int replayed = 0;
    for (const char* folder : {"corpus", "regressions"}) {
        const fs::path dir = fs::path(QUIBO_FUZZ_DIR) / folder / GetParam().Name;
        if (!fs::is_directory(dir))
            continue;
        for (const auto& entry : fs::directory_iterator(dir)) {
            if (!entry.is_regular_file())
                continue;
            std::ifstream file(entry.path(), std::ios::binary);
            const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
            SCOPED_TRACE(entry.path().string());
            EXPECT_EQ(GetParam().Entry(bytes.data(), bytes.size()), 0);
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0) << "no stored inputs for " << GetParam().Name;
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay,
                         testing::Values(TTarget{"bitmap", FuzzBitmap}, TTarget{"jpeg", FuzzJpeg},
                                         TTarget{"stored_picture", FuzzStoredPicture},
                                         TTarget{"rotated_draw", FuzzRotatedDraw},
                                         TTarget{"net_message", FuzzNetMessage}),
                         [](const auto& test) { return test.param.Name; });

} // namespace
