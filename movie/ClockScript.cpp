#include "movie/ClockScript.h"

#include "player/swf/ActionAssembler.h"

#include <string>

namespace quorlin::movie {

using swf::ActionCode;
using swf::PropertyIndex;
using swf::TActionAssembler;
using swf::TFunction2;
using swf::TPushValue;

namespace {

TPushValue Str(const std::string& s) { return TPushValue::Str(s); }
TPushValue Int(int32_t i) { return TPushValue::Int(i); }

// getSecondRotation(speedK, smoothK):
//   sx = second * smoothK + Math.floor(timeStamp.getMilliseconds() * smoothK / 1000)
//   R = 360 * speedK / (60 * smoothK)
//   return sx * R
// Its strings are pushed as literals, so the body does not depend on which constant
// pool is in force when it is called.
TFunction2 SecondRotation() {
    using namespace swf::Function2Flag;
    TFunction2 f("getSecondRotation", SuppressThis | SuppressArguments | SuppressSuper);
    TPushValue speedK = TPushValue::Reg(f.Param("speedK"));
    TPushValue smoothK = TPushValue::Reg(f.Param("smoothK"));
    uint8_t sx = f.Local("sx"), r = f.Local("R");
    f.Body.Push({Str("second")})
        .Op(ActionCode::GetVariable)
        .Push({smoothK})
        .Op(ActionCode::Multiply)
        .Push({Int(0), Str("timeStamp")})
        .Op(ActionCode::GetVariable)
        .Push({Str("getMilliseconds")})
        .Op(ActionCode::CallMethod)
        .Push({smoothK})
        .Op(ActionCode::Multiply)
        .Push({Int(1000)})
        .Op(ActionCode::Divide)
        .Push({Int(1), Str("Math")})
        .Op(ActionCode::GetVariable)
        .Push({Str("floor")})
        .Op(ActionCode::CallMethod)
        .Op(ActionCode::Add2)
        .StoreRegister(sx)
        .Op(ActionCode::Pop)
        .Push({Int(360), speedK})
        .Op(ActionCode::Multiply)
        .Push({Int(60), smoothK})
        .Op(ActionCode::Multiply)
        .Op(ActionCode::Divide)
        .StoreRegister(r)
        .Op(ActionCode::Pop)
        .Push({TPushValue::Reg(sx), TPushValue::Reg(r)})
        .Op(ActionCode::Multiply)
        .Op(ActionCode::Return);
    return f;
}

class TClockScript {
public:
    std::vector<uint8_t> Build() {
        A.ConstantPool({"timeStamp", "Date", "_root", "freeze_time", "freeze_parts", ":", "split", "parseInt",
                        "setHours", "setMinutes", "setSeconds", "isGlassVisible", "glass_visible", "true",
                        "isSecondsVisible", "seconds_visible", "hour", "getHours", "minute", "getMinutes", "second",
                        "getSeconds", "hourRotation", "minuteRotation", "secondRotation", "getSecondRotation", "HA1",
                        "MA1", "SA1", "glass"});
        A.DefineFunction2(SecondRotation());
        NewDate();
        FreezeTime();
        Visibility("isGlassVisible", "glass_visible", "glass");
        Visibility("isSecondsVisible", "seconds_visible", "seconds");
        ReadClock("hour", "getHours");
        ReadClock("minute", "getMinutes");
        ReadClock("second", "getSeconds");
        Rotations();
        SetProperty("HA1", PropertyIndex::Rotation, "hourRotation");
        SetProperty("MA1", PropertyIndex::Rotation, "minuteRotation");
        SetProperty("SA1", PropertyIndex::Rotation, "secondRotation");
        SetProperty("glass", PropertyIndex::Visible, "isGlassVisible");
        SetProperty("SA1", PropertyIndex::Visible, "isSecondsVisible");
        A.End();
        return A.Assemble();
    }

private:
    TPushValue C(const std::string& s) const { return A.Const(s); }

    // Pushes _root.<name>.
    void RootVariable(const std::string& name) {
        A.Push({C("_root")}).Op(ActionCode::GetVariable).Push({C(name)}).Op(ActionCode::GetMember);
    }

    // timeStamp = new Date()
    void NewDate() {
        A.Push({C("timeStamp"), Int(0), C("Date")}).Op(ActionCode::NewObject).Op(ActionCode::SetVariable);
    }

    // if (_root.freeze_time != undefined) { freeze_parts = _root.freeze_time.split(":");
    //   timeStamp.setHours(parseInt(freeze_parts[0])); ...Minutes [1]; ...Seconds [2] }
    void FreezeTime() {
        RootVariable("freeze_time");
        A.Push({TPushValue::Undef()}).Op(ActionCode::Equals2).If("notFrozen");
        A.Push({C("freeze_parts"), C(":"), Int(1)});
        RootVariable("freeze_time");
        A.Push({C("split")}).Op(ActionCode::CallMethod).Op(ActionCode::SetVariable);
        const char* setters[] = {"setHours", "setMinutes", "setSeconds"};
        for (int i = 0; i < 3; ++i) {
            A.Push({C("freeze_parts")}).Op(ActionCode::GetVariable).Push({Int(i)}).Op(ActionCode::GetMember);
            A.Push({Int(1), C("parseInt")}).Op(ActionCode::CallFunction);
            A.Push({Int(1), C("timeStamp")}).Op(ActionCode::GetVariable).Push({C(setters[i])});
            A.Op(ActionCode::CallMethod).Op(ActionCode::Pop);
        }
        A.Label("notFrozen");
    }

    // result = _root.<variable> == undefined || _root.<variable> == "true"
    void Visibility(const std::string& result, const std::string& variable, const std::string& label) {
        A.Push({C(result)});
        RootVariable(variable);
        A.Push({TPushValue::Undef()}).Op(ActionCode::Equals2);
        A.Op(ActionCode::PushDuplicate).If(label + "Known").Op(ActionCode::Pop);
        RootVariable(variable);
        A.Push({C("true")}).Op(ActionCode::Equals2);
        A.Label(label + "Known").Op(ActionCode::SetVariable);
    }

    // variable = timeStamp.<getter>()
    void ReadClock(const std::string& variable, const std::string& getter) {
        A.Push({C(variable), Int(0), C("timeStamp")}).Op(ActionCode::GetVariable).Push({C(getter)});
        A.Op(ActionCode::CallMethod).Op(ActionCode::SetVariable);
    }

    // hourRotation = 30 * (hour - 12) + minute / 2; minuteRotation = 6 * minute + second / 10;
    // secondRotation = getSecondRotation(1, 1)
    void Rotations() {
        A.Push({C("hourRotation"), Int(30), C("hour")}).Op(ActionCode::GetVariable);
        A.Push({Int(12)}).Op(ActionCode::Subtract).Op(ActionCode::Multiply);
        A.Push({C("minute")}).Op(ActionCode::GetVariable).Push({Int(2)}).Op(ActionCode::Divide);
        A.Op(ActionCode::Add2).Op(ActionCode::SetVariable);

        A.Push({C("minuteRotation"), Int(6), C("minute")}).Op(ActionCode::GetVariable).Op(ActionCode::Multiply);
        A.Push({C("second")}).Op(ActionCode::GetVariable).Push({Int(10)}).Op(ActionCode::Divide);
        A.Op(ActionCode::Add2).Op(ActionCode::SetVariable);

        A.Push({C("secondRotation"), Int(1), Int(1), Int(2), C("getSecondRotation")}).Op(ActionCode::CallFunction);
        A.Op(ActionCode::SetVariable);
    }

    // setProperty(target, property, variable)
    void SetProperty(const std::string& target, PropertyIndex property, const std::string& variable) {
        A.Push({C(target), Int(int32_t(property)), C(variable)}).Op(ActionCode::GetVariable);
        A.Op(ActionCode::SetProperty);
    }

    TActionAssembler A;
};

}  // namespace

std::vector<uint8_t> ClockScript() { return TClockScript().Build(); }

std::vector<uint8_t> LoopScript() {
    TActionAssembler a;
    a.Op(ActionCode::PreviousFrame).Op(ActionCode::Play).End();
    return a.Assemble();
}

}  // namespace quorlin::movie
