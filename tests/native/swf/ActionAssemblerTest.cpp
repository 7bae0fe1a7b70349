#include "player/swf/ActionAssembler.h"
#include "player/swf/ActionDisassembler.h"
#include "player/swf/ActionName.h"
#include "player/swf/ActionReader.h"
#include "player/swf/SwfError.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quorlin::swf;

namespace {

using TBytes = std::vector<uint8_t>;

TAction Only(const TActionAssembler& a) {
    auto actions = ReadActions(a.Assemble());
    EXPECT_EQ(actions.size(), 1u);
    return actions.at(0);
}

}  // namespace

TEST(ActionAssembler, EverySingleByteActionIsOneByte) {
    for (int code = 0; code < 0x80; ++code) {
        if (!IsKnownAction(uint8_t(code)) || code == 0) continue;
        TActionAssembler a;
        a.Op(ActionCode(code));
        EXPECT_EQ(a.Assemble(), TBytes{uint8_t(code)}) << ActionName(uint8_t(code));
    }
}

TEST(ActionAssembler, PayloadActionsReadBackEqual) {
    struct Case {
        const char* name;
        uint8_t code;
        TActionData data;
    };
    const Case cases[] = {
        {"push of every type", 0x96,
         TActionPush{{TPushValue::Str("freeze_time"), TPushValue::Float(1.5f), TPushValue::Null(),
                      TPushValue::Undef(), TPushValue::Reg(3), TPushValue::Bool(true), TPushValue::Bool(false),
                      TPushValue::Dbl(-0.1), TPushValue::Int(-7), TPushValue::Int(INT32_MAX),
                      TPushValue::Constant(4), TPushValue::Constant(300)}}},
        {"empty string push", 0x96, TActionPush{{TPushValue::Str("")}}},
        {"constant pool", 0x88, TActionConstantPool{{"a", "", "\xC3\xA9t\xC3\xA9"}}},
        {"goto frame", 0x81, TActionGotoFrame{65535}},
        {"get url", 0x83, TActionGetUrl{"http://x", "_blank"}},
        {"store register", 0x87, TActionStoreRegister{255}},
        {"set target", 0x8B, TActionName{"/clip"}},
        {"go to label", 0x8C, TActionName{"intro"}},
        {"get url 2", 0x9A, TActionGetUrl2{0xC1}},
        {"goto frame 2 play", 0x9F, TActionGotoFrame2{true, {}}},
        {"goto frame 2 bias", 0x9F, TActionGotoFrame2{false, 12}},
        {"call", 0x9E, std::monostate{}},
        {"unknown payload kept raw", 0xF0, TActionRaw{{1, 2, 3}}},
    };
    for (const Case& c : cases) {
        TActionAssembler a;
        a.Action(c.code, c.data);
        TAction back = Only(a);
        EXPECT_EQ(back.Code, c.code) << c.name;
        EXPECT_TRUE(back.Data == c.data) << c.name;
    }
}

TEST(ActionAssembler, PushEncodingFollowsTheFileFormat) {
    TActionAssembler a;
    a.Push({TPushValue::Str("a"), TPushValue::Int(1), TPushValue::Dbl(1.5), TPushValue::Constant(2)});
    // A double goes high word first, each word little-endian.
    TBytes expected = {0x96, 19, 0,    0, 'a', 0, 7, 1, 0, 0, 0, 6, 0x00, 0x00, 0xF8, 0x3F, 0, 0, 0, 0, 8, 2};
    EXPECT_EQ(a.Assemble(), expected);
}

TEST(ActionAssembler, BranchesResolveLabelsBothWays) {
    TActionAssembler a;
    a.Label("top")                        // 0
        .Push({TPushValue::Bool(true)})   // 0..5
        .If("skip")                       // 5..10
        .Op(ActionCode::Play)             // 10
        .Jump("top")                      // 11..16
        .Label("skip")
        .Op(ActionCode::Stop)  // 16
        .End();
    auto actions = ReadActions(a.Assemble());
    ASSERT_EQ(actions.size(), 6u);
    EXPECT_EQ(actions[1].Target(), 16);
    EXPECT_EQ(std::get<TActionBranch>(actions[1].Data).Offset, 6);
    EXPECT_EQ(actions[3].Target(), 0);
    EXPECT_EQ(std::get<TActionBranch>(actions[3].Data).Offset, -16);
}

TEST(ActionAssembler, FrameWaitsCountActionsToTheirLabel) {
    TActionAssembler body;
    body.Op(ActionCode::Pop).Op(ActionCode::Pop);
    TActionAssembler a;
    a.WaitForFrame(3, "ready").Op(ActionCode::Play).DefineFunction("f", {}, body).Label("ready").WaitForFrame2("ready2");
    a.Label("ready2").End();
    auto actions = ReadActions(a.Assemble());
    // Play, the function and its two body actions are skipped.
    EXPECT_EQ(std::get<TActionWaitForFrame>(actions[0].Data).SkipCount, 4);
    EXPECT_EQ(std::get<TActionWaitForFrame>(actions[0].Data).Frame, 3);
    EXPECT_EQ(std::get<TActionWaitForFrame2>(actions[5].Data).SkipCount, 0);
}

TEST(ActionAssembler, BodiesFollowTheirActions) {
    TActionAssembler body;
    body.Push({TPushValue::Int(1)}).Op(ActionCode::Return);
    TActionAssembler with;
    with.Op(ActionCode::Play);
    TTryBlock block;
    block.TryBody.Op(ActionCode::Throw);
    block.CatchBody.emplace().Op(ActionCode::Pop);
    block.FinallyBody.emplace().Op(ActionCode::Stop).Op(ActionCode::Stop);
    block.CatchRegister = 2;

    TActionAssembler a;
    a.DefineFunction("one", {"x", "y"}, body).With(with).Try(block).End();
    auto actions = ReadActions(a.Assemble());
    ASSERT_EQ(actions.size(), 11u);
    auto f = std::get<TActionDefineFunction>(actions[0].Data);
    EXPECT_EQ(f.Name, "one");
    EXPECT_EQ(f.Params, (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(f.CodeSize, 9);
    EXPECT_EQ(actions[3].Op(), ActionCode::With);
    EXPECT_EQ(std::get<TActionWith>(actions[3].Data).Size, 1);
    auto t = std::get<TActionTry>(actions[5].Data);
    EXPECT_TRUE(t.HasCatch && t.HasFinally && t.CatchInRegister);
    EXPECT_EQ(t.CatchRegister, 2);
    EXPECT_EQ(t.TrySize + t.CatchSize + t.FinallySize, 4);
    EXPECT_EQ(actions.back().Op(), ActionCode::End);
}

TEST(ActionAssembler, Function2AllocatesPreloadsThenParamsThenLocals) {
    using namespace Function2Flag;
    TFunction2 fn("getSecondRotation", PreloadThis | PreloadRoot | SuppressArguments | PreloadGlobal);
    EXPECT_EQ(fn.Param("speedK"), 4);
    fn.VariableParam("loose");
    EXPECT_EQ(fn.Local("sx"), 5);
    EXPECT_EQ(fn.Register("this"), 1);
    EXPECT_EQ(fn.Register("_root"), 2);
    EXPECT_EQ(fn.Register("_global"), 3);
    EXPECT_THROW(fn.Register("arguments"), TSwfError);
    EXPECT_THROW(fn.Local("sx"), TSwfError);
    fn.Body.Push({TPushValue::Reg(fn.Register("sx"))}).Op(ActionCode::Return);

    TActionAssembler a;
    a.DefineFunction2(fn);
    auto f = std::get<TActionDefineFunction2>(ReadAction(a.Assemble(), 0).Data);
    EXPECT_EQ(f.RegisterCount, 6);
    EXPECT_EQ(f.Flags, PreloadThis | PreloadRoot | SuppressArguments | PreloadGlobal);
    EXPECT_EQ(f.Params, (std::vector<TFunction2Param>{{4, "speedK"}, {0, "loose"}}));
    EXPECT_EQ(f.CodeSize, 6);

    EXPECT_THROW(TFunction2("bad", PreloadThis | SuppressThis), TSwfError);
}

TEST(ActionAssembler, ProgramErrorsAreReported) {
    TActionAssembler unknown;
    unknown.Jump("nowhere");
    EXPECT_THROW(unknown.Assemble(), TSwfError);

    TActionAssembler twice;
    twice.Label("x");
    EXPECT_THROW(twice.Label("x"), TSwfError);

    TActionAssembler far;
    far.Jump("end");
    for (int i = 0; i < 40; ++i) far.Push({TPushValue::Str(std::string(1000, 'x'))});
    far.Label("end");
    EXPECT_THROW(far.Assemble(), TSwfError);

    TActionAssembler backwards;
    backwards.Label("back").WaitForFrame2("back");
    EXPECT_THROW(backwards.Assemble(), TSwfError);

    TActionAssembler a;
    EXPECT_THROW(a.Op(ActionCode::Push), TSwfError);
    EXPECT_THROW(a.Push({TPushValue::Str(std::string(70000, 'x'))}), TSwfError);
    EXPECT_THROW(a.Push({TPushValue::Str(std::string("a\0b", 3))}), TSwfError);
    a.ConstantPool({"x"});
    EXPECT_EQ(a.Const("x").Index, 0);
    EXPECT_THROW(a.Const("y"), TSwfError);
}

TEST(ActionReader, MalformedBlocksAreRejected) {
    struct Case {
        const char* name;
        TBytes bytes;
    };
    const Case cases[] = {
        {"length field cut", {0x96, 0x01}},
        {"length past the end", {0x96, 0x05, 0x00, 0x00, 'a'}},
        {"string without NUL", {0x96, 0x02, 0x00, 0x00, 'a'}},
        {"unknown push type", {0x96, 0x01, 0x00, 0x0A}},
        {"integer cut by its action length", {0x96, 0x03, 0x00, 0x07, 0x01, 0x00, 0x00, 0x00}},
        {"pool count beyond its strings", {0x88, 0x04, 0x00, 0x03, 0x00, 'a', 0x00}},
        {"function body past the end", {0x9B, 0x05, 0x00, 'f', 0x00, 0x00, 0x00, 0x10, 0x00, 0x07}},
        {"try sizes past the end", {0x8F, 0x08, 0x00, 0x01, 0x05, 0x00, 0x05, 0x00, 0x00, 0x00, 0x00}},
    };
    for (const Case& c : cases) {
        EXPECT_THROW(ReadActions(c.bytes), TSwfError) << c.name;
    }
}

TEST(ActionDisassembler, ListsActionsWithTargetsBodiesAndConstants) {
    TActionAssembler body;
    body.Push({TPushValue::Reg(1)}).Op(ActionCode::Return);
    TFunction2 fn("f", Function2Flag::SuppressThis);
    fn.Param("k");
    fn.Body = body;
    TActionAssembler a;
    a.ConstantPool({"glass", "_visible"})
        .Push({a.Const("glass"), TPushValue::Dbl(2), TPushValue::Float(0.5f), TPushValue::Str("a\"b")})
        .If("out")
        .DefineFunction2(fn)
        .Label("out")
        .End();
    std::string text = Disassemble(a.Assemble());
    EXPECT_EQ(text,
              "0000  ConstantPool 2 c0:\"glass\" c1:\"_visible\"\n"
              "0014  Push c0:\"glass\", 2.0, 0.5f, \"a\\\"b\"\n"
              "002C  If -> 0x0046\n"
              "0031  DefineFunction2 \"f\" (r1:k) registers 2 flags suppressThis size 6\n"
              "0040    Push r1\n"
              "0045    Return\n"
              "0046  End\n");
}

TEST(ActionDisassembler, DamagedCodeEndsWithAnErrorLine) {
    TBytes bytes = {0x06, 0x96, 0x09, 0x00, 0x00};
    std::string text = Disassemble(bytes);
    EXPECT_EQ(text.rfind("0000  Play\nerror: ", 0), 0u) << text;
}
