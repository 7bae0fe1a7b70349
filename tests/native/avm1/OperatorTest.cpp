// The stack operators, with operands in the order the file format gives them.
#include "ScriptHarness.h"

using namespace quorlin::avm1;
using namespace quorlin::avm1::test;

namespace {

using Operators = TScriptTest;

}  // namespace

TEST_F(Operators, ArithmeticBitsAndStrings) {
    struct Case {
        std::vector<TPushValue> operands;
        ActionCode op;
        const char* result;
    };
    const Case cases[] = {
        {{I(7), I(2)}, ActionCode::Subtract, "number 5"},
        {{I(7), I(2)}, ActionCode::Divide, "number 3.5"},
        {{I(1), I(0)}, ActionCode::Divide, "number Infinity"},
        {{I(7), I(3)}, ActionCode::Modulo, "number 1"},
        {{I(-7), I(3)}, ActionCode::Modulo, "number -1"},
        {{D(5.5), I(2)}, ActionCode::Modulo, "number 1.5"},
        {{I(5), I(3)}, ActionCode::BitAnd, "number 1"},
        {{I(5), I(3)}, ActionCode::BitOr, "number 7"},
        {{I(5), I(3)}, ActionCode::BitXor, "number 6"},
        {{I(1), I(31)}, ActionCode::BitLShift, "number -2147483648"},
        {{I(-8), I(1)}, ActionCode::BitRShift, "number -4"},
        {{I(-8), I(28)}, ActionCode::BitURShift, "number 15"},
        {{D(4294967296.0 + 3), I(0)}, ActionCode::BitOr, "number 3"},
        {{D(-2.7)}, ActionCode::ToInteger, "number -2"},
        {{S("9")}, ActionCode::Increment, "number 10"},
        {{S("abcdef"), I(2), I(3)}, ActionCode::StringExtract, "string bcd"},
        {{S("abcdef"), I(5), I(99)}, ActionCode::StringExtract, "string ef"},
        {{S("h\xC3\xA9llo"), I(2), I(2)}, ActionCode::MBStringExtract, "string \xC3\xA9l"},
        {{S("h\xC3\xA9llo")}, ActionCode::StringLength, "number 6"},  // bytes
        {{S("h\xC3\xA9llo")}, ActionCode::MBStringLength, "number 5"},
        {{S("ab"), S("cd")}, ActionCode::StringAdd, "string abcd"},
        {{S("ab"), S("b")}, ActionCode::StringLess, "boolean true"},
        {{S("ab"), S("b")}, ActionCode::StringGreater, "boolean false"},
        {{I(10), S("10")}, ActionCode::StringEquals, "boolean true"},
        {{S("A")}, ActionCode::CharToAscii, "number 65"},
        {{I(66)}, ActionCode::AsciiToChar, "string B"},
        {{I(233)}, ActionCode::MBAsciiToChar, "string \xC3\xA9"},
        {{S("\xC3\xA9")}, ActionCode::MBCharToAscii, "number 233"},
        {{I(1), I(2)}, ActionCode::Less, "boolean true"},
        {{S("x"), I(0)}, ActionCode::Or, "boolean true"},
        {{S("x"), I(0)}, ActionCode::And, "boolean false"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Eval([&](TActionAssembler& a) {
                      if (!c.operands.empty())
                          a.Push(c.operands);
                      a.Op(c.op);
                  }),
                  c.result)
            << quorlin::swf::ActionName(static_cast<uint8_t>(c.op));
}

TEST_F(Operators, StackOfAFunctionIsItsOwn) {
    // A function that pops more than it pushed gets undefined, never its caller's values.
    TActionAssembler body;
    body.Op(ActionCode::Pop).Op(ActionCode::Pop).Push({S("own")}).Op(ActionCode::Return);
    TActionAssembler a;
    a.DefineFunction("f", {}, body);
    a.Push({S("r"), I(0), S("f")}).Op(ActionCode::CallFunction).Op(ActionCode::SetVariable);
    a.Push({S("swapped"), I(1), I(2)}).Op(ActionCode::StackSwap).Op(ActionCode::Pop).Op(ActionCode::SetVariable);
    a.Push({S("twice"), S("x")}).Op(ActionCode::PushDuplicate).Op(ActionCode::Add2).Op(ActionCode::SetVariable);
    Run(a);
    EXPECT_EQ(Show(Var("r")), "string own");
    EXPECT_EQ(Show(Var("swapped")), "number 2");
    EXPECT_EQ(Show(Var("twice")), "string xx");
}

TEST_F(Operators, DeletingAndDeclaring) {
    TActionAssembler a;
    a.Push({S("o"), S("a"), I(1), S("b"), I(2), I(2)}).Op(ActionCode::InitObject).Op(ActionCode::SetVariable);
    a.Push({S("deleted"), S("o")}).Op(ActionCode::GetVariable).Push({S("a")}).Op(ActionCode::Delete);
    a.Op(ActionCode::SetVariable);
    a.Push({S("gone"), S("o")}).Op(ActionCode::Delete2).Op(ActionCode::SetVariable);
    a.Push({S("missing"), S("nothing")}).Op(ActionCode::Delete2).Op(ActionCode::SetVariable);
    a.Push({S("kept"), I(5)}).Op(ActionCode::SetVariable).Push({S("kept")}).Op(ActionCode::DefineLocal2);
    a.Push({S("declared")}).Op(ActionCode::DefineLocal2);
    Run(a);
    EXPECT_EQ(Show(Var("deleted")), "boolean true");
    EXPECT_EQ(Show(Var("gone")), "boolean true");
    EXPECT_EQ(Show(Var("missing")), "boolean false");
    EXPECT_TRUE(Var("o").IsUndefined());
    EXPECT_EQ(Show(Var("kept")), "number 5");  // DefineLocal2 leaves an existing value
    EXPECT_TRUE(FRoot->HasOwn("declared"));
}

TEST_F(Operators, CastAndInterfaces) {
    // function Shape() {} function Round() {} Shape implements Round
    TActionAssembler a;
    a.DefineFunction("Shape", {}, TActionAssembler()).DefineFunction("Round", {}, TActionAssembler());
    a.Push({S("Round")}).Op(ActionCode::GetVariable).Push({I(1), S("Shape")}).Op(ActionCode::GetVariable);
    a.Op(ActionCode::ImplementsOp);
    a.Push({S("s"), I(0), S("Shape")}).Op(ActionCode::NewObject).Op(ActionCode::SetVariable);
    a.Push({S("isRound"), S("s")}).Op(ActionCode::GetVariable).Push({S("Round")}).Op(ActionCode::GetVariable);
    a.Op(ActionCode::InstanceOf).Op(ActionCode::SetVariable);
    a.Push({S("cast"), S("Round")}).Op(ActionCode::GetVariable).Push({S("s")}).Op(ActionCode::GetVariable);
    a.Op(ActionCode::CastOp).Push({S("s")}).Op(ActionCode::GetVariable).Op(ActionCode::StrictEquals);
    a.Op(ActionCode::SetVariable);
    a.Push({S("failed"), S("Array")}).Op(ActionCode::GetVariable).Push({S("s")}).Op(ActionCode::GetVariable);
    a.Op(ActionCode::CastOp).Op(ActionCode::SetVariable);
    Run(a);
    EXPECT_EQ(Show(Var("isRound")), "boolean true");
    EXPECT_EQ(Show(Var("cast")), "boolean true");
    EXPECT_TRUE(Var("failed").IsNull());
}
