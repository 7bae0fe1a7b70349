#pragma once
// A machine with a fixed clock, a small tree of test clips standing in for the
// runtime's display list, and helpers that assemble and run scripts on it.

#include "player/avm1/ClipObject.h"
#include "player/avm1/Error.h"
#include "player/avm1/Machine.h"
#include "player/swf/ActionAssembler.h"
#include "player/swf/ActionName.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace quorlin::avm1::test {

using swf::ActionCode;
using swf::TActionAssembler;
using swf::TPushValue;

inline TPushValue S(std::string s) { return TPushValue::Str(std::move(s)); }
inline TPushValue D(double d) { return TPushValue::Dbl(d); }
inline TPushValue I(int32_t i) { return TPushValue::Int(i); }
inline TPushValue B(bool b) { return TPushValue::Bool(b); }
inline TPushValue R(uint8_t r) { return TPushValue::Reg(r); }
inline TPushValue Null() { return TPushValue::Null(); }
inline TPushValue Undef() { return TPushValue::Undef(); }

// A clip that records what the machine asks of it.
class TTestClip : public TClipObject {
public:
    TTestClip(TMachine& m, std::string name, TTestClip* parent)
        : TClipObject(m.MovieClipPrototype()), FMachine(m), FParent(parent) {
        FProperties[swf::PropertyIndex::Name] = TValue(std::move(name));
        FProperties[swf::PropertyIndex::XScale] = 100.0;
        FProperties[swf::PropertyIndex::YScale] = 100.0;
        FProperties[swf::PropertyIndex::Alpha] = 100.0;
        FProperties[swf::PropertyIndex::Visible] = true;
        FProperties[swf::PropertyIndex::TotalFrames] = 2.0;
    }

    TTestClip* AddChild(const std::string& name) {
        auto* child = FMachine.Heap().Make<TTestClip>(FMachine, name, this);
        FChildren[name] = child;
        return child;
    }

    TValue GetProperty(swf::PropertyIndex index) override {
        if (index == swf::PropertyIndex::CurrentFrame)
            return static_cast<double>(FFrame);
        auto it = FProperties.find(index);
        return it == FProperties.end() ? TValue(0.0) : it->second;
    }
    void SetProperty(swf::PropertyIndex index, const TValue& value) override { FProperties[index] = value; }
    TClipObject* ParentClip() override { return FParent; }
    TClipObject* ChildClip(const std::string& name) override {
        auto it = FChildren.find(name);
        return it == FChildren.end() ? nullptr : it->second;
    }
    void Play() override { FCalls.push_back("play"); }
    void Stop() override { FCalls.push_back("stop"); }
    void NextFrame() override { FCalls.push_back("next"); }
    void PrevFrame() override { FCalls.push_back("prev"); }
    void GotoFrame(int frame, bool play) override {
        FFrame = frame;
        FCalls.push_back("goto " + std::to_string(frame) + (play ? " play" : " stop"));
    }
    bool GotoLabel(const std::string& label, bool play) override {
        FCalls.push_back("label " + label + (play ? " play" : " stop"));
        return true;
    }
    void Trace(TTracer& tracer) override {
        TClipObject::Trace(tracer);
        tracer.Mark(FParent);
        for (auto& [name, child] : FChildren)
            tracer.Mark(child);
    }

    double Number(swf::PropertyIndex index) { return GetProperty(index).AsNumber(); }

    std::map<swf::PropertyIndex, TValue> FProperties;
    std::vector<std::string> FCalls;
    int FFrame = 1;

private:
    TMachine& FMachine;
    TTestClip* FParent;
    std::map<std::string, TTestClip*> FChildren;
};

class TTestHost : public TDisplayHost {
public:
    TClipObject* FLevel0 = nullptr;
    TClipObject* LevelClip(int level) override { return level == 0 ? FLevel0 : nullptr; }
};

// 2026-12-11 12:00:00.250 UTC, in a zone one hour east of UTC.
constexpr double FixedUtc = 1796990400250.0;
constexpr double FixedOffset = 3600000.0;

class TScriptTest : public ::testing::Test {
protected:
    TScriptTest()
        : FClock(FixedUtc, FixedOffset), FMachine(FClock),
          FRoot(FMachine.Heap().Make<TTestClip>(FMachine, "", nullptr)), FPin(FMachine.Heap(), FRoot) {
        FHost.FLevel0 = FRoot;
        FMachine.SetDisplayHost(&FHost);
        FMachine.SetDebugLog([this](const std::string& line) { FLog.push_back(line); });
        FMachine.SetTraceOutput([this](const std::string& line) { FTraces.push_back(line); });
    }

    void Run(const TActionAssembler& a, TObject* target = nullptr) {
        FMachine.Run(a.Assemble(), target ? target : FRoot);
    }
    TValue Var(const std::string& name) { return FMachine.GetMember(TValue(FRoot), name); }
    // "number 12", "string abc": the type with the text, so both are checked.
    std::string Show(const TValue& v) { return FMachine.TypeOf(v) + " " + FMachine.ToString(v); }
    // Runs `result = <expression>` and shows the result.
    std::string Eval(const std::function<void(TActionAssembler&)>& expression) {
        TActionAssembler a;
        a.Push({S("result")});
        expression(a);
        a.Op(ActionCode::SetVariable);
        Run(a);
        return Show(Var("result"));
    }

    TFixedClock FClock;
    TMachine FMachine;
    TTestClip* FRoot;
    TPin FPin;
    TTestHost FHost;
    std::vector<std::string> FLog;
    std::vector<std::string> FTraces;
};

}  // namespace quorlin::avm1::test
