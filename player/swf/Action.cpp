#include "player/swf/Action.h"

namespace quorlin::swf {

TPushValue TPushValue::Str(std::string s) {
    TPushValue v;
    v.Type = PushType::String;
    v.String = std::move(s);
    return v;
}

TPushValue TPushValue::Float(float f) {
    TPushValue v;
    v.Type = PushType::Float;
    v.Number = f;
    return v;
}

TPushValue TPushValue::Dbl(double d) {
    TPushValue v;
    v.Type = PushType::Double;
    v.Number = d;
    return v;
}

TPushValue TPushValue::Int(int32_t i) {
    TPushValue v;
    v.Type = PushType::Integer;
    v.Integer = i;
    return v;
}

TPushValue TPushValue::Bool(bool b) {
    TPushValue v;
    v.Type = PushType::Boolean;
    v.Boolean = b;
    return v;
}

TPushValue TPushValue::Null() {
    TPushValue v;
    v.Type = PushType::Null;
    return v;
}

TPushValue TPushValue::Undef() { return TPushValue{}; }

TPushValue TPushValue::Reg(uint8_t r) {
    TPushValue v;
    v.Type = PushType::Register;
    v.Index = r;
    return v;
}

TPushValue TPushValue::Constant(uint16_t index) {
    TPushValue v;
    v.Type = index < 256 ? PushType::Constant8 : PushType::Constant16;
    v.Index = index;
    return v;
}

int64_t TAction::Target() const {
    if (auto* b = std::get_if<TActionBranch>(&Data)) return int64_t(Offset) + Size + b->Offset;
    return -1;
}

uint32_t TAction::BodySize() const {
    if (auto* f = std::get_if<TActionDefineFunction>(&Data)) return f->CodeSize;
    if (auto* f = std::get_if<TActionDefineFunction2>(&Data)) return f->CodeSize;
    if (auto* w = std::get_if<TActionWith>(&Data)) return w->Size;
    if (auto* t = std::get_if<TActionTry>(&Data)) return uint32_t(t->TrySize) + t->CatchSize + t->FinallySize;
    return 0;
}

}  // namespace quorlin::swf
