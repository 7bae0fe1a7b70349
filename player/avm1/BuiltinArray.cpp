#include "player/avm1/Array.h"
#include "player/avm1/BuiltinSupport.h"
#include "player/avm1/Builtins.h"
#include "player/avm1/Error.h"

#include <algorithm>
#include <cmath>

namespace quorlin::avm1 {

namespace {

// The option bits of Array.sort and Array.sortOn.
enum TSortOptions : uint32_t {
    soCaseInsensitive = 1,
    soDescending = 2,
    soUniqueSort = 4,
    soReturnIndexedArray = 8,
    soNumeric = 16,
};

TArrayObject* ThisArray(const TValue& self) { return dynamic_cast<TArrayObject*>(self.ObjectOrNull()); }

std::string Join(TMachine& m, TArrayObject* array, const std::string& separator) {
    std::string out;
    // Copy: a toString of an element may change the array.
    std::vector<TValue> items = array->Items();
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            out += separator;
        out += m.ToString(items[i]);
        CheckStringLength(out.size());
    }
    return out;
}

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// Merge sort: stable, and safe with a compare function that contradicts itself,
// which std::sort is not.
template <class Less>
void MergeSort(std::vector<size_t>& order, Less less) {
    std::vector<size_t> buffer(order.size());
    for (size_t width = 1; width < order.size(); width *= 2) {
        for (size_t lo = 0; lo < order.size(); lo += 2 * width) {
            size_t mid = std::min(lo + width, order.size()), hi = std::min(lo + 2 * width, order.size());
            size_t i = lo, j = mid, k = lo;
            while (i < mid && j < hi)
                buffer[k++] = less(order[j], order[i]) ? order[j++] : order[i++];
            while (i < mid)
                buffer[k++] = order[i++];
            while (j < hi)
                buffer[k++] = order[j++];
        }
        order.swap(buffer);
    }
}

// Sorts the array by keys (the elements, or a field of them for sortOn).
TValue SortBy(TMachine& m, TArrayObject* array, const std::vector<TValue>& keys, const TValue& compare,
              uint32_t options) {
    std::vector<size_t> order(keys.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    auto compareKeys = [&](size_t a, size_t b) -> double {
        if (compare.IsObject()) {
            TValue args[] = {keys[a], keys[b]};
            return m.ToNumber(m.Call(compare, TValue(), args));
        }
        if (options & soNumeric) {
            double x = m.ToNumber(keys[a]), y = m.ToNumber(keys[b]);
            return x < y ? -1 : x > y ? 1 : 0;
        }
        std::string x = m.ToString(keys[a]), y = m.ToString(keys[b]);
        if (options & soCaseInsensitive) {
            x = Lower(std::move(x));
            y = Lower(std::move(y));
        }
        return x < y ? -1 : x > y ? 1 : 0;
    };
    bool descending = options & soDescending;
    MergeSort(order, [&](size_t a, size_t b) {
        double c = compareKeys(a, b);
        return descending ? c > 0 : c < 0;
    });
    if (options & soUniqueSort) {
        for (size_t i = 1; i < order.size(); ++i)
            if (compareKeys(order[i - 1], order[i]) == 0)
                return 0.0;
    }
    if (options & soReturnIndexedArray) {
        std::vector<TValue> indices;
        for (size_t i : order)
            indices.push_back(static_cast<double>(i));
        return m.NewArray(std::move(indices));
    }
    std::vector<TValue> sorted;
    for (size_t i : order)
        sorted.push_back(array->Items()[i]);
    array->Items() = std::move(sorted);
    return array;
}

void InstallMethods(TMachine& m, TObject* proto) {
    m.DefineMethod(proto, "push", [](TMachine&, const TValue& self, TArgs args) -> TValue {
        TArrayObject* a = ThisArray(self);
        if (!a)
            return TValue();
        if (a->Items().size() + args.size() > TArrayObject::MaxLength)
            throw TScriptError("array grew too large");
        a->Items().insert(a->Items().end(), args.begin(), args.end());
        return static_cast<double>(a->Items().size());
    });
    m.DefineMethod(proto, "pop", [](TMachine&, const TValue& self, TArgs) -> TValue {
        TArrayObject* a = ThisArray(self);
        if (!a || a->Items().empty())
            return TValue();
        TValue v = a->Items().back();
        a->Items().pop_back();
        return v;
    });
    m.DefineMethod(proto, "shift", [](TMachine&, const TValue& self, TArgs) -> TValue {
        TArrayObject* a = ThisArray(self);
        if (!a || a->Items().empty())
            return TValue();
        TValue v = a->Items().front();
        a->Items().erase(a->Items().begin());
        return v;
    });
    m.DefineMethod(proto, "unshift", [](TMachine&, const TValue& self, TArgs args) -> TValue {
        TArrayObject* a = ThisArray(self);
        if (!a)
            return TValue();
        if (a->Items().size() + args.size() > TArrayObject::MaxLength)
            throw TScriptError("array grew too large");
        a->Items().insert(a->Items().begin(), args.begin(), args.end());
        return static_cast<double>(a->Items().size());
    });
    m.DefineMethod(proto, "slice", [](TMachine& m, const TValue& self, TArgs args) -> TValue {
        TArrayObject* a = ThisArray(self);
        if (!a)
            return TValue();
        size_t n = a->Items().size();
        size_t start = RelativeIndex(IntegerArg(m, args, 0, 0), n);
        size_t end = RelativeIndex(IntegerArg(m, args, 1, static_cast<double>(n)), n);
        std::vector<TValue> part;
        if (start < end)
            part.assign(a->Items().begin() + static_cast<std::ptrdiff_t>(start),
                        a->Items().begin() + static_cast<std::ptrdiff_t>(end));
        return m.NewArray(std::move(part));
    });
    m.DefineMethod(proto, "splice", [](TMachine& m, const TValue& self, TArgs args) -> TValue {
        TArrayObject* a = ThisArray(self);
        if (!a || args.empty())
            return TValue();
        auto& items = a->Items();
        size_t start = RelativeIndex(IntegerArg(m, args, 0, 0), items.size());
        double count = IntegerArg(m, args, 1, static_cast<double>(items.size() - start));
        size_t remove = static_cast<size_t>(std::clamp(count, 0.0, static_cast<double>(items.size() - start)));
        auto first = items.begin() + static_cast<std::ptrdiff_t>(start);
        std::vector<TValue> removed(first, first + static_cast<std::ptrdiff_t>(remove));
        items.erase(first, first + static_cast<std::ptrdiff_t>(remove));
        if (args.size() > 2) {
            if (items.size() + args.size() > TArrayObject::MaxLength)
                throw TScriptError("array grew too large");
            items.insert(items.begin() + static_cast<std::ptrdiff_t>(start), args.begin() + 2, args.end());
        }
        return m.NewArray(std::move(removed));
    });
    m.DefineMethod(proto, "join", [](TMachine& m, const TValue& self, TArgs args) -> TValue {
        TArrayObject* a = ThisArray(self);
        if (!a)
            return TValue();
        return Join(m, a, args.empty() || args[0].IsUndefined() ? "," : m.ToString(args[0]));
    });
    m.DefineMethod(proto, "toString", [](TMachine& m, const TValue& self, TArgs) -> TValue {
        TArrayObject* a = ThisArray(self);
        return a ? TValue(Join(m, a, ",")) : TValue("[object Object]");
    });
    m.DefineMethod(proto, "reverse", [](TMachine&, const TValue& self, TArgs) -> TValue {
        TArrayObject* a = ThisArray(self);
        if (!a)
            return TValue();
        std::reverse(a->Items().begin(), a->Items().end());
        return a;
    });
    m.DefineMethod(proto, "concat", [](TMachine& m, const TValue& self, TArgs args) -> TValue {
        TArrayObject* a = ThisArray(self);
        if (!a)
            return TValue();
        std::vector<TValue> items = a->Items();
        for (const TValue& v : args) {
            if (auto* other = dynamic_cast<TArrayObject*>(v.ObjectOrNull()))
                items.insert(items.end(), other->Items().begin(), other->Items().end());
            else
                items.push_back(v);
            if (items.size() > TArrayObject::MaxLength)
                throw TScriptError("array grew too large");
        }
        return m.NewArray(std::move(items));
    });
    m.DefineMethod(proto, "sort", [](TMachine& m, const TValue& self, TArgs args) -> TValue {
        TArrayObject* a = ThisArray(self);
        if (!a)
            return TValue();
        TValue compare;
        size_t optionIndex = 0;
        if (Arg(args, 0).IsObject() && Arg(args, 0).AsObject()->IsFunction()) {
            compare = args[0];
            optionIndex = 1;
        }
        uint32_t options = ToUint32(NumberArg(m, args, optionIndex, 0));
        std::vector<TValue> keys = a->Items();
        return SortBy(m, a, keys, compare, options);
    });
    m.DefineMethod(proto, "sortOn", [](TMachine& m, const TValue& self, TArgs args) -> TValue {
        TArrayObject* a = ThisArray(self);
        if (!a)
            return TValue();
        std::string field = m.ToString(Arg(args, 0));
        uint32_t options = ToUint32(NumberArg(m, args, 1, 0));
        std::vector<TValue> keys;
        for (const TValue& v : a->Items())
            keys.push_back(m.GetMember(v, field));
        return SortBy(m, a, keys, TValue(), options);
    });
}

}  // namespace

TObject* InstallArray(TMachine& m) {
    auto* proto = m.Heap().Make<TArrayObject>(m.ObjectPrototype());
    auto make = [](TMachine& m, TObject* prototype, TArgs args) -> TObject* {
        auto* array = m.Heap().Make<TArrayObject>(prototype);
        if (args.size() == 1 && args[0].IsNumber())
            array->Resize(args[0].AsNumber());
        else
            array->Items().assign(args.begin(), args.end());
        return array;
    };
    TNativeFunction* ctor = m.DefineClass(
        "Array", proto, [make](TMachine& m, const TValue&, TArgs args) -> TValue { return make(m, m.ArrayPrototype(), args); },
        make);
    for (auto [name, value] : {std::pair{"CASEINSENSITIVE", soCaseInsensitive}, {"DESCENDING", soDescending},
                               {"UNIQUESORT", soUniqueSort}, {"RETURNINDEXEDARRAY", soReturnIndexedArray},
                               {"NUMERIC", soNumeric}})
        ctor->Define(name, static_cast<double>(value), pfDontEnum | pfDontDelete | pfReadOnly);
    InstallMethods(m, proto);
    return proto;
}

}  // namespace quorlin::avm1
