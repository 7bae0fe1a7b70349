#include "saver/shell/ScrnInput.h"

#include <gtest/gtest.h>

using namespace quorlin;

namespace {

constexpr TScreenPoint kStart{500, 300};

}  // namespace

TEST(ScrnInput, PressesAndActivationEndTheSaverWhereverTheCursorIs) {
    for (uint32_t message : {0x0002u, 0x0006u, 0x001Cu, 0x0086u, 0x0100u, 0x0104u, 0x0201u, 0x0203u, 0x0204u,
                             0x0206u, 0x0207u, 0x0209u}) {
        EXPECT_EQ(CloseVerdict(message, kStart, kStart), std::optional<bool>(true)) << std::hex << message;
    }
}

TEST(ScrnInput, ReleasesCharactersWheelAndExtraButtonsLeaveTheMessageAlone) {
    // Key up, char, sys key up, sys char, button ups, wheel, extra buttons down/up/double, horizontal wheel.
    for (uint32_t message : {0x0101u, 0x0102u, 0x0105u, 0x0106u, 0x0202u, 0x0205u, 0x0208u, 0x020Au, 0x020Bu,
                             0x020Cu, 0x020Du, 0x020Eu, 0x0113u, 0x000Fu}) {
        EXPECT_EQ(CloseVerdict(message, {0, 0}, kStart), std::nullopt) << std::hex << message;
    }
}

TEST(ScrnInput, MouseMovesCountFromTheStartOnEachAxisAlone) {
    struct TCase {
        int dx, dy;
        bool closes;
    } cases[] = {
        {0, 0, false},  {10, 10, false}, {-10, -10, false}, {10, -10, false}, {11, 0, true},
        {0, 11, true},  {-11, 0, true},  {0, -11, true},    {11, 11, true},   {-10, 11, true},
    };
    for (const TCase& c : cases) {
        const TScreenPoint cursor{kStart.X + c.dx, kStart.Y + c.dy};
        EXPECT_EQ(CloseVerdict(0x0200, cursor, kStart), std::optional<bool>(c.closes)) << c.dx << "," << c.dy;
    }
}

TEST(ScrnInput, FarApartCoordinatesDoNotOverflow) {
    EXPECT_EQ(CloseVerdict(0x0200, {INT32_MIN, 0}, {INT32_MAX, 0}), std::optional<bool>(true));
    EXPECT_EQ(CloseVerdict(0x0200, {INT32_MAX, INT32_MAX}, {INT32_MAX, INT32_MAX}), std::optional<bool>(false));
}
