// The machine drives clips only through the TClipObject hooks: target paths,
// properties by index and by name, and the timeline actions and methods.
#include "ScriptHarness.h"

using namespace quorlin::avm1;
using namespace quorlin::avm1::test;
using quorlin::swf::PropertyIndex;

namespace {

class Clips : public TScriptTest {
protected:
    Clips() {
        FClock = FRoot->AddChild("clock");
        FHand = FClock->AddChild("HA1");
        FGlass = FClock->AddChild("glass");
    }
    TTestClip* FClock;
    TTestClip* FHand;
    TTestClip* FGlass;
};

}  // namespace

TEST_F(Clips, SetPropertyFindsItsTargetByEveryPathForm) {
    // Relative paths start from the timeline the script runs on.
    const std::pair<const char*, TTestClip*> paths[] = {
        {"/clock/HA1", FRoot},          {"clock/HA1", FRoot},      {"_root.clock.HA1", FGlass},
        {"_level0.clock.HA1", FGlass},  {"_level0/clock/HA1", FRoot}, {"clock.HA1", FRoot},
        {"../HA1", FGlass},             {"_parent.HA1", FGlass},   {"HA1", FClock},
    };
    for (auto [path, timeline] : paths) {
        FHand->FProperties[PropertyIndex::Rotation] = 0.0;
        TActionAssembler a;
        a.Push({S(path), I(10), D(62.5)}).Op(ActionCode::SetProperty);
        Run(a, timeline);
        EXPECT_EQ(FHand->Number(PropertyIndex::Rotation), 62.5) << path;
    }
    // Relative paths resolve from the script's own timeline; an empty one is that timeline.
    TActionAssembler own;
    own.Push({S(""), I(7), B(false)}).Op(ActionCode::SetProperty);
    own.Push({S("HA1"), I(6), S("50")}).Op(ActionCode::SetProperty);  // converted to a number
    own.Push({S("nowhere"), I(0), I(1)}).Op(ActionCode::SetProperty);   // no such clip: nothing
    Run(own, FClock);
    EXPECT_EQ(Show(FClock->GetProperty(PropertyIndex::Visible)), "boolean false");
    EXPECT_EQ(Show(FHand->GetProperty(PropertyIndex::Alpha)), "number 50");
}

TEST_F(Clips, PropertiesReadByIndexAndByName) {
    FHand->FProperties[PropertyIndex::X] = -75.4;
    TActionAssembler a;
    a.Push({S("x"), S("/clock/HA1"), I(0)}).Op(ActionCode::GetProperty).Op(ActionCode::SetVariable);
    a.Push({S("target"), S("clock/HA1"), I(11)}).Op(ActionCode::GetProperty).Op(ActionCode::SetVariable);
    a.Push({S("name"), S("clock.HA1"), I(13)}).Op(ActionCode::GetProperty).Op(ActionCode::SetVariable);
    a.Push({S("frame"), S("clock"), I(4)}).Op(ActionCode::GetProperty).Op(ActionCode::SetVariable);
    a.Push({S("bad"), S("clock"), I(99)}).Op(ActionCode::GetProperty).Op(ActionCode::SetVariable);
    // hand = clock.HA1; byName = hand._x; parentName = hand._parent._name; path = targetPath(hand)
    a.Push({S("hand"), S("clock")}).Op(ActionCode::GetVariable).Push({S("HA1")}).Op(ActionCode::GetMember);
    a.Op(ActionCode::SetVariable);
    a.Push({S("byName"), S("hand")}).Op(ActionCode::GetVariable).Push({S("_x")}).Op(ActionCode::GetMember);
    a.Op(ActionCode::SetVariable);
    a.Push({S("parentName"), S("hand")}).Op(ActionCode::GetVariable).Push({S("_parent")}).Op(ActionCode::GetMember);
    a.Push({S("_name")}).Op(ActionCode::GetMember).Op(ActionCode::SetVariable);
    a.Push({S("path"), S("hand")}).Op(ActionCode::GetVariable).Op(ActionCode::TargetPath).Op(ActionCode::SetVariable);
    a.Push({S("rootOfHand"), S("hand")}).Op(ActionCode::GetVariable).Push({S("_root")}).Op(ActionCode::GetMember);
    a.Push({S("this")}).Op(ActionCode::GetVariable).Op(ActionCode::StrictEquals).Op(ActionCode::SetVariable);
    a.Push({S("text"), S(""), S("hand")}).Op(ActionCode::GetVariable).Op(ActionCode::Add2).Op(ActionCode::SetVariable);
    // hand._rotation = "45" writes a number through the hook.
    a.Push({S("hand")}).Op(ActionCode::GetVariable).Push({S("_rotation"), S("45")}).Op(ActionCode::SetMember);
    Run(a);
    EXPECT_EQ(Show(Var("x")), "number -75.4");
    EXPECT_EQ(Show(Var("target")), "string /clock/HA1");
    EXPECT_EQ(Show(Var("name")), "string HA1");
    EXPECT_EQ(Show(Var("frame")), "number 1");
    EXPECT_TRUE(Var("bad").IsUndefined());
    EXPECT_EQ(Show(Var("byName")), "number -75.4");
    EXPECT_EQ(Show(Var("parentName")), "string clock");
    EXPECT_EQ(Show(Var("path")), "string _level0.clock.HA1");
    EXPECT_EQ(Show(Var("rootOfHand")), "boolean true");
    EXPECT_EQ(Show(Var("text")), "string _level0.clock.HA1");
    EXPECT_EQ(Show(FHand->GetProperty(PropertyIndex::Rotation)), "number 45");
    EXPECT_EQ(FRoot->SlashPath(), "/");
}

TEST_F(Clips, SpecialNamesResolveFromTheScriptsTimeline) {
    // Run on HA1: _parent is the clock, _root the root, this the hand itself.
    TActionAssembler a;
    a.Push({S("_root")}).Op(ActionCode::GetVariable).Push({S("seenParent"), S("_parent")});
    a.Op(ActionCode::GetVariable).Push({S("_name")}).Op(ActionCode::GetMember).Op(ActionCode::SetMember);
    a.Push({S("_root")}).Op(ActionCode::GetVariable).Push({S("seenThis"), S("this")});
    a.Op(ActionCode::GetVariable).Push({S("_name")}).Op(ActionCode::GetMember).Op(ActionCode::SetMember);
    a.Push({S("/:slashVar"), S("set")}).Op(ActionCode::SetVariable);  // slash syntax variable
    a.Push({S("local"), I(1)}).Op(ActionCode::SetVariable);
    Run(a, FHand);
    EXPECT_EQ(Show(Var("seenParent")), "string clock");
    EXPECT_EQ(Show(Var("seenThis")), "string HA1");
    EXPECT_EQ(Show(Var("slashVar")), "string set");
    EXPECT_EQ(Show(FMachine.GetMember(TValue(FHand), "local")), "number 1");
    EXPECT_TRUE(Var("local").IsUndefined());
}

TEST_F(Clips, TimelineActionsAddressTheCurrentTarget) {
    TActionAssembler a;
    a.Op(ActionCode::Play).Op(ActionCode::Stop).Op(ActionCode::NextFrame).Op(ActionCode::PreviousFrame);
    a.GotoFrame(4);                                  // frame index 4 is frame 5
    a.Push({I(2)}).GotoFrame2(true);                 // frame numbers count from 1
    a.Push({I(2)}).GotoFrame2(false, 10);            // with a scene bias
    a.Push({S("intro")}).GotoFrame2(true);           // a label
    a.Push({S("3")}).GotoFrame2(false);              // a numeric string is a frame
    a.GoToLabel("outro");
    a.SetTarget("HA1").Op(ActionCode::Play).SetTarget("").Op(ActionCode::Stop);
    a.Push({S("glass")}).Op(ActionCode::SetTarget2).Op(ActionCode::NextFrame);
    a.Push({S("/clock/HA1:7")}).GotoFrame2(false);  // target:frame
    Run(a, FClock);
    const std::vector<std::string> clock = {"play",         "stop",     "next",         "prev",
                                            "goto 5 stop",  "goto 2 play", "goto 12 stop", "label intro play",
                                            "goto 3 stop",  "label outro stop", "stop"};
    EXPECT_EQ(FClock->FCalls, clock);
    EXPECT_EQ(FHand->FCalls, (std::vector<std::string>{"play", "goto 7 stop"}));
    EXPECT_EQ(FGlass->FCalls, std::vector<std::string>{"next"});
}

TEST_F(Clips, MovieClipMethods) {
    auto call = [&](TActionAssembler& a, const char* method, std::vector<TPushValue> args) {
        std::vector<TPushValue> values(args.rbegin(), args.rend());
        values.push_back(I(static_cast<int32_t>(args.size())));
        values.push_back(S("HA1"));
        a.Push(values).Op(ActionCode::GetVariable).Push({S(method)}).Op(ActionCode::CallMethod).Op(ActionCode::Pop);
    };
    TActionAssembler a;
    call(a, "gotoAndStop", {I(2)});
    call(a, "gotoAndPlay", {S("intro")});
    call(a, "play", {});
    call(a, "stop", {});
    call(a, "nextFrame", {});
    call(a, "prevFrame", {});
    Run(a, FClock);
    EXPECT_EQ(FHand->FCalls,
              (std::vector<std::string>{"goto 2 stop", "label intro play", "play", "stop", "next", "prev"}));
}
