#include "player/avm1/Object.h"

#include "player/avm1/Function.h"
#include "player/avm1/Heap.h"
#include "player/avm1/Machine.h"
#include "player/avm1/Utf8.h"

namespace quorlin::avm1 {

const TProperty* TObject::FindOwn(const std::string& name) const {
    auto it = FIndex.find(name);
    return it == FIndex.end() ? nullptr : &FProperties[it->second].second;
}

TProperty* TObject::FindOwn(const std::string& name) {
    auto it = FIndex.find(name);
    return it == FIndex.end() ? nullptr : &FProperties[it->second].second;
}

void TObject::Define(const std::string& name, TValue value, uint8_t flags) {
    if (TProperty* existing = FindOwn(name)) {
        existing->FValue = std::move(value);
        existing->FFlags = flags;
        existing->FGetter = existing->FSetter = nullptr;
        return;
    }
    FIndex.emplace(name, FProperties.size());
    FProperties.emplace_back(name, TProperty{std::move(value), flags});
}

bool TObject::GetOwn(TMachine& m, const std::string& name, const TValue& self, TValue& out) {
    const TProperty* p = FindOwn(name);
    if (!p)
        return false;
    if (p->FGetter) {
        TFunction* getter = p->FGetter;
        out = m.Call(getter, self, {});
    } else {
        out = p->FValue;
    }
    return true;
}

void TObject::SetOwn(TMachine& m, const std::string& name, const TValue& value) {
    if (TProperty* p = FindOwn(name)) {
        if (p->FSetter) {
            TFunction* setter = p->FSetter;
            TValue args[] = {value};
            m.Call(setter, TValue(this), args);
        } else if (!(p->FFlags & pfReadOnly) && !p->FGetter) {
            p->FValue = value;
        }
        return;
    }
    Define(name, value);
}

bool TObject::DeleteOwn(const std::string& name) {
    auto it = FIndex.find(name);
    if (it == FIndex.end() || (FProperties[it->second].second.FFlags & pfDontDelete))
        return false;
    FProperties.erase(FProperties.begin() + static_cast<std::ptrdiff_t>(it->second));
    Reindex();
    return true;
}

void TObject::Reindex() {
    FIndex.clear();
    for (size_t i = 0; i < FProperties.size(); ++i)
        FIndex.emplace(FProperties[i].first, i);
}

void TObject::OwnKeys(std::vector<std::string>& out) const {
    for (const auto& [name, p] : FProperties)
        if (!(p.FFlags & pfDontEnum))
            out.push_back(name);
}

void TObject::Trace(TTracer& tracer) {
    tracer.Mark(FProto);
    for (auto& [name, p] : FProperties) {
        tracer.Mark(p.FValue);
        tracer.Mark(p.FGetter);
        tracer.Mark(p.FSetter);
    }
}

bool TBoxObject::GetOwn(TMachine& m, const std::string& name, const TValue& self, TValue& out) {
    if (FPrimitive.IsString() && name == "length") {
        out = static_cast<double>(Utf8Length(FPrimitive.AsString()));
        return true;
    }
    return TObject::GetOwn(m, name, self, out);
}

}  // namespace quorlin::avm1
