// An analogue clock's frame script, assembled the way a compiler lays it out,
// run on test clips: the integration case for dates, split, parseInt, string
// comparison, DefineFunction2 and SetProperty.
#include "ScriptHarness.h"

#include <algorithm>
#include <optional>

using namespace quorlin::avm1;
using namespace quorlin::avm1::test;
using quorlin::swf::PropertyIndex;
namespace Flag = quorlin::swf::Function2Flag;

namespace {

const std::vector<std::string> Pool = {
    "getSecondRotation", "second",         "Math",          "floor",           "timeStamp",
    "getMilliseconds",   "Date",           "_root",         "freeze_time",     "freeze_parts",
    ":",                 "split",          "setHours",      "setMinutes",      "setSeconds",
    "parseInt",          "isGlassVisible", "glass_visible", "true",            "isSecondsVisible",
    "seconds_visible",   "hour",           "getHours",      "minute",          "getMinutes",
    "getSeconds",        "hourRotation",   "minuteRotation", "HA1",            "MA1",
    "SA1",               "glass",
};

TPushValue K(const std::string& s) {
    auto it = std::find(Pool.begin(), Pool.end(), s);
    if (it == Pool.end())
        throw std::logic_error("not in the pool: " + s);
    return TPushValue::Constant(static_cast<uint16_t>(it - Pool.begin()));
}

// function getSecondRotation(speedK, smoothK) {
//     var sx = second * smoothK + Math.floor(timeStamp.getMilliseconds() * smoothK / 1000);
//     var R = 360 * speedK / (60 * smoothK);
//     return sx * R;
// }
quorlin::swf::TFunction2 SecondRotation() {
    quorlin::swf::TFunction2 f("getSecondRotation", Flag::SuppressThis | Flag::SuppressArguments | Flag::SuppressSuper);
    uint8_t speedK = f.Param("speedK"), smoothK = f.Param("smoothK");
    uint8_t sx = f.Local("sx"), r = f.Local("R");
    auto& b = f.Body;
    b.Push({K("second")}).Op(ActionCode::GetVariable).Push({R(smoothK)}).Op(ActionCode::Multiply);
    b.Push({I(0), K("timeStamp")}).Op(ActionCode::GetVariable).Push({K("getMilliseconds")}).Op(ActionCode::CallMethod);
    b.Push({R(smoothK)}).Op(ActionCode::Multiply).Push({I(1000)}).Op(ActionCode::Divide);
    b.Push({I(1), K("Math")}).Op(ActionCode::GetVariable).Push({K("floor")}).Op(ActionCode::CallMethod);
    b.Op(ActionCode::Add2).StoreRegister(sx).Op(ActionCode::Pop);
    b.Push({I(360), R(speedK)}).Op(ActionCode::Multiply).Push({I(60), R(smoothK)}).Op(ActionCode::Multiply);
    b.Op(ActionCode::Divide).StoreRegister(r).Op(ActionCode::Pop);
    b.Push({R(sx), R(r)}).Op(ActionCode::Multiply).Op(ActionCode::Return);
    return f;
}

// name = _root.variable == undefined || _root.variable == "true"
void VisibleFlag(TActionAssembler& a, const std::string& name, const std::string& variable) {
    std::string done = name + "Done";
    a.Push({K(name), K("_root")}).Op(ActionCode::GetVariable).Push({K(variable)}).Op(ActionCode::GetMember);
    a.Push({Undef()}).Op(ActionCode::Equals2).Op(ActionCode::PushDuplicate).If(done).Op(ActionCode::Pop);
    a.Push({K("_root")}).Op(ActionCode::GetVariable).Push({K(variable)}).Op(ActionCode::GetMember);
    a.Push({K("true")}).Op(ActionCode::Equals2).Label(done).Op(ActionCode::SetVariable);
}

// name = timeStamp.getter()
void ReadField(TActionAssembler& a, const std::string& name, const std::string& getter) {
    a.Push({K(name), I(0), K("timeStamp")}).Op(ActionCode::GetVariable).Push({K(getter)});
    a.Op(ActionCode::CallMethod).Op(ActionCode::SetVariable);
}

std::vector<uint8_t> ClockScript() {
    TActionAssembler a;
    a.ConstantPool(Pool);
    a.DefineFunction2(SecondRotation());
    a.Push({K("timeStamp"), I(0), K("Date")}).Op(ActionCode::NewObject).Op(ActionCode::SetVariable);
    // if (_root.freeze_time != undefined) { ... }
    a.Push({K("_root")}).Op(ActionCode::GetVariable).Push({K("freeze_time")}).Op(ActionCode::GetMember);
    a.Push({Undef()}).Op(ActionCode::Equals2).If("live");
    a.Push({K("freeze_parts"), K(":"), I(1), K("_root")}).Op(ActionCode::GetVariable);
    a.Push({K("freeze_time")}).Op(ActionCode::GetMember).Push({K("split")}).Op(ActionCode::CallMethod);
    a.Op(ActionCode::SetVariable);
    const char* const setters[] = {"setHours", "setMinutes", "setSeconds"};
    for (int i = 0; i < 3; ++i) {
        a.Push({K("freeze_parts")}).Op(ActionCode::GetVariable).Push({I(i)}).Op(ActionCode::GetMember);
        a.Push({I(1), K("parseInt")}).Op(ActionCode::CallFunction);
        a.Push({I(1), K("timeStamp")}).Op(ActionCode::GetVariable).Push({K(setters[i])});
        a.Op(ActionCode::CallMethod).Op(ActionCode::Pop);
    }
    a.Label("live");
    VisibleFlag(a, "isGlassVisible", "glass_visible");
    VisibleFlag(a, "isSecondsVisible", "seconds_visible");
    ReadField(a, "hour", "getHours");
    ReadField(a, "minute", "getMinutes");
    ReadField(a, "second", "getSeconds");
    // hourRotation = 30 * (hour - 12) + minute / 2; minuteRotation = 6 * minute + second / 10
    a.Push({K("hourRotation"), I(30), K("hour")}).Op(ActionCode::GetVariable).Push({I(12)});
    a.Op(ActionCode::Subtract).Op(ActionCode::Multiply).Push({K("minute")}).Op(ActionCode::GetVariable);
    a.Push({I(2)}).Op(ActionCode::Divide).Op(ActionCode::Add2).Op(ActionCode::SetVariable);
    a.Push({K("minuteRotation"), I(6), K("minute")}).Op(ActionCode::GetVariable).Op(ActionCode::Multiply);
    a.Push({K("second")}).Op(ActionCode::GetVariable).Push({I(10)}).Op(ActionCode::Divide);
    a.Op(ActionCode::Add2).Op(ActionCode::SetVariable);
    const auto rotation = I(static_cast<int>(PropertyIndex::Rotation));
    const auto visible = I(static_cast<int>(PropertyIndex::Visible));
    a.Push({K("HA1"), rotation, K("hourRotation")}).Op(ActionCode::GetVariable).Op(ActionCode::SetProperty);
    a.Push({K("MA1"), rotation, K("minuteRotation")}).Op(ActionCode::GetVariable).Op(ActionCode::SetProperty);
    a.Push({K("SA1"), rotation, I(1), I(1), I(2), K("getSecondRotation")}).Op(ActionCode::CallFunction);
    a.Op(ActionCode::SetProperty);
    a.Push({K("glass"), visible, K("isGlassVisible")}).Op(ActionCode::GetVariable).Op(ActionCode::SetProperty);
    a.Push({K("SA1"), visible, K("isSecondsVisible")}).Op(ActionCode::GetVariable).Op(ActionCode::SetProperty);
    a.End();
    return a.Assemble();
}

class ClockScript : public TScriptTest {
protected:
    ClockScript() : FScript(TCode::Copy(::ClockScript())) {
        TTestClip* original = FRoot->AddChild("original");
        FClockClip = original->AddChild("instance1");
        for (const char* name : {"HA1", "MA1", "SA1", "glass"})
            FParts[name] = FClockClip->AddChild(name);
    }
    void Pass() { FMachine.Run(FScript, FClockClip); }
    void SetRoot(const std::string& name, std::optional<std::string> value) {
        if (value)
            FMachine.SetMember(TValue(FRoot), name, *value);
        else
            FRoot->DeleteOwn(name);
    }
    double Rotation(const char* part) { return FParts[part]->Number(PropertyIndex::Rotation); }
    bool Visible(const char* part) { return FParts[part]->GetProperty(PropertyIndex::Visible).AsBoolean(); }

    TCode FScript;
    TTestClip* FClockClip;
    std::map<std::string, TTestClip*> FParts;
};

}  // namespace

TEST_F(ClockScript, FrozenTimesPutTheHandsInPlace) {
    struct Case {
        const char* time;
        double hour, minute, second;
    };
    const Case cases[] = {
        {"15:00:00", 90, 0, 0},
        {"14:05:30", 62.5, 33, 180},
        {"0:00:00", -360, 0, 0},  // hours 0 and 12 both point to twelve
        {"12:00:00", 0, 0, 0},
        {"09:05:25", -87.5, 32.5, 150},  // zero-padded fields read as decimal
        {"23:59:59", 359.5, 359.9, 354},
    };
    for (const Case& c : cases) {
        SetRoot("freeze_time", c.time);
        Pass();
        EXPECT_EQ(Rotation("HA1"), c.hour) << c.time;
        EXPECT_EQ(Rotation("MA1"), c.minute) << c.time;
        EXPECT_EQ(Rotation("SA1"), c.second) << c.time;
    }
    EXPECT_TRUE(FLog.empty()) << FLog.front();
}

TEST_F(ClockScript, FrozenClockStandsStillLiveClockStepsEachSecond) {
    SetRoot("freeze_time", "14:05:30");
    Pass();
    FClock.Advance(700);  // the milliseconds never move a frozen second hand
    Pass();
    EXPECT_EQ(Rotation("SA1"), 180);
    EXPECT_EQ(Rotation("MA1"), 33);

    // Live, from the supplied clock: 13:00:00.250 local time.
    SetRoot("freeze_time", std::nullopt);
    Pass();
    EXPECT_EQ(Rotation("HA1"), 30);
    EXPECT_EQ(Rotation("SA1"), 0);
    FClock.Advance(59000 - 700);  // 13:00:59.250
    Pass();
    EXPECT_EQ(Rotation("SA1"), 354);
    EXPECT_DOUBLE_EQ(Rotation("MA1"), 5.9);
    FClock.Advance(500);  // 13:00:59.750: the hand does not sweep
    Pass();
    EXPECT_EQ(Rotation("SA1"), 354);
    FClock.Advance(500);  // 13:01:00.250
    Pass();
    EXPECT_EQ(Rotation("SA1"), 0);
    EXPECT_EQ(Rotation("MA1"), 6);
}

TEST_F(ClockScript, VisibilityFollowsTheExactTextTrue) {
    struct Case {
        std::optional<std::string> value;
        bool visible;
    };
    const Case cases[] = {
        {std::nullopt, true}, {"true", true}, {"false", false}, {"", false}, {"TRUE", false}, {"1", false},
    };
    for (const Case& c : cases) {
        SetRoot("glass_visible", c.value);
        SetRoot("seconds_visible", c.value);
        Pass();
        EXPECT_EQ(Visible("glass"), c.visible) << c.value.value_or("(absent)");
        EXPECT_EQ(Visible("SA1"), c.visible) << c.value.value_or("(absent)");
        EXPECT_TRUE(Visible("HA1"));
        EXPECT_TRUE(Visible("MA1"));
    }
}

TEST_F(ClockScript, OtherVariablesChangeNothing) {
    SetRoot("freeze_time", "14:05:30");
    Pass();
    for (const char* name : {"feature_glass", "feature_seconds", "feature_backgroundcolor", "end_param"})
        SetRoot(name, "false");
    Pass();
    EXPECT_EQ(Rotation("HA1"), 62.5);
    EXPECT_EQ(Rotation("MA1"), 33);
    EXPECT_EQ(Rotation("SA1"), 180);
    EXPECT_TRUE(Visible("glass"));
    EXPECT_TRUE(Visible("SA1"));
}

TEST_F(ClockScript, TheLoopFrameGoesBackAndPlays) {
    TActionAssembler loop;
    loop.Op(ActionCode::PreviousFrame).Op(ActionCode::Play).End();
    Run(loop, FClockClip);
    EXPECT_EQ(FClockClip->FCalls, (std::vector<std::string>{"prev", "play"}));
}

TEST_F(ClockScript, FiftyPassesASecondLeaveNoGarbageBehind) {
    SetRoot("freeze_time", "14:05:30");
    Pass();
    FMachine.Collect();
    size_t steady = FMachine.Heap().Size();
    for (int i = 0; i < 1000; ++i) {
        Pass();
        FClock.Advance(20);
    }
    FMachine.Collect();
    EXPECT_EQ(FMachine.Heap().Size(), steady);
    EXPECT_EQ(Rotation("SA1"), 180);
}
