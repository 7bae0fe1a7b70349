// Functions, closures, prototypes, exceptions, with and enumeration, as compiled
// ActionScript 2 arranges them.
#include "ScriptHarness.h"

#include <algorithm>

using namespace quorlin::avm1;
using namespace quorlin::avm1::test;
namespace Flag = quorlin::swf::Function2Flag;

namespace {

using Functions = TScriptTest;

// name = value of the expression the caller pushed after name.
void Set(TActionAssembler& a, const std::string& name, std::vector<TPushValue> values, ActionCode op) {
    values.insert(values.begin(), S(name));
    a.Push(values).Op(op).Op(ActionCode::SetVariable);
}

}  // namespace

TEST_F(Functions, Function2KeepsParametersInRegisters) {
    quorlin::swf::TFunction2 add("add", Flag::SuppressThis | Flag::SuppressArguments | Flag::SuppressSuper);
    uint8_t ra = add.Param("a"), rb = add.Param("b");
    add.Body.Push({R(ra), R(rb)}).Op(ActionCode::Subtract).Op(ActionCode::Return);
    TActionAssembler a;
    a.DefineFunction2(add);
    Set(a, "result", {I(3), I(10), I(2), S("add")}, ActionCode::CallFunction);  // add(10, 3)
    Set(a, "missing", {I(10), I(1), S("add")}, ActionCode::CallFunction);       // add(10): b undefined
    Run(a);
    EXPECT_EQ(Show(Var("result")), "number 7");
    EXPECT_EQ(Show(Var("missing")), "number NaN");
    // Register parameters are no variables of the call.
    EXPECT_TRUE(Var("a").IsUndefined());
}

TEST_F(Functions, Function2PreloadsThisArgumentsRootAndGlobal) {
    quorlin::swf::TFunction2 probe("", Flag::PreloadThis | Flag::PreloadArguments | Flag::PreloadRoot |
                                           Flag::PreloadGlobal);
    auto& body = probe.Body;
    // seen = [this.tag, arguments.length, _root === _level0, typeof _global.Math]
    body.Push({R(probe.Register("_global")), S("Math")}).Op(ActionCode::GetMember).Op(ActionCode::TypeOf);
    body.Push({R(probe.Register("_root")), S("_level0")}).Op(ActionCode::GetVariable).Op(ActionCode::StrictEquals);
    body.Push({R(probe.Register("arguments")), S("length")}).Op(ActionCode::GetMember);
    body.Push({R(probe.Register("this")), S("tag")}).Op(ActionCode::GetMember);
    body.Push({I(4)}).Op(ActionCode::InitArray).Op(ActionCode::Return);

    TActionAssembler a;
    a.Push({S("o"), S("tag"), S("mine"), I(1)}).Op(ActionCode::InitObject).Op(ActionCode::SetVariable);
    a.Push({S("o")}).Op(ActionCode::GetVariable).Push({S("probe")}).DefineFunction2(probe).Op(ActionCode::SetMember);
    a.Push({S("seen"), I(30), I(20), I(10), I(3), S("o")}).Op(ActionCode::GetVariable);
    a.Push({S("probe")}).Op(ActionCode::CallMethod).Op(ActionCode::SetVariable);
    Run(a);
    EXPECT_EQ(FMachine.ToString(Var("seen")), "mine,3,true,object");
}

TEST_F(Functions, ClosuresKeepTheirOwnActivation) {
    // function makeCounter() { var n = 0; return function () { n = n + 1; return n; }; }
    TActionAssembler inner;
    inner.Push({S("n"), S("n")}).Op(ActionCode::GetVariable).Push({I(1)}).Op(ActionCode::Add2);
    inner.Op(ActionCode::SetVariable).Push({S("n")}).Op(ActionCode::GetVariable).Op(ActionCode::Return);
    TActionAssembler make;
    make.Push({S("n"), I(0)}).Op(ActionCode::DefineLocal).DefineFunction("", {}, inner).Op(ActionCode::Return);

    TActionAssembler a;
    a.DefineFunction("makeCounter", {}, make);
    Set(a, "c1", {I(0), S("makeCounter")}, ActionCode::CallFunction);
    Set(a, "c2", {I(0), S("makeCounter")}, ActionCode::CallFunction);
    for (int i = 0; i < 2; ++i)
        a.Push({I(0), S("c1")}).Op(ActionCode::CallFunction).Op(ActionCode::Pop);
    Set(a, "r1", {I(0), S("c1")}, ActionCode::CallFunction);
    Set(a, "r2", {I(0), S("c2")}, ActionCode::CallFunction);
    Run(a);
    EXPECT_EQ(Show(Var("r1")), "number 3");
    EXPECT_EQ(Show(Var("r2")), "number 1");
    EXPECT_TRUE(Var("n").IsUndefined());
}

TEST_F(Functions, FunctionsOutliveTheBlockThatDefinedThem) {
    // A later frame calls a closure that an earlier block made; a collection in
    // between must keep its body bytes, its scope and its constant pool.
    TActionAssembler inner;  // reads the pool of the block that defined it
    inner.Push({TPushValue::Constant(0), TPushValue::Constant(0)}).Op(ActionCode::GetVariable);
    inner.Op(ActionCode::Increment).Op(ActionCode::SetVariable);
    inner.Push({TPushValue::Constant(0)}).Op(ActionCode::GetVariable).Op(ActionCode::Return);
    TActionAssembler make;
    make.Push({S("n"), I(10)}).Op(ActionCode::DefineLocal).DefineFunction("", {}, inner).Op(ActionCode::Return);
    TActionAssembler first;
    first.ConstantPool({"n"}).DefineFunction("make", {}, make).Push({S("counter"), I(0), S("make")}).Op(ActionCode::CallFunction);
    first.Op(ActionCode::SetVariable);
    Run(first);
    FMachine.Collect();
    TActionAssembler later;
    later.Push({I(0), S("counter")}).Op(ActionCode::CallFunction).Op(ActionCode::Pop);
    later.Push({S("seen"), I(0), S("counter")}).Op(ActionCode::CallFunction).Op(ActionCode::SetVariable);
    Run(later);
    FMachine.Collect();
    Run(later);
    EXPECT_EQ(Show(Var("seen")), "number 14");
}

TEST_F(Functions, UndeclaredNamesLandOnTheTimelineLocalsDoNot) {
    // function f(p) { leaked = p; var kept = 2; } f(1);
    TActionAssembler body;
    body.Push({S("leaked"), S("p")}).Op(ActionCode::GetVariable).Op(ActionCode::SetVariable);
    body.Push({S("kept"), I(2)}).Op(ActionCode::DefineLocal);
    TActionAssembler a;
    a.DefineFunction("f", {"p"}, body).Push({I(1), I(1), S("f")}).Op(ActionCode::CallFunction).Op(ActionCode::Pop);
    Run(a);
    EXPECT_EQ(Show(Var("leaked")), "number 1");
    EXPECT_TRUE(Var("kept").IsUndefined());
    EXPECT_TRUE(Var("p").IsUndefined());
}

TEST_F(Functions, CallAndApplyChooseThis) {
    // function f(x, y) { return this.v + x + y; }
    TActionAssembler body;
    body.Push({S("this")}).Op(ActionCode::GetVariable).Push({S("v")}).Op(ActionCode::GetMember);
    body.Push({S("x")}).Op(ActionCode::GetVariable).Op(ActionCode::Add2);
    body.Push({S("y")}).Op(ActionCode::GetVariable).Op(ActionCode::Add2).Op(ActionCode::Return);
    TActionAssembler a;
    a.DefineFunction("f", {"x", "y"}, body);
    a.Push({S("o"), S("v"), S("o:"), I(1)}).Op(ActionCode::InitObject).Op(ActionCode::SetVariable);
    // viaCall = f.call(o, 1, 2); viaApply = f.apply(o, [3, 4])
    a.Push({S("viaCall"), I(2), I(1), S("o")}).Op(ActionCode::GetVariable).Push({I(3), S("f")});
    a.Op(ActionCode::GetVariable).Push({S("call")}).Op(ActionCode::CallMethod).Op(ActionCode::SetVariable);
    a.Push({S("viaApply"), I(4), I(3), I(2)}).Op(ActionCode::InitArray).Push({S("o")}).Op(ActionCode::GetVariable);
    a.Push({I(2), S("f")}).Op(ActionCode::GetVariable).Push({S("apply")}).Op(ActionCode::CallMethod);
    a.Op(ActionCode::SetVariable);
    Run(a);
    EXPECT_EQ(Show(Var("viaCall")), "string o:12");
    EXPECT_EQ(Show(Var("viaApply")), "string o:34");
}

TEST_F(Functions, PrototypesExtendsSuperAndInstanceOf) {
    // function Animal(name) { this.name = name; }
    TActionAssembler animal;
    animal.Push({S("this")}).Op(ActionCode::GetVariable).Push({S("name"), S("name")});
    animal.Op(ActionCode::GetVariable).Op(ActionCode::SetMember);
    // Animal.prototype.speak = function () { return this.name + " speaks"; }
    TActionAssembler speak;
    speak.Push({S("this")}).Op(ActionCode::GetVariable).Push({S("name")}).Op(ActionCode::GetMember);
    speak.Push({S(" speaks")}).Op(ActionCode::Add2).Op(ActionCode::Return);
    // function Dog(name) { super(name); }
    quorlin::swf::TFunction2 dog("Dog", Flag::PreloadSuper | Flag::SuppressArguments);
    uint8_t name = dog.Param("name");
    dog.Body.Push({R(name), I(1), R(dog.Register("super")), Undef()}).Op(ActionCode::CallMethod).Op(ActionCode::Pop);
    // Dog.prototype.speak = function () { return super.speak() + " loudly"; }
    quorlin::swf::TFunction2 loud("", Flag::PreloadSuper | Flag::SuppressArguments);
    loud.Body.Push({I(0), R(loud.Register("super")), S("speak")}).Op(ActionCode::CallMethod);
    loud.Body.Push({S(" loudly")}).Op(ActionCode::Add2).Op(ActionCode::Return);

    TActionAssembler a;
    a.DefineFunction("Animal", {"name"}, animal);
    a.Push({S("Animal")}).Op(ActionCode::GetVariable).Push({S("prototype")}).Op(ActionCode::GetMember);
    a.Push({S("speak")}).DefineFunction("", {}, speak).Op(ActionCode::SetMember);
    a.DefineFunction2(dog);
    a.Push({S("Dog")}).Op(ActionCode::GetVariable).Push({S("Animal")}).Op(ActionCode::GetVariable);
    a.Op(ActionCode::Extends);
    a.Push({S("Dog")}).Op(ActionCode::GetVariable).Push({S("prototype")}).Op(ActionCode::GetMember);
    a.Push({S("speak")}).DefineFunction2(loud).Op(ActionCode::SetMember);
    Set(a, "d", {S("Rex"), I(1), S("Dog")}, ActionCode::NewObject);
    a.Push({S("said"), I(0), S("d")}).Op(ActionCode::GetVariable).Push({S("speak")});
    a.Op(ActionCode::CallMethod).Op(ActionCode::SetVariable);
    auto instanceOf = [&](const char* result, std::vector<TPushValue> make, const char* ctor) {
        a.Push({S(result)}).Push(make);
        if (make.size() == 1)
            a.Op(ActionCode::GetVariable);
        else
            a.Op(ActionCode::NewObject);
        a.Push({S(ctor)}).Op(ActionCode::GetVariable).Op(ActionCode::InstanceOf).Op(ActionCode::SetVariable);
    };
    instanceOf("dogIsAnimal", {S("d")}, "Animal");
    instanceOf("dogIsDog", {S("d")}, "Dog");
    instanceOf("dogIsArray", {S("d")}, "Array");
    instanceOf("animalIsDog", {S("x"), I(1), S("Animal")}, "Dog");
    Run(a);
    EXPECT_EQ(Show(Var("said")), "string Rex speaks loudly");
    EXPECT_EQ(Show(Var("dogIsAnimal")), "boolean true");
    EXPECT_EQ(Show(Var("dogIsDog")), "boolean true");
    EXPECT_EQ(Show(Var("dogIsArray")), "boolean false");
    EXPECT_EQ(Show(Var("animalIsDog")), "boolean false");
}

TEST_F(Functions, TryCatchFinallyAndThrowsAcrossCalls) {
    // function fail() { throw "boom"; }
    TActionAssembler fail;
    fail.Push({S("boom")}).Op(ActionCode::Throw);
    quorlin::swf::TTryBlock block;
    block.TryBody.Push({I(0), S("fail")}).Op(ActionCode::CallFunction).Push({S("notReached"), B(true)});
    block.TryBody.Op(ActionCode::SetVariable);
    block.CatchBody.emplace().Push({S("caught"), S("e")}).Op(ActionCode::GetVariable).Op(ActionCode::SetVariable);
    block.CatchName = "e";
    block.FinallyBody.emplace().Push({S("cleaned"), B(true)}).Op(ActionCode::SetVariable);
    TActionAssembler a;
    a.DefineFunction("fail", {}, fail).Try(block).Push({S("after"), B(true)}).Op(ActionCode::SetVariable);
    Run(a);
    EXPECT_EQ(Show(Var("caught")), "string boom");
    EXPECT_EQ(Show(Var("cleaned")), "boolean true");
    EXPECT_EQ(Show(Var("after")), "boolean true");
    EXPECT_TRUE(Var("notReached").IsUndefined());

    // Uncaught, the value stops the script; finally still runs on the way out.
    quorlin::swf::TTryBlock bare;
    bare.TryBody.Push({S("lost")}).Op(ActionCode::Throw);
    bare.FinallyBody.emplace().Push({S("finally"), B(true)}).Op(ActionCode::SetVariable);
    TActionAssembler b;
    b.Try(bare).Push({S("afterBare"), B(true)}).Op(ActionCode::SetVariable);
    try {
        Run(b);
        FAIL() << "an uncaught throw must stop the script";
    } catch (const TScriptError& e) {
        EXPECT_NE(std::string(e.what()).find("uncaught exception lost"), std::string::npos) << e.what();
    }
    EXPECT_EQ(Show(Var("finally")), "boolean true");
    EXPECT_TRUE(Var("afterBare").IsUndefined());

    // throw new Error("bad time") reaches the caller with its message.
    TActionAssembler c;
    c.Push({S("bad time"), I(1), S("Error")}).Op(ActionCode::NewObject).Op(ActionCode::Throw);
    try {
        Run(c);
        FAIL() << "the Error must stop the script";
    } catch (const TScriptError& e) {
        EXPECT_NE(std::string(e.what()).find("uncaught exception bad time"), std::string::npos) << e.what();
    }
}

TEST_F(Functions, AThrowReachingTheHostIsAScriptError) {
    // o.toString = function () { throw "no text"; }; the host converts o.
    TActionAssembler body;
    body.Push({S("no text")}).Op(ActionCode::Throw);
    TActionAssembler a;
    a.Push({S("o"), I(0)}).Op(ActionCode::InitObject).Op(ActionCode::SetVariable);
    a.Push({S("o")}).Op(ActionCode::GetVariable).Push({S("toString")}).DefineFunction("", {}, body);
    a.Op(ActionCode::SetMember);
    Run(a);
    EXPECT_THROW(FMachine.ToString(Var("o")), TScriptError);
    EXPECT_EQ(Eval([](TActionAssembler& a) { a.Push({S("next")}); }), "string next");
}

TEST_F(Functions, WithPutsAnObjectOnTheScopeChain) {
    // o = {x: 5}; with (o) { seen = x; x = 7; } outside = x;
    TActionAssembler body;
    body.Push({S("seen"), S("x")}).Op(ActionCode::GetVariable).Op(ActionCode::SetVariable);
    body.Push({S("x"), I(7)}).Op(ActionCode::SetVariable);
    TActionAssembler a;
    a.Push({S("o"), S("x"), I(5), I(1)}).Op(ActionCode::InitObject).Op(ActionCode::SetVariable);
    a.Push({S("o")}).Op(ActionCode::GetVariable).With(body);
    a.Push({S("outside"), S("x")}).Op(ActionCode::GetVariable).Op(ActionCode::SetVariable);
    Run(a);
    EXPECT_EQ(Show(Var("seen")), "number 5");
    EXPECT_EQ(Show(FMachine.GetMember(Var("o"), "x")), "number 7");
    EXPECT_TRUE(Var("outside").IsUndefined());
    EXPECT_TRUE(Var("seen").IsNumber());
}

TEST_F(Functions, EnumerationSkipsDontEnumNames) {
    // o = {a: 1, b: 2, c: 3}; ASSetPropFlags(o, "b", 1); for (k in o) s += k;
    TActionAssembler a;
    a.Push({S("o"), S("a"), I(1), S("b"), I(2), S("c"), I(3), I(3)}).Op(ActionCode::InitObject);
    a.Op(ActionCode::SetVariable);
    a.Push({I(1), S("b"), S("o")}).Op(ActionCode::GetVariable).Push({I(3), S("ASSetPropFlags")});
    a.Op(ActionCode::CallFunction).Op(ActionCode::Pop);
    a.Push({S("s"), S("")}).Op(ActionCode::SetVariable);
    a.Push({S("o")}).Op(ActionCode::GetVariable).Op(ActionCode::Enumerate2);
    a.Label("loop").StoreRegister(0).Push({Null()}).Op(ActionCode::Equals2).If("done");
    a.Push({S("s"), S("s")}).Op(ActionCode::GetVariable).Push({R(0)}).Op(ActionCode::Add2).Op(ActionCode::SetVariable);
    a.Jump("loop").Label("done");
    Run(a);
    std::string s = FMachine.ToString(Var("s"));
    std::sort(s.begin(), s.end());
    EXPECT_EQ(s, "ac");
}
