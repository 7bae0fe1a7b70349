#include "player/avm1/BuiltinSupport.h"
#include "player/avm1/Builtins.h"
#include "player/avm1/DateMath.h"
#include "player/avm1/DateObject.h"

#include <cmath>
#include <cstdio>

namespace quorlin::avm1 {

namespace {

// The fields a date splits into, in the order the setters take them.
enum TField { fYear, fMonth, fDate, fHours, fMinutes, fSeconds, fMs, FieldCount };

double LocalTime(TMachine& m, double t) { return t + m.Clock().LocalOffsetMs(t); }

// Local time back to UTC: the offset is the one in force at that local moment.
double UtcTime(TMachine& m, double local) {
    if (!std::isfinite(local))
        return NAN;
    double guess = local - m.Clock().LocalOffsetMs(local);
    return local - m.Clock().LocalOffsetMs(guess);
}

void Split(double t, double fields[FieldCount]) {
    fields[fYear] = YearFromTime(t);
    fields[fMonth] = MonthFromTime(t);
    fields[fDate] = DateFromTime(t);
    fields[fHours] = HourFromTime(t);
    fields[fMinutes] = MinFromTime(t);
    fields[fSeconds] = SecFromTime(t);
    fields[fMs] = MsFromTime(t);
}

double Join(const double fields[FieldCount]) {
    return MakeDate(MakeDay(fields[fYear], fields[fMonth], fields[fDate]),
                    MakeTime(fields[fHours], fields[fMinutes], fields[fSeconds], fields[fMs]));
}

// Two-digit years mean the 1900s, in the constructor, Date.UTC and setYear.
double FullYear(double year) {
    double y = ToIntegerNumber(year);
    return std::isfinite(year) && y >= 0 && y <= 99 ? 1900 + y : year;
}

// Makes a time value from (year, month[, date, hours, minutes, seconds, ms]).
double FromFields(TMachine& m, TArgs args) {
    double fields[FieldCount] = {0, 0, 1, 0, 0, 0, 0};
    for (size_t i = 0; i < args.size() && i < FieldCount; ++i)
        fields[i] = m.ToNumber(args[i]);
    fields[fYear] = FullYear(fields[fYear]);
    return Join(fields);
}

std::string Format(TMachine& m, double t) {
    if (std::isnan(t))
        return "Invalid Date";
    static const char* const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    double local = LocalTime(m, t);
    int offset = static_cast<int>(std::lround((local - t) / 60000));
    char sign = offset < 0 ? '-' : '+';
    offset = std::abs(offset);
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%s %s %d %02d:%02d:%02d GMT%c%02d%02d %.0f",
                  days[static_cast<int>(WeekDay(local))], months[static_cast<int>(MonthFromTime(local))],
                  static_cast<int>(DateFromTime(local)), static_cast<int>(HourFromTime(local)),
                  static_cast<int>(MinFromTime(local)), static_cast<int>(SecFromTime(local)), sign, offset / 60,
                  offset % 60, YearFromTime(local));
    return buffer;
}

TDateObject* ThisDate(const TValue& self) { return dynamic_cast<TDateObject*>(self.ObjectOrNull()); }

void DefineGetter(TMachine& m, TObject* proto, const std::string& name, bool utc, TField field, double bias = 0) {
    m.DefineMethod(proto, name, [utc, field, bias](TMachine& m, const TValue& self, TArgs) -> TValue {
        TDateObject* date = ThisDate(self);
        if (!date)
            return TValue();
        double t = date->Time();
        if (std::isnan(t))
            return NAN;
        double fields[FieldCount];
        Split(utc ? t : LocalTime(m, t), fields);
        return fields[field] - bias;
    });
}

// A setter writes the fields from first on, one per argument, up to last.
void DefineSetter(TMachine& m, TObject* proto, const std::string& name, bool utc, TField first, TField last,
                  bool shortYear = false) {
    m.DefineMethod(proto, name, [=](TMachine& m, const TValue& self, TArgs args) -> TValue {
        TDateObject* date = ThisDate(self);
        if (!date)
            return TValue();
        double t = date->Time();
        // Only the year setters can repair an invalid date; they start from 0.
        if (std::isnan(t) && first == fYear)
            t = 0;
        double fields[FieldCount];
        Split(utc ? t : LocalTime(m, t), fields);
        if (args.empty()) {
            fields[first] = NAN;
        } else {
            for (size_t i = 0; i < args.size() && first + i <= static_cast<size_t>(last); ++i)
                fields[first + i] = m.ToNumber(args[i]);
        }
        if (shortYear)
            fields[fYear] = FullYear(fields[fYear]);
        double local = Join(fields);
        date->SetTime(TimeClip(utc ? local : UtcTime(m, local)));
        return date->Time();
    });
}

void InstallMethods(TMachine& m, TObject* proto) {
    for (bool utc : {false, true}) {
        std::string infix = utc ? "UTC" : "";
        DefineGetter(m, proto, "get" + infix + "FullYear", utc, fYear);
        DefineGetter(m, proto, "get" + infix + "Year", utc, fYear, 1900);
        DefineGetter(m, proto, "get" + infix + "Month", utc, fMonth);
        DefineGetter(m, proto, "get" + infix + "Date", utc, fDate);
        DefineGetter(m, proto, "get" + infix + "Hours", utc, fHours);
        DefineGetter(m, proto, "get" + infix + "Minutes", utc, fMinutes);
        DefineGetter(m, proto, "get" + infix + "Seconds", utc, fSeconds);
        DefineGetter(m, proto, "get" + infix + "Milliseconds", utc, fMs);
        m.DefineMethod(proto, "get" + infix + "Day", [utc](TMachine& m, const TValue& self, TArgs) -> TValue {
            TDateObject* date = ThisDate(self);
            if (!date)
                return TValue();
            return WeekDay(utc ? date->Time() : LocalTime(m, date->Time()));
        });
        DefineSetter(m, proto, "set" + infix + "FullYear", utc, fYear, fDate);
        DefineSetter(m, proto, "set" + infix + "Month", utc, fMonth, fDate);
        DefineSetter(m, proto, "set" + infix + "Date", utc, fDate, fDate);
        DefineSetter(m, proto, "set" + infix + "Hours", utc, fHours, fMs);
        DefineSetter(m, proto, "set" + infix + "Minutes", utc, fMinutes, fMs);
        DefineSetter(m, proto, "set" + infix + "Seconds", utc, fSeconds, fMs);
        DefineSetter(m, proto, "set" + infix + "Milliseconds", utc, fMs, fMs);
    }
    DefineSetter(m, proto, "setYear", false, fYear, fDate, true);
    auto time = [](TMachine&, const TValue& self, TArgs) -> TValue {
        TDateObject* date = ThisDate(self);
        return date ? TValue(date->Time()) : TValue();
    };
    m.DefineMethod(proto, "getTime", time);
    m.DefineMethod(proto, "valueOf", time);
    m.DefineMethod(proto, "setTime", [](TMachine& m, const TValue& self, TArgs args) -> TValue {
        TDateObject* date = ThisDate(self);
        if (!date)
            return TValue();
        date->SetTime(TimeClip(NumberArg(m, args, 0, NAN)));
        return date->Time();
    });
    m.DefineMethod(proto, "getTimezoneOffset", [](TMachine& m, const TValue& self, TArgs) -> TValue {
        TDateObject* date = ThisDate(self);
        if (!date)
            return TValue();
        double t = date->Time();
        return std::isnan(t) ? NAN : (t - LocalTime(m, t)) / 60000;
    });
    m.DefineMethod(proto, "toString", [](TMachine& m, const TValue& self, TArgs) -> TValue {
        TDateObject* date = ThisDate(self);
        return date ? TValue(Format(m, date->Time())) : TValue();
    });
}

}  // namespace

TObject* InstallDate(TMachine& m) {
    auto* proto = m.Heap().Make<TDateObject>(m.ObjectPrototype(), NAN);
    auto now = [](TMachine& m) { return TimeClip(std::floor(m.Clock().NowUtcMs())); };
    TNativeFunction* ctor = m.DefineClass(
        "Date", proto, [now](TMachine& m, const TValue&, TArgs) -> TValue { return Format(m, now(m)); },
        [now](TMachine& m, TObject* prototype, TArgs args) -> TObject* {
            double t;
            if (args.empty())
                t = now(m);
            else if (args.size() == 1)
                t = TimeClip(m.ToNumber(args[0]));
            else
                t = TimeClip(UtcTime(m, FromFields(m, args)));
            return m.Heap().Make<TDateObject>(prototype, t);
        });
    m.DefineMethod(ctor, "UTC", [](TMachine& m, const TValue&, TArgs args) -> TValue {
        return TimeClip(FromFields(m, args));
    });
    InstallMethods(m, proto);
    return proto;
}

}  // namespace quorlin::avm1
