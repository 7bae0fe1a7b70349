// Conversions, equality, comparison and Add2 as scripts see them in SWF 7.
#include "ScriptHarness.h"

using namespace quorlin::avm1;
using namespace quorlin::avm1::test;

namespace {

// Pushes one value of every kind a script can make.
using TMaker = std::function<void(TActionAssembler&)>;

TMaker Value(TPushValue v) {
    return [v](TActionAssembler& a) { a.Push({v}); };
}
const TMaker EmptyObject = [](TActionAssembler& a) { a.Push({I(0)}).Op(ActionCode::InitObject); };
const TMaker ArrayOfTwo = [](TActionAssembler& a) { a.Push({I(2), I(1), I(2)}).Op(ActionCode::InitArray); };

using Conversions = TScriptTest;

}  // namespace

TEST_F(Conversions, EveryTypeConvertsToNumberStringAndBoolean) {
    struct Case {
        const char* name;
        TMaker make;
        const char* number;
        const char* string;
        const char* boolean;
    };
    const Case cases[] = {
        {"undefined", Value(Undef()), "NaN", "undefined", "false"},
        {"null", Value(Null()), "NaN", "null", "false"},
        {"true", Value(B(true)), "1", "true", "true"},
        {"false", Value(B(false)), "0", "false", "false"},
        {"zero", Value(I(0)), "0", "0", "false"},
        {"NaN", Value(D(NAN)), "NaN", "NaN", "false"},
        {"fraction", Value(D(-2.5)), "-2.5", "-2.5", "true"},
        {"empty string", Value(S("")), "NaN", "", "false"},
        {"string zero", Value(S("0")), "0", "0", "true"},  // non-empty: true from SWF 7 on
        {"string false", Value(S("false")), "NaN", "false", "true"},
        {"numeric string", Value(S(" 42 ")), "42", " 42 ", "true"},
        {"object", EmptyObject, "NaN", "[object Object]", "true"},
        {"array", ArrayOfTwo, "NaN", "1,2", "true"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Eval([&](TActionAssembler& a) { c.make(a); a.Op(ActionCode::ToNumber); }),
                  std::string("number ") + c.number)
            << c.name;
        EXPECT_EQ(Eval([&](TActionAssembler& a) { c.make(a); a.Op(ActionCode::ToString); }),
                  std::string("string ") + c.string)
            << c.name;
        EXPECT_EQ(Eval([&](TActionAssembler& a) { c.make(a); a.Op(ActionCode::Not).Op(ActionCode::Not); }),
                  std::string("boolean ") + c.boolean)
            << c.name;
    }
}

TEST_F(Conversions, EqualityAndComparisonAcrossTypes) {
    struct Case {
        TPushValue a, b;
        ActionCode op;
        const char* result;
    };
    const Case cases[] = {
        {I(1), S("1"), ActionCode::Equals2, "boolean true"},
        {I(1), S("1"), ActionCode::StrictEquals, "boolean false"},
        {Null(), Undef(), ActionCode::Equals2, "boolean true"},
        {Null(), Undef(), ActionCode::StrictEquals, "boolean false"},
        {Null(), I(0), ActionCode::Equals2, "boolean false"},
        {Undef(), I(0), ActionCode::Equals2, "boolean false"},
        {B(true), I(1), ActionCode::Equals2, "boolean true"},
        {B(true), S("true"), ActionCode::Equals2, "boolean false"},  // true is 1, "true" is NaN
        {S("true"), S("true"), ActionCode::Equals2, "boolean true"},
        {S("TRUE"), S("true"), ActionCode::Equals2, "boolean false"},
        {S(""), I(0), ActionCode::Equals2, "boolean false"},          // "" is NaN in SWF 7
        {D(NAN), D(NAN), ActionCode::Equals2, "boolean false"},
        {S("abc"), S("abd"), ActionCode::Less2, "boolean true"},
        {S("10"), S("9"), ActionCode::Less2, "boolean true"},         // both strings: by characters
        {I(10), S("9"), ActionCode::Less2, "boolean false"},          // a number: numerically
        {Undef(), I(1), ActionCode::Less2, "undefined undefined"},    // NaN compares to nothing
        {S("a"), I(1), ActionCode::Greater, "undefined undefined"},
        {I(2), I(1), ActionCode::Greater, "boolean true"},
        {Null(), I(1), ActionCode::Less2, "undefined undefined"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Eval([&](TActionAssembler& a) { a.Push({c.a, c.b}).Op(c.op); }), c.result)
            << c.a.String << c.a.Number << " op " << int(c.op) << ' ' << c.b.String << c.b.Number;
}

TEST_F(Conversions, ObjectsCompareByIdentityAndByTheirPrimitive) {
    // o = {}; o == o, o == {} and an array against the text it joins to.
    TActionAssembler a;
    a.Push({S("o"), I(0)}).Op(ActionCode::InitObject).Op(ActionCode::SetVariable);
    a.Push({S("same"), S("o")}).Op(ActionCode::GetVariable).Push({S("o")}).Op(ActionCode::GetVariable);
    a.Op(ActionCode::Equals2).Op(ActionCode::SetVariable);
    a.Push({S("other"), S("o")}).Op(ActionCode::GetVariable).Push({I(0)}).Op(ActionCode::InitObject);
    a.Op(ActionCode::Equals2).Op(ActionCode::SetVariable);
    a.Push({S("joined"), I(2), I(1), I(2)}).Op(ActionCode::InitArray).Push({S("1,2")});
    a.Op(ActionCode::Equals2).Op(ActionCode::SetVariable);
    Run(a);
    EXPECT_EQ(Show(Var("same")), "boolean true");
    EXPECT_EQ(Show(Var("other")), "boolean false");
    EXPECT_EQ(Show(Var("joined")), "boolean true");
}

TEST_F(Conversions, Add2ConcatenatesWhenEitherSideIsAString) {
    struct Case {
        TMaker a, b;
        const char* result;
    };
    const Case cases[] = {
        {Value(S("1")), Value(I(2)), "string 12"},
        {Value(I(1)), Value(I(2)), "number 3"},
        {Value(I(1)), Value(B(true)), "number 2"},
        {Value(S("a")), Value(Undef()), "string aundefined"},
        {Value(S("a")), Value(Null()), "string anull"},
        {Value(I(1)), Value(Undef()), "number NaN"},
        {Value(D(0.5)), Value(S("")), "string 0.5"},
        {ArrayOfTwo, Value(S("x")), "string 1,2x"},
        {EmptyObject, Value(I(1)), "string [object Object]1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Eval([&](TActionAssembler& a) { c.a(a); c.b(a); a.Op(ActionCode::Add2); }), c.result);
    // The SWF 4 Add is numeric whatever the operands.
    EXPECT_EQ(Eval([](TActionAssembler& a) { a.Push({S("1"), I(2)}).Op(ActionCode::Add); }), "number 3");
}

TEST_F(Conversions, TypeOfEveryKind) {
    struct Case {
        TMaker make;
        const char* type;
    };
    const Case cases[] = {
        {Value(Undef()), "undefined"}, {Value(Null()), "null"},   {Value(B(true)), "boolean"},
        {Value(I(1)), "number"},       {Value(S("")), "string"},  {EmptyObject, "object"},
        {[](TActionAssembler& a) { a.Push({S("Math")}).Op(ActionCode::GetVariable).Push({S("floor")}).Op(ActionCode::GetMember); },
         "function"},
        {[](TActionAssembler& a) { a.Push({S("this")}).Op(ActionCode::GetVariable); }, "movieclip"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Eval([&](TActionAssembler& a) { c.make(a); a.Op(ActionCode::TypeOf); }),
                  std::string("string ") + c.type);
}
