#include "player/avm1/BuiltinSupport.h"
#include "player/avm1/Builtins.h"

#include <cmath>
#include <numbers>

namespace quorlin::avm1 {

namespace {

using TUnary = double (*)(double);
using TBinary = double (*)(double, double);

double Round(double x) { return std::floor(x + 0.5); }

}  // namespace

void InstallMath(TMachine& m) {
    TObject* math = m.NewObject();
    m.Global()->Define("Math", TValue(math), pfDontEnum);
    const uint8_t constant = pfDontEnum | pfDontDelete | pfReadOnly;
    for (auto [name, value] : {std::pair{"E", std::numbers::e}, {"LN10", std::numbers::ln10}, {"LN2", std::numbers::ln2},
                               {"LOG10E", std::numbers::log10e}, {"LOG2E", std::numbers::log2e},
                               {"PI", std::numbers::pi}, {"SQRT1_2", std::numbers::sqrt2 / 2},
                               {"SQRT2", std::numbers::sqrt2}})
        math->Define(name, value, constant);

    const std::pair<const char*, TUnary> unary[] = {
        {"abs", [](double x) { return std::fabs(x); }}, {"acos", [](double x) { return std::acos(x); }},
        {"asin", [](double x) { return std::asin(x); }}, {"atan", [](double x) { return std::atan(x); }},
        {"ceil", [](double x) { return std::ceil(x); }}, {"cos", [](double x) { return std::cos(x); }},
        {"exp", [](double x) { return std::exp(x); }}, {"floor", [](double x) { return std::floor(x); }},
        {"log", [](double x) { return std::log(x); }}, {"round", Round},
        {"sin", [](double x) { return std::sin(x); }}, {"sqrt", [](double x) { return std::sqrt(x); }},
        {"tan", [](double x) { return std::tan(x); }},
    };
    for (auto [name, f] : unary)
        m.DefineMethod(math, name, [f](TMachine& m, const TValue&, TArgs args) -> TValue {
            return f(NumberArg(m, args, 0, NAN));
        });
    const std::pair<const char*, TBinary> binary[] = {
        {"atan2", [](double y, double x) { return std::atan2(y, x); }},
        {"pow", [](double x, double y) { return std::pow(x, y); }},
    };
    for (auto [name, f] : binary)
        m.DefineMethod(math, name, [f](TMachine& m, const TValue&, TArgs args) -> TValue {
            return f(NumberArg(m, args, 0, NAN), NumberArg(m, args, 1, NAN));
        });
    auto extreme = [](bool max) {
        return [max](TMachine& m, const TValue&, TArgs args) -> TValue {
            double result = max ? -INFINITY : INFINITY;
            for (const TValue& v : args) {
                double d = m.ToNumber(v);
                if (std::isnan(d))
                    return NAN;
                result = max ? std::max(result, d) : std::min(result, d);
            }
            return result;
        };
    };
    m.DefineMethod(math, "max", extreme(true));
    m.DefineMethod(math, "min", extreme(false));
    m.DefineMethod(math, "random", [](TMachine& m, const TValue&, TArgs) -> TValue {
        return static_cast<double>(m.NextRandom()) / 4294967296.0;
    });
}

}  // namespace quorlin::avm1
