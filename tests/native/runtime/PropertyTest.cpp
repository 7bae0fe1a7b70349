// Display object properties as scripts read and write them, and the matrix behind them.

#include "RuntimeFixture.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quorlin;
using namespace quorlin::runtime;
using namespace quorlin::runtime::test;
using swf::ActionCode;
using swf::TPushValue;

namespace {

// One script of "path.member = value" writes (numbers, or text when value starts with ')
// followed by traces of "path.member" reads.
swf::TTag Script(const std::vector<std::tuple<std::string, std::string, std::string>>& writes,
                 const std::vector<std::pair<std::string, std::string>>& reads) {
    swf::TActionAssembler a;
    for (const auto& [path, member, value] : writes) {
        a.Push({TPushValue::Str(path)}).Op(ActionCode::GetVariable).Push({TPushValue::Str(member)});
        if (value[0] == '\'')
            a.Push({TPushValue::Str(value.substr(1))});
        else
            a.Push({TPushValue::Dbl(std::stod(value))});
        a.Op(ActionCode::SetMember);
    }
    for (const auto& [path, member] : reads)
        a.Push({TPushValue::Str(path)}).Op(ActionCode::GetVariable).Push({TPushValue::Str(member)})
            .Op(ActionCode::GetMember).Op(ActionCode::Trace);
    a.End();
    return test::Script(a);
}

}  // namespace

TEST(Matrix, DecomposingGivesBackTheParts) {
    const struct {
        double sx, sy, rotation, skew;
    } cases[] = {{1, 1, 0, 0}, {1.25, 0.6, 62.5, 0}, {2, 0.5, -90, 0}, {1, 1, 180, 0}, {3, 2, 45, 10}, {0.1, 4, -135, -20}};
    for (const auto& c : cases) {
        TMatrix m;
        Recompose(m, {c.sx, c.sy, c.rotation, c.skew});
        const TTransformParts p = Decompose(m);
        EXPECT_NEAR(p.ScaleX, c.sx, 1e-12);
        EXPECT_NEAR(p.ScaleY, c.sy, 1e-12);
        EXPECT_NEAR(p.Rotation, c.rotation, 1e-9);
        EXPECT_NEAR(p.Skew, c.skew, 1e-9);
    }
    // The file's convention: clockwise on screen, scale before rotation.
    const TTransformParts p = Decompose(TMatrix::FromSwf(swf::TMatrix::Make(1.25, 0.6, 30, 0, 0)));
    EXPECT_NEAR(p.Rotation, 30, 1e-3);
    EXPECT_NEAR(p.ScaleY, 0.6, 1e-4);
}

TEST(Properties, ScriptsReadAndWriteThemInAFlashPlayersUnits) {
    // A 20 x 20 pixel square inside clip "s", placed at (5, 0) scaled 2.
    TRun run(MakeMovie({Square(1), Sprite(10, 3, {Place(1, 1), Show(), Show(), Show()}),
                        Place(3, 10, "s", swf::TMatrix::Make(2, 2, 0, 100, 0)),
                        Script({{"s", "_x", "10.33"}, {"s", "_rotation", "270"}, {"s", "_alpha", "50"}},
                               {{"s", "_x"}, {"s", "_y"}, {"s", "_rotation"}, {"s", "_xscale"}, {"s", "_alpha"},
                                {"s", "_width"}, {"s", "_currentframe"}, {"s", "_totalframes"}, {"s", "_name"},
                                {"s", "_target"}, {"s", "_visible"}}),
                        Show()}));
    EXPECT_EQ(run.Tick(), (std::vector<std::string>{"10.35", "0", "-90", "200", "50", "40", "1", "3", "s", "/s",
                                                    "true"}));
    TDisplayObject& s = *run.At({3});
    EXPECT_EQ(s.ColorTransform().AlphaMult, 128);
    EXPECT_TRUE(s.ScriptTransformed());

    // Scales and rotation read back as written, whatever order they come in.
    s.SetRotation(30);
    s.SetXScale(150);
    s.SetYScale(-50);
    EXPECT_DOUBLE_EQ(s.Rotation(), 30);
    EXPECT_DOUBLE_EQ(s.XScale(), 150);
    EXPECT_DOUBLE_EQ(s.YScale(), -50);
    s.SetRotation(-360);
    EXPECT_DOUBLE_EQ(s.Rotation(), 0);
    s.SetRotation(std::nan(""));  // ignored
    EXPECT_DOUBLE_EQ(s.Rotation(), 0);
}

TEST(Properties, SizeAndVisibilityAndNamesThroughScripts) {
    TRun run(MakeMovie({Square(1), Sprite(10, 1, {Place(1, 1, "", swf::TMatrix::Translation(200, 0)), Show()}),
                        Place(1, 10, "s"),
                        Script({{"s", "_width", "10"}, {"s", "_height", "40"}, {"s", "_visible", "0"},
                                {"s", "_name", "'renamed"}},
                               {{"renamed", "_xscale"}, {"renamed", "_yscale"}, {"renamed", "_width"},
                                {"renamed", "_visible"}, {"renamed", "_x"}}),
                        Show()}));
    EXPECT_EQ(run.Tick(), (std::vector<std::string>{"50", "200", "10", "false", "0"}));
    EXPECT_EQ(run.At({1})->Name(), "renamed");
    EXPECT_FALSE(run.At({1})->Visible());
}
