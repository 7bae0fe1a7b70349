// Runaway and malformed scripts stop cleanly, and the machine carries on.
#include "ScriptHarness.h"

#include <random>

using namespace quorlin::avm1;
using namespace quorlin::avm1::test;

namespace {

using Limits = TScriptTest;
using TBytes = std::vector<uint8_t>;

// The message of the TScriptError that running bytes raises, or "" when none.
std::string ErrorOf(TMachine& m, const TBytes& bytes, TObject* target) {
    try {
        m.Run(bytes, target);
    } catch (const TScriptError& e) {
        return e.what();
    }
    return "";
}

// function depth(n) { return n == 0 ? 0 : depth(n - 1) + 1; }
TActionAssembler Depth() {
    TActionAssembler body;
    body.Push({S("n")}).Op(ActionCode::GetVariable).Push({I(0)}).Op(ActionCode::Equals2).If("zero");
    body.Push({S("n")}).Op(ActionCode::GetVariable).Op(ActionCode::Decrement).Push({I(1), S("depth")});
    body.Op(ActionCode::CallFunction).Op(ActionCode::Increment).Op(ActionCode::Return);
    body.Label("zero").Push({I(0)}).Op(ActionCode::Return);
    TActionAssembler a;
    a.DefineFunction("depth", {"n"}, body);
    return a;
}

}  // namespace

TEST_F(Limits, EndlessLoopIsStoppedByTheBudget) {
    TActionAssembler loop;
    loop.Push({S("spins"), I(0)}).Op(ActionCode::SetVariable);
    loop.Label("top").Push({S("spins"), S("spins")}).Op(ActionCode::GetVariable).Op(ActionCode::Increment);
    loop.Op(ActionCode::SetVariable).Jump("top");
    std::string error = ErrorOf(FMachine, loop.Assemble(), FRoot);
    EXPECT_NE(error.find("budget of 1000000 actions"), std::string::npos) << error;
    // The loop got far, and what it did stays; the next script runs normally.
    EXPECT_GT(FMachine.ToNumber(Var("spins")), 100000);
    EXPECT_EQ(Eval([](TActionAssembler& a) { a.Push({I(1), I(2)}).Op(ActionCode::Add2); }), "number 3");
}

TEST_F(Limits, DoublingStringStopsBeforeMemoryRunsOut) {
    TActionAssembler a;
    a.Push({S("s"), S("0123456789abcdef")}).Op(ActionCode::SetVariable);
    a.Label("top").Push({S("s"), S("s")}).Op(ActionCode::GetVariable).Push({S("s")}).Op(ActionCode::GetVariable);
    a.Op(ActionCode::Add2).Op(ActionCode::SetVariable).Jump("top");
    EXPECT_NE(ErrorOf(FMachine, a.Assemble(), FRoot).find("string grew past"), std::string::npos);
}

TEST_F(Limits, CallDepthOf256) {
    TActionAssembler deep = Depth();
    deep.Push({S("ok"), I(255), I(1), S("depth")}).Op(ActionCode::CallFunction).Op(ActionCode::SetVariable);
    Run(deep);  // 256 nested calls are allowed
    EXPECT_EQ(Show(Var("ok")), "number 255");

    TActionAssembler tooDeep = Depth();
    tooDeep.Push({S("never"), I(256), I(1), S("depth")}).Op(ActionCode::CallFunction).Op(ActionCode::SetVariable);
    std::string error = ErrorOf(FMachine, tooDeep.Assemble(), FRoot);
    EXPECT_NE(error.find("nested deeper than 256"), std::string::npos) << error;
    EXPECT_TRUE(Var("never").IsUndefined());

    // function f() { f(); } f();
    TActionAssembler body;
    body.Push({I(0), S("f")}).Op(ActionCode::CallFunction);
    TActionAssembler endless;
    endless.DefineFunction("f", {}, body).Push({I(0), S("f")}).Op(ActionCode::CallFunction);
    EXPECT_NE(ErrorOf(FMachine, endless.Assemble(), FRoot).find("nested deeper"), std::string::npos);
    EXPECT_EQ(Eval([](TActionAssembler& a) { a.Push({S("carries on")}); }), "string carries on");
}

TEST_F(Limits, RecursionThroughConversionsIsCaughtToo) {
    // o.valueOf = function () { return this + 1; }: every conversion converts again.
    TActionAssembler valueOf;
    valueOf.Push({S("this")}).Op(ActionCode::GetVariable).Push({I(1)}).Op(ActionCode::Add2).Op(ActionCode::Return);
    TActionAssembler a;
    a.Push({S("o"), I(0)}).Op(ActionCode::InitObject).Op(ActionCode::SetVariable);
    a.Push({S("o")}).Op(ActionCode::GetVariable).Push({S("valueOf")}).DefineFunction("", {}, valueOf);
    a.Op(ActionCode::SetMember).Push({S("o")}).Op(ActionCode::GetVariable).Op(ActionCode::ToNumber);
    EXPECT_NE(ErrorOf(FMachine, a.Assemble(), FRoot).find("nested deeper"), std::string::npos);
}

namespace {

// A clip whose Play hook runs a script at once, as a runtime may do for a goto.
class TReentrantClip : public TTestClip {
public:
    using TTestClip::TTestClip;
    void Play() override { FMachineRef->Run(FScript, this); }
    TMachine* FMachineRef = nullptr;
    TCode FScript;
};

}  // namespace

TEST_F(Limits, ScriptsRunFromHostHooksCountAsCalls) {
    auto* clip = FMachine.Heap().Make<TReentrantClip>(FMachine, "loop", FRoot);
    TPin pin(FMachine.Heap(), clip);
    clip->FMachineRef = &FMachine;
    TActionAssembler a;
    a.Op(ActionCode::Play);  // plays itself: the hook runs this block again
    clip->FScript = TCode::Copy(a.Assemble());
    std::string error;
    try {
        FMachine.Run(clip->FScript, clip);
    } catch (const TScriptError& e) {
        error = e.what();
    }
    EXPECT_NE(error.find("nested deeper than 256"), std::string::npos) << error;
}

TEST_F(Limits, MalformedBytesStopTheScript) {
    struct Case {
        const char* name;
        TBytes bytes;
        const char* error;
    };
    const Case cases[] = {
        {"length cut off", {0x96, 0x05}, "cut off"},
        {"payload past the end", {0x96, 0x05, 0x00, 0x00, 'a'}, "claims 5 bytes"},
        {"string without its zero", {0x96, 0x02, 0x00, 0x00, 'a'}, "no terminating zero"},
        {"unknown push type", {0x96, 0x01, 0x00, 0x0B}, "unknown value type"},
        {"short push value", {0x96, 0x02, 0x00, 0x07, 0x01}, "too short"},
        {"jump past the end", {0x99, 0x02, 0x00, 0x10, 0x00}, "out of its code"},
        {"jump before the start", {0x99, 0x02, 0x00, 0x00, 0xFF}, "out of its code"},
        {"constant pool short of strings", {0x88, 0x03, 0x00, 0x05, 0x00, 0x00}, "no terminating zero"},
        {"function body past the end", {0x9B, 0x05, 0x00, 'f', 0x00, 0x00, 0x00, 0xFF}, "too short"},
        {"function size lies", {0x9B, 0x06, 0x00, 'f', 0x00, 0x00, 0x00, 0xFF, 0x00}, "runs past its code"},
        {"with size lies", {0x96, 0x01, 0x00, 0x02, 0x94, 0x02, 0x00, 0x50, 0x00}, "runs past its code"},
        {"try sizes lie", {0x8F, 0x09, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 'e', 0x00}, "runs past its code"},
    };
    for (const Case& c : cases) {
        std::string error = ErrorOf(FMachine, c.bytes, FRoot);
        EXPECT_NE(error.find(c.error), std::string::npos) << c.name << ": " << error;
    }
    EXPECT_EQ(Eval([](TActionAssembler& a) { a.Push({S("still fine")}); }), "string still fine");
}

TEST_F(Limits, UnknownActionsAreSkippedByTheirLength) {
    TActionAssembler a;
    a.Action(0x02, std::monostate{}).Action(0xF0, quorlin::swf::TActionRaw{{1, 2, 3}});
    a.Push({S("after"), B(true)}).Op(ActionCode::SetVariable);
    Run(a);
    Run(a);  // reported once, not on every pass
    EXPECT_EQ(Show(Var("after")), "boolean true");
    ASSERT_EQ(FLog.size(), 2u);
    EXPECT_NE(FLog[0].find("unknown action 0x02"), std::string::npos) << FLog[0];
    EXPECT_NE(FLog[1].find("unknown action 0xF0"), std::string::npos) << FLog[1];
}

TEST_F(Limits, RandomBytesNeverCrashOrHang) {
    std::mt19937 random(20261211);
    FMachine.SetInstructionBudget(5000);
    // Biased toward real action codes, so that many records decode at all.
    const uint8_t codes[] = {0x96, 0x99, 0x9D, 0x9B, 0x8E, 0x94, 0x8F, 0x88, 0x87, 0x1C, 0x1D, 0x3D,
                             0x52, 0x40, 0x4E, 0x4F, 0x47, 0x49, 0x42, 0x43, 0x46, 0x55, 0x2A, 0x3E};
    int stopped = 0;
    for (int round = 0; round < 3000; ++round) {
        TBytes bytes(1 + random() % 48);
        for (uint8_t& b : bytes)
            b = (random() % 3 == 0) ? codes[random() % std::size(codes)] : static_cast<uint8_t>(random());
        if (!ErrorOf(FMachine, bytes, FRoot).empty())
            ++stopped;
    }
    EXPECT_GT(stopped, 0);
    FMachine.Collect();
    EXPECT_EQ(Eval([](TActionAssembler& a) { a.Push({S("alive")}); }), "string alive");
}

TEST_F(Limits, GarbageIsCollectedBetweenRuns) {
    // Each run makes a function (which cycles with its prototype) and a few objects.
    TActionAssembler body;
    body.Push({I(0)}).Op(ActionCode::InitObject).Op(ActionCode::Return);
    TActionAssembler a;
    a.DefineFunction("make", {}, body).Push({S("kept"), I(0), S("make")}).Op(ActionCode::CallFunction);
    a.Op(ActionCode::SetVariable);
    TTestClip* child = FRoot->AddChild("child");
    Run(a);
    FMachine.Collect();
    size_t steady = FMachine.Heap().Size();
    for (int i = 0; i < 500; ++i)
        Run(a);
    FMachine.Collect();
    EXPECT_EQ(FMachine.Heap().Size(), steady);
    // What the pinned root reaches survives: its variables and its child clip.
    EXPECT_EQ(Show(Var("kept")), "object [object Object]");
    EXPECT_EQ(FMachine.GetMember(TValue(FRoot), "child").ObjectOrNull(), child);
}
