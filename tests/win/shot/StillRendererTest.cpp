// The still renderer in a program that carries no MOVIE resource: the failure is the
// resource stream's own, raised before anything is built, and no file is written.

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

#include "saver/forms/Stream.h"
#include "saver/shot/ShotForm.h"
#include "saver/shot/StillRenderer.h"

namespace quorlin {
namespace {

TEST(StillRenderer, AMissingMovieResourceFailsWithTheResourceMessageAndWritesNothing) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "quorlin-no-movie.jpg";
    std::filesystem::remove(file);
    try {
        RenderStill(file.string(), 64, 48, "09:05:25", "noborder");
        FAIL() << "rendered without a movie";
    } catch (const EStreamError& error) {
        EXPECT_STREQ(error.what(), "Resource MOVIE not found");
    }
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_THROW(TShotForm(), EStreamError);
}

}  // namespace
}  // namespace quorlin
