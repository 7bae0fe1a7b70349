#include "RuntimeFixture.h"

#include <gtest/gtest.h>

using namespace quorlin;
using namespace quorlin::runtime;
using namespace quorlin::runtime::test;
using swf::ActionCode;
using swf::TActionAssembler;
using swf::TPushValue;
using TStrings = std::vector<std::string>;

namespace {

TActionAssembler Asm() { return TActionAssembler(); }

// setProperty(target, property, value)
swf::TTag SetProperty(const std::string& target, int property, double value) {
    auto a = Asm();
    a.Push({TPushValue::Str(target), TPushValue::Int(property), TPushValue::Dbl(value)}).Op(ActionCode::SetProperty).End();
    return Script(a);
}

// trace(getProperty(target, property))
swf::TTag TraceProperty(const std::string& target, int property) {
    auto a = Asm();
    a.Push({TPushValue::Str(target), TPushValue::Int(property)}).Op(ActionCode::GetProperty).Op(ActionCode::Trace).End();
    return Script(a);
}

}  // namespace

TEST(Timeline, ActionsRunInAFlashPlayersOrderOfParentsAndChildren) {
    // Root: frame 1 places A (two frames) and B (one frame); frames 2 and 3 trace.
    TRun run(MakeMovie({Sprite(10, 2, {Trace("A1"), Show(), Trace("A2"), Show()}),
                        Sprite(11, 1, {Trace("B1"), Show()}),
                        Place(1, 10, "a"), Place(2, 11, "b"), Trace("root1"), Show(),
                        Trace("root2"), Show(), Trace("root3"), Show()},
                       3));
    // Newly placed children after their parent; existing ones before it.
    EXPECT_EQ(run.Tick(), (TStrings{"root1", "A1", "B1"}));
    EXPECT_EQ(run.Tick(), (TStrings{"A2", "root2"}));  // B has one frame: it stands
    EXPECT_EQ(run.Tick(), (TStrings{"A1", "root3"}));  // A loops
    EXPECT_EQ(run.Tick(), (TStrings{"A2", "root1"}));  // the root loops; A and B stay
    EXPECT_EQ(run.Player.Root().CurrentFrame(), 1);
    EXPECT_TRUE(run.Log.empty());
}

TEST(Timeline, ANestedClipsScriptRunsAfterItsParentsOnlyOnTheFirstPass) {
    // Outer (two frames, script on frame 1) holds inner (the same shape of timeline).
    TRun run(MakeMovie({Sprite(11, 2, {Trace("inner"), Show(), Show()}),
                        Sprite(10, 2, {Place(1, 11), Trace("outer"), Show(), Show()}),
                        Place(1, 10), Show()}));
    EXPECT_EQ(run.Tick(), (TStrings{"outer", "inner"}));
    EXPECT_EQ(run.Tick(), TStrings{});
    EXPECT_EQ(run.Tick(), (TStrings{"inner", "outer"}));
    EXPECT_EQ(run.Tick(), TStrings{});
    EXPECT_EQ(run.Tick(), (TStrings{"inner", "outer"}));
}

TEST(Timeline, AOneFrameMovieRunsItsScriptOnce) {
    TRun run(MakeMovie({Trace("once"), Show()}));
    EXPECT_EQ(run.Tick(), TStrings{"once"});
    EXPECT_EQ(run.Tick(), TStrings{});
}

TEST(Timeline, ScriptsMoveThePlayhead) {
    auto stop = Asm();
    stop.Op(ActionCode::Stop).End();
    auto gotoLabel = Asm();
    gotoLabel.GoToLabel("end").Op(ActionCode::Play).End();
    auto prev = Asm();
    prev.Op(ActionCode::PreviousFrame).End();
    auto gotoFar = Asm();
    gotoFar.GotoFrame(99).End();  // past the end: the last frame
    TRun run(MakeMovie({Trace("f1"), Script(gotoLabel), Show(),
                        Trace("f2"), Show(),
                        Label("end"), Trace("f3"), Script(prev), Show(),
                        Trace("f4"), Script(stop), Show(),
                        Trace("f5"), Script(gotoFar), Show()},
                       5));
    // Frame 1 jumps to the label; frame 3 steps back to 2 and stops there.
    EXPECT_EQ(run.Tick(), (TStrings{"f1", "f3", "f2"}));
    EXPECT_EQ(run.Player.Root().CurrentFrame(), 2);
    EXPECT_FALSE(run.Player.Root().Playing());
    EXPECT_EQ(run.Tick(), TStrings{});
    run.Player.Root().GotoAndStop(4);
    EXPECT_EQ(run.Tick(), TStrings{"f4"});  // a host's goto: its actions run in the next tick
    EXPECT_EQ(run.Player.Root().CurrentFrame(), 4);
    run.Player.Root().Play();
    EXPECT_EQ(run.Tick(), TStrings{"f5"});
    EXPECT_EQ(run.Player.Root().CurrentFrame(), 5);
    EXPECT_FALSE(run.Player.Root().GotoLabel("nowhere", true));
}

TEST(Timeline, PlacementsAndRemovalsApplyAsFramesPassAndGoingBackRebuilds) {
    auto back = Asm();
    back.GotoFrame(0).Op(ActionCode::Play).End();  // gotoAndPlay(1)
    TRun run(MakeMovie({Square(1), Sprite(10, 1, {Show()}),
                        Place(1, 10, "s"), Place(2, 1), Show(),
                        Remove(2), Place(3, 1), Move(1, swf::TMatrix::Translation(200, 0)), Show(),
                        Script(back), Show()},
                       3));
    run.Tick();
    const uint64_t spriteKey = run.At({1})->Key(), squareKey = run.At({2})->Key();
    run.Tick();
    EXPECT_EQ(run.At({2}), nullptr);
    ASSERT_NE(run.At({3}), nullptr);
    EXPECT_DOUBLE_EQ(run.At({1})->X(), 10);
    run.Tick();  // frame 3 goes back to frame 1
    EXPECT_EQ(run.Player.Root().CurrentFrame(), 1);
    EXPECT_EQ(run.At({3}), nullptr);
    ASSERT_NE(run.At({2}), nullptr);
    EXPECT_NE(run.At({2})->Key(), squareKey);   // placed anew
    EXPECT_EQ(run.At({1})->Key(), spriteKey);   // the same character at the same depth stays
    EXPECT_DOUBLE_EQ(run.At({1})->X(), 0);      // with frame 1's placement
}

TEST(Timeline, ScriptStatePersistsAcrossLoopsAndTimelineMovesNoLongerApply) {
    // Frame 1 turns the clip; frame 2 moves it on the timeline; the loop back keeps it.
    TRun run(MakeMovie({Sprite(10, 1, {Show()}),
                        Place(1, 10, "s"), SetProperty("s", 10, 45), Show(),
                        Move(1, swf::TMatrix::Make(2, 2, 0, 100, 0)), TraceProperty("s", 10), Show()},
                       2));
    run.Tick();
    EXPECT_EQ(run.Tick(), TStrings{"45"});
    EXPECT_DOUBLE_EQ(run.At({1})->XScale(), 100);  // the timeline's scale did not apply
    const uint64_t key = run.At({1})->Key();
    run.Tick();
    run.Tick();
    EXPECT_EQ(run.At({1})->Key(), key);
    EXPECT_DOUBLE_EQ(run.At({1})->Rotation(), 45);
}

TEST(Timeline, NestedClipsHaveTheirOwnPlayheads) {
    auto stop = Asm();
    stop.Op(ActionCode::Stop).End();
    TRun run(MakeMovie({Sprite(10, 3, {Show(), Script(stop), Show(), Show()}),
                        Place(1, 10, "inner"), Show()}));
    for (int i = 0; i < 5; ++i) run.Tick();
    EXPECT_EQ(run.SpriteAt({1})->CurrentFrame(), 2);
    EXPECT_EQ(run.Player.Root().CurrentFrame(), 1);
    run.SpriteAt({1})->Play();
    run.Tick();
    EXPECT_EQ(run.SpriteAt({1})->CurrentFrame(), 3);
}

TEST(Timeline, FlashVarsAreRootVariablesBeforeTheFirstFrame) {
    auto a = Asm();
    a.Push({TPushValue::Str("_root")}).Op(ActionCode::GetVariable).Push({TPushValue::Str("greeting")})
        .Op(ActionCode::GetMember).Op(ActionCode::Trace).End();
    TRun run(MakeMovie({Script(a), Show()}));
    run.Player.SetFlashVars("greeting=hello+world%21&other=1");
    EXPECT_EQ(run.Tick(), TStrings{"hello world!"});
    EXPECT_EQ(run.Scripts.Variable(run.Player.Root(), "other"), "1");
}

TEST(Timeline, RunawayScriptsAreStoppedAndTheMoviePlaysOn) {
    auto loop = Asm();
    loop.Label("top").Jump("top").End();
    // function f() { f(); } f();
    auto body = Asm();
    body.Push({TPushValue::Int(0), TPushValue::Str("f")}).Op(ActionCode::CallFunction).End();
    auto recursion = Asm();
    recursion.DefineFunction("f", {}, body).Push({TPushValue::Int(0), TPushValue::Str("f")})
        .Op(ActionCode::CallFunction).Op(ActionCode::Pop).End();
    auto thrower = Asm();
    thrower.Push({TPushValue::Str("boom")}).Op(ActionCode::Throw).End();
    TRun run(MakeMovie({Script(loop), Trace("after loop"), Show(), Script(recursion), Trace("after recursion"), Show(),
                        Script(thrower), Trace("after throw"), Show()},
                       3));
    EXPECT_EQ(run.Tick(), TStrings{"after loop"});
    EXPECT_EQ(run.Tick(), TStrings{"after recursion"});
    EXPECT_EQ(run.Tick(), TStrings{"after throw"});
    EXPECT_EQ(run.Tick(), TStrings{"after loop"});  // and round again
    ASSERT_GE(run.Log.size(), 3u);
    for (const auto& line : run.Log) EXPECT_NE(line.find("stopped"), std::string::npos) << line;
    EXPECT_NE(run.Log[2].find("boom"), std::string::npos) << run.Log[2];
}

TEST(Timeline, HostileTimelinesEndInBoundedWork) {
    // Two frames that send the playhead to each other forever; a sprite that holds itself.
    auto to2 = Asm();
    to2.GotoFrame(1).End();
    auto to1 = Asm();
    to1.GotoFrame(0).End();
    TRun pingPong(MakeMovie({Script(to2), Show(), Script(to1), Show()}, 2));
    pingPong.Tick();
    EXPECT_FALSE(pingPong.Log.empty());

    TRun nested(MakeMovie({Sprite(10, 1, {Place(1, 10), Place(2, 10), Show()}), Place(1, 10), Show()}));
    nested.Tick();
    nested.Tick();
    EXPECT_FALSE(nested.Log.empty());
    EXPECT_NE(nested.At({1, 1, 1, 1}), nullptr);
}

TEST(Timeline, PlacingAMissingCharacterIsSkipped) {
    TRun run(MakeMovie({Place(1, 77), Trace("on"), Show()}));
    EXPECT_EQ(run.Tick(), TStrings{"on"});
    EXPECT_EQ(run.At({1}), nullptr);
    ASSERT_EQ(run.Log.size(), 1u);
    EXPECT_NE(run.Log[0].find("77"), std::string::npos);
}

TEST(Timeline, InitActionsRunOnceBeforeTheFramesActions) {
    auto init = Asm();
    init.Push({TPushValue::Str("init")}).Op(ActionCode::Trace).End();
    swf::TTag initTag{uint16_t(swf::TagCode::DoInitAction), {10, 0}};
    const auto code = init.Assemble();
    initTag.Body.insert(initTag.Body.end(), code.begin(), code.end());
    TRun run(MakeMovie({Sprite(10, 1, {Show()}), Trace("f1"), initTag, Show(), Trace("f2"), Show()}, 2));
    EXPECT_EQ(run.Tick(), (TStrings{"init", "f1"}));
    EXPECT_EQ(run.Tick(), TStrings{"f2"});
    EXPECT_EQ(run.Tick(), TStrings{"f1"});
}

TEST(Timeline, ACharacterChangeAtADepthKeepsThePlacement) {
    swf::TPlaceObject2 swap;
    swap.Move = true;
    swap.Depth = 1;
    swap.CharacterId = 2;
    TRun run(MakeMovie({Square(1), Square(2), Place(1, 1, "thing", swf::TMatrix::Translation(400, 0)), Show(),
                        swf::WritePlaceObject2(swap), Show()},
                       2));
    run.Tick();
    run.Tick();
    ASSERT_NE(run.At({1}), nullptr);
    EXPECT_EQ(run.At({1})->CharacterId(), 2);
    EXPECT_EQ(run.At({1})->Name(), "thing");
    EXPECT_DOUBLE_EQ(run.At({1})->X(), 20);
}
