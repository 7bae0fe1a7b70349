#include "player/avm1/Error.h"

#include "player/avm1/Object.h"

namespace quorlin::avm1 {

namespace {

// The value as text for the message, without running script code: an Error's
// message is a plain property.
std::string Describe(const TValue& v) {
    if (TObject* o = v.ObjectOrNull()) {
        const TProperty* message = o->FindOwn("message");
        if (message && message->FValue.IsString())
            return message->FValue.AsString();
        return std::string("an ") + o->TypeOf();
    }
    return PrimitiveToString(v);
}

}  // namespace

TScriptThrow::TScriptThrow(TValue value)
    : TScriptError("script stopped: uncaught exception " + Describe(value)), FValue(std::move(value)) {}

}  // namespace quorlin::avm1
