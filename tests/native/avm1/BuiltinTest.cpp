// The built-in classes called as a script calls them, through the machine.
#include "ScriptHarness.h"

#include "player/avm1/Array.h"

using namespace quorlin::avm1;
using namespace quorlin::avm1::test;

namespace {

class Builtins : public TScriptTest {
protected:
    TValue Global(const std::string& name) { return FMachine.GetMember(TValue(FMachine.Global()), name); }
    TValue New(const std::string& ctor, std::vector<TValue> args = {}) {
        return TValue(FMachine.Construct(Global(ctor), args));
    }
    TValue Call(const TValue& on, const std::string& method, std::vector<TValue> args = {}) {
        return FMachine.CallMethod(on, method, args);
    }
    TValue Array(std::vector<TValue> items) { return TValue(FMachine.NewArray(std::move(items))); }
};

struct TCallCase {
    TValue receiver;
    const char* method;
    std::vector<TValue> args;
    const char* result;  // as Show gives it
};

}  // namespace

TEST_F(Builtins, StringMethods) {
    const TValue clock("14:05:30");
    const TCallCase cases[] = {
        {clock, "split", {":"}, "object 14,05,30"},
        {TValue("a,b,,c"), "split", {","}, "object a,b,,c"},
        {TValue("abc"), "split", {""}, "object a,b,c"},
        {TValue("abc"), "split", {}, "object abc"},
        {TValue(""), "split", {","}, "object "},
        {TValue("a:b:c"), "split", {":", 2}, "object a,b"},
        {TValue("a--b"), "split", {"--"}, "object a,b"},
        {clock, "substr", {3, 2}, "string 05"},
        {clock, "substr", {-2}, "string 30"},
        {clock, "substring", {5, 3}, "string 05"},  // a reversed pair swaps
        {clock, "substring", {-4, 2}, "string 14"}, // a negative start is 0
        {clock, "slice", {-5, -3}, "string 05"},
        {clock, "indexOf", {":"}, "number 2"},
        {clock, "indexOf", {":", 3}, "number 5"},
        {clock, "indexOf", {"x"}, "number -1"},
        {clock, "lastIndexOf", {":"}, "number 5"},
        {clock, "charAt", {1}, "string 4"},
        {clock, "charAt", {99}, "string "},
        {clock, "charCodeAt", {0}, "number 49"},
        {TValue("Quorlin"), "toUpperCase", {}, "string QUORLIN"},
        {TValue("Quorlin"), "toLowerCase", {}, "string quorlin"},
        {TValue("h\xC3\xA9llo"), "charAt", {1}, "string \xC3\xA9"},
        {TValue("h\xC3\xA9llo"), "substr", {1, 2}, "string \xC3\xA9l"},
        {TValue("h\xC3\xA9llo"), "indexOf", {"l"}, "number 2"},
        {TValue(12.5), "toString", {}, "string 12.5"},
        {TValue(255), "toString", {16}, "string ff"},
    };
    for (const TCallCase& c : cases)
        EXPECT_EQ(Show(Call(c.receiver, c.method, c.args)), c.result)
            << FMachine.ToString(c.receiver) << '.' << c.method;
    EXPECT_EQ(Show(FMachine.GetMember(TValue("h\xC3\xA9llo"), "length")), "number 5");
    EXPECT_EQ(Show(Call(Global("String"), "fromCharCode", {72, 105})), "string Hi");
    // A String object reads like its text, and split gives a real array.
    EXPECT_EQ(Show(FMachine.GetMember(New("String", {"abc"}), "length")), "number 3");
    EXPECT_TRUE(FMachine.InstanceOf(Call(clock, "split", {":"}), Global("Array").AsObject()));
}

TEST_F(Builtins, ArrayMethods) {
    TValue a = Array({3, 1, 2});
    EXPECT_EQ(Show(Call(a, "push", {4, 5})), "number 5");
    EXPECT_EQ(Show(Call(a, "pop")), "number 5");
    EXPECT_EQ(Show(Call(a, "shift")), "number 3");
    EXPECT_EQ(Show(Call(a, "unshift", {0})), "number 4");
    EXPECT_EQ(Show(a), "object 0,1,2,4");
    EXPECT_EQ(Show(Call(a, "slice", {1, -1})), "object 1,2");
    EXPECT_EQ(Show(Call(a, "splice", {1, 2, "x", "y", "z"})), "object 1,2");
    EXPECT_EQ(Show(a), "object 0,x,y,z,4");
    EXPECT_EQ(Show(Call(a, "join", {" "})), "string 0 x y z 4");
    EXPECT_EQ(Show(Call(Call(a, "reverse"), "concat", {Array({7, 8}), 9})), "object 4,z,y,x,0,7,8,9");

    // Writing past the end grows the array; writing length cuts it.
    TValue b = Array({});
    FMachine.SetMember(b, "3", "d");
    EXPECT_EQ(Show(FMachine.GetMember(b, "length")), "number 4");
    EXPECT_EQ(Show(b), "object undefined,undefined,undefined,d");
    FMachine.SetMember(b, "length", 1);
    EXPECT_EQ(Show(b), "object undefined");
    // Constructor forms: a single number is a length, anything else the elements.
    EXPECT_EQ(Show(FMachine.GetMember(New("Array", {3}), "length")), "number 3");
    EXPECT_EQ(Show(New("Array", {"3"})), "object 3");
    EXPECT_EQ(Show(New("Array", {1, 2})), "object 1,2");
}

TEST_F(Builtins, ArraySortOrders) {
    double numeric = FMachine.ToNumber(FMachine.GetMember(Global("Array"), "NUMERIC"));
    double descending = FMachine.ToNumber(FMachine.GetMember(Global("Array"), "DESCENDING"));
    double indexed = FMachine.ToNumber(FMachine.GetMember(Global("Array"), "RETURNINDEXEDARRAY"));
    EXPECT_EQ(Show(Call(Array({10, 9, 1}), "sort")), "object 1,10,9");  // by text by default
    EXPECT_EQ(Show(Call(Array({10, 9, 1}), "sort", {numeric})), "object 1,9,10");
    EXPECT_EQ(Show(Call(Array({10, 9, 1}), "sort", {numeric + descending})), "object 10,9,1");
    EXPECT_EQ(Show(Call(Array({"b", "c", "a"}), "sort", {indexed})), "object 2,0,1");
    TValue byLength = FMachine.NewFunction([](TMachine& m, const TValue&, TArgs args) -> TValue {
        return m.ToNumber(m.GetMember(args[0], "length")) - m.ToNumber(m.GetMember(args[1], "length"));
    });
    EXPECT_EQ(Show(Call(Array({"ccc", "a", "bb"}), "sort", {byLength})), "object a,bb,ccc");
    // A compare function that contradicts itself must not break the sort.
    TValue liar = FMachine.NewFunction([](TMachine& m, const TValue&, TArgs) -> TValue {
        return (m.NextRandom() & 1) ? 1.0 : -1.0;
    });
    TValue many = Array({5, 3, 8, 1, 9, 2, 7, 4, 6, 0, 11, 15, 13, 12, 14, 10});
    Call(many, "sort", {liar});
    EXPECT_EQ(FMachine.ToNumber(FMachine.GetMember(many, "length")), 16);
}

TEST_F(Builtins, DateReadsTheSuppliedClockInLocalTimeAndUtc) {
    TValue now = New("Date");
    // The fixed clock: 2026-12-11 12:00:00.250 UTC, local time one hour ahead.
    const TCallCase cases[] = {
        {now, "getTime", {}, "number 1796990400250"},
        {now, "getFullYear", {}, "number 2026"},
        {now, "getYear", {}, "number 126"},
        {now, "getMonth", {}, "number 11"},
        {now, "getDate", {}, "number 11"},
        {now, "getDay", {}, "number 5"},
        {now, "getHours", {}, "number 13"},
        {now, "getUTCHours", {}, "number 12"},
        {now, "getMinutes", {}, "number 0"},
        {now, "getSeconds", {}, "number 0"},
        {now, "getMilliseconds", {}, "number 250"},
        {now, "getTimezoneOffset", {}, "number -60"},
        {now, "toString", {}, "string Fri Dec 11 13:00:00 GMT+0100 2026"},
    };
    for (const TCallCase& c : cases)
        EXPECT_EQ(Show(Call(c.receiver, c.method, c.args)), c.result) << c.method;
    FClock.Advance(1500);
    EXPECT_EQ(Show(Call(New("Date"), "getSeconds")), "number 1");
}

TEST_F(Builtins, DateConstructorForms) {
    TValue leap = New("Date", {2000, 1, 29, 23, 59, 58, 7});  // local time
    EXPECT_EQ(Show(Call(leap, "getDate")), "number 29");
    EXPECT_EQ(Show(Call(leap, "getHours")), "number 23");
    EXPECT_EQ(Show(Call(leap, "getUTCHours")), "number 22");
    EXPECT_EQ(Show(Call(leap, "getMilliseconds")), "number 7");
    EXPECT_EQ(Show(Call(New("Date", {99, 0}), "getFullYear")), "number 1999");  // two digits: 19xx
    TValue epoch = New("Date", {0});
    EXPECT_EQ(Show(Call(epoch, "getUTCFullYear")), "number 1970");
    EXPECT_EQ(Show(Call(epoch, "getHours")), "number 1");
    EXPECT_EQ(Show(Call(Global("Date"), "UTC", {2026, 11, 11, 12})), "number 1796990400000");
    EXPECT_EQ(Show(Call(New("Date", {"not a time"}), "toString")), "string Invalid Date");
    // As a value a date is its time for arithmetic and its text for concatenation.
    EXPECT_EQ(FMachine.ToNumber(epoch), 0);
    TValue text = FMachine.ToPrimitive(epoch);
    EXPECT_EQ(Show(text), "string Thu Jan 1 01:00:00 GMT+0100 1970");
}

TEST_F(Builtins, DateSettersRollOverAndKeepTheOtherFields) {
    TValue d = New("Date", {2026, 0, 31, 10, 20, 30, 400});
    Call(d, "setMonth", {1});  // February 31st is March 3rd in 2026
    EXPECT_EQ(Show(Call(d, "getMonth")), "number 2");
    EXPECT_EQ(Show(Call(d, "getDate")), "number 3");
    Call(d, "setHours", {25});
    EXPECT_EQ(Show(Call(d, "getDate")), "number 4");
    EXPECT_EQ(Show(Call(d, "getHours")), "number 1");
    EXPECT_EQ(Show(Call(d, "getMinutes")), "number 20");
    Call(d, "setHours", {14, 5, 30});  // minutes and seconds too; milliseconds stay
    EXPECT_EQ(Show(Call(d, "toString")), "string Wed Mar 4 14:05:30 GMT+0100 2026");
    EXPECT_EQ(Show(Call(d, "getMilliseconds")), "number 400");
    Call(d, "setUTCHours", {0});
    EXPECT_EQ(Show(Call(d, "getHours")), "number 1");
    Call(d, "setUTCDate", {1});
    EXPECT_EQ(Show(Call(d, "getUTCDate")), "number 1");
    Call(d, "setFullYear", {2024, 1, 29});
    EXPECT_EQ(Show(Call(d, "getDay")), "number 4");
    Call(d, "setMinutes", {TValue()});  // a field that is not a number spoils the date
    EXPECT_EQ(Show(Call(d, "getTime")), "number NaN");
    EXPECT_EQ(Show(Call(d, "getHours")), "number NaN");
    Call(d, "setFullYear", {2020});  // only the year setters repair it
    EXPECT_EQ(Show(Call(d, "getFullYear")), "number 2020");
    Call(d, "setYear", {95});
    EXPECT_EQ(Show(Call(d, "getFullYear")), "number 1995");
    Call(d, "setTime", {1000});
    EXPECT_EQ(Show(Call(d, "valueOf")), "number 1000");
}

TEST_F(Builtins, NumberBooleanMathAndGlobals) {
    struct Case {
        const char* function;
        std::vector<TValue> args;
        const char* result;
    };
    const Case cases[] = {
        {"parseInt", {"08"}, "number 8"},
        {"parseInt", {"ff", 16}, "number 255"},
        {"parseInt", {"0x1f"}, "number 31"},
        {"parseInt", {"x"}, "number NaN"},
        {"parseFloat", {"2.5em"}, "number 2.5"},
        {"isNaN", {"abc"}, "boolean true"},
        {"isNaN", {"12"}, "boolean false"},
        {"isFinite", {"1e400"}, "boolean false"},
        {"isFinite", {TValue::Null()}, "boolean false"},
        {"Number", {"0x10"}, "number 16"},
        {"Number", {TValue()}, "number NaN"},
        {"Boolean", {"false"}, "boolean true"},
        {"String", {TValue()}, "string undefined"},
        {"escape", {"a b&c"}, "string a%20b%26c"},
        {"unescape", {"a%20b%zz"}, "string a b%zz"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Show(FMachine.Call(Global(c.function), TValue(), c.args)), c.result) << c.function;
    TValue math = Global("Math");
    EXPECT_EQ(Show(Call(math, "floor", {-2.5})), "number -3");
    EXPECT_EQ(Show(Call(math, "round", {-2.5})), "number -2");
    EXPECT_EQ(Show(Call(math, "max", {1, 7, 3})), "number 7");
    EXPECT_EQ(Show(Call(math, "max", {})), "number -Infinity");
    EXPECT_EQ(Show(Call(math, "min", {1, "x"})), "number NaN");
    EXPECT_EQ(Show(Call(math, "pow", {2, 10})), "number 1024");
    EXPECT_EQ(Show(FMachine.GetMember(math, "PI")), "number 3.14159265358979");
    double r = FMachine.ToNumber(Call(math, "random"));
    EXPECT_TRUE(r >= 0 && r < 1);
    EXPECT_EQ(Show(Call(New("Number", {5}), "valueOf")), "number 5");
    EXPECT_EQ(Show(New("Boolean", {0})), "object false");
}
