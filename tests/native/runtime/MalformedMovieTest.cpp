// Damaged files give an error, or play; they never crash or hang.

#include "RuntimeFixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

using namespace quorlin;
using namespace quorlin::runtime;
using namespace quorlin::runtime::test;

namespace {

std::vector<uint8_t> UncompressedClock() {
    std::ifstream in(std::string(QUORLIN_MOVIE_DIR) + "/clock.swf", std::ios::binary);
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (bytes.empty()) return bytes;
    swf::TMovie movie = swf::ReadMovie(bytes);
    movie.Compressed = false;
    return swf::WriteMovie(movie);
}

// Loads and plays a few frames; false when loading reported an error.
bool LoadAndPlay(const std::vector<uint8_t>& bytes) {
    std::shared_ptr<const TMovie> movie;
    try {
        movie = TMovie::Load(bytes);
    } catch (const std::exception& e) {
        EXPECT_STRNE(e.what(), "");
        return false;
    }
    TRun run(movie);
    run.Player.SetFlashVars("freeze_time=1:2:3");
    for (int i = 0; i < 3; ++i) run.Player.Tick();
    return true;
}

}  // namespace

TEST(MalformedMovie, RandomBytesAndTruncationsAreErrors) {
    std::mt19937 random(7);
    for (int i = 0; i < 50; ++i) {
        std::vector<uint8_t> bytes(size_t(random() % 200));
        for (auto& b : bytes) b = uint8_t(random());
        EXPECT_FALSE(LoadAndPlay(bytes));
    }
    const auto clock = UncompressedClock();
    ASSERT_FALSE(clock.empty());
    for (size_t length : {size_t(0), size_t(8), size_t(30), clock.size() / 2, clock.size() - 1})
        EXPECT_FALSE(LoadAndPlay({clock.begin(), clock.begin() + std::ptrdiff_t(length)})) << length;
}

TEST(MalformedMovie, DamagedTagsAreErrorsOrPlay) {
    const auto clock = UncompressedClock();
    ASSERT_FALSE(clock.empty());
    std::mt19937 random(11);
    int played = 0, rejected = 0;
    for (int i = 0; i < 300; ++i) {
        auto bytes = clock;
        for (int k = 0; k < 3; ++k) bytes[8 + random() % (bytes.size() - 8)] ^= uint8_t(1 + random() % 255);
        LoadAndPlay(bytes) ? ++played : ++rejected;
    }
    EXPECT_GT(played + rejected, 0);
}
