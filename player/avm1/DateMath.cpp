#include "player/avm1/DateMath.h"

#include <cmath>

namespace quorlin::avm1 {

namespace {

double PositiveMod(double a, double b) {
    double r = std::fmod(a, b);
    return r < 0 ? r + b : r;
}

double DaysInYear(double y) {
    if (std::fmod(y, 4) != 0)
        return 365;
    if (std::fmod(y, 100) != 0)
        return 366;
    if (std::fmod(y, 400) != 0)
        return 365;
    return 366;
}

double DayFromYear(double y) {
    return 365 * (y - 1970) + std::floor((y - 1969) / 4) - std::floor((y - 1901) / 100) +
           std::floor((y - 1601) / 400);
}

double TimeFromYear(double y) { return MsPerDay * DayFromYear(y); }

bool InLeapYear(double t) { return DaysInYear(YearFromTime(t)) == 366; }

double DayWithinYear(double t) { return Day(t) - DayFromYear(YearFromTime(t)); }

// First day of each month in a common year, and one past December.
const int MonthStart[13] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};

double MonthStartDay(int month, bool leap) { return MonthStart[month] + (leap && month >= 2 ? 1 : 0); }

}  // namespace

double Day(double t) { return std::floor(t / MsPerDay); }
double TimeWithinDay(double t) { return PositiveMod(t, MsPerDay); }

double YearFromTime(double t) {
    if (!std::isfinite(t))
        return NAN;
    double y = std::floor(t / (MsPerDay * 365.2425)) + 1970;
    while (TimeFromYear(y) > t)
        --y;
    while (TimeFromYear(y + 1) <= t)
        ++y;
    return y;
}

double MonthFromTime(double t) {
    if (!std::isfinite(t))
        return NAN;
    double day = DayWithinYear(t);
    bool leap = InLeapYear(t);
    int month = 0;
    while (month < 11 && day >= MonthStartDay(month + 1, leap))
        ++month;
    return month;
}

double DateFromTime(double t) {
    if (!std::isfinite(t))
        return NAN;
    int month = static_cast<int>(MonthFromTime(t));
    return DayWithinYear(t) - MonthStartDay(month, InLeapYear(t)) + 1;
}

double WeekDay(double t) { return std::isfinite(t) ? PositiveMod(Day(t) + 4, 7) : NAN; }
double HourFromTime(double t) { return std::isfinite(t) ? PositiveMod(std::floor(t / 3600000.0), 24) : NAN; }
double MinFromTime(double t) { return std::isfinite(t) ? PositiveMod(std::floor(t / 60000.0), 60) : NAN; }
double SecFromTime(double t) { return std::isfinite(t) ? PositiveMod(std::floor(t / 1000.0), 60) : NAN; }
double MsFromTime(double t) { return std::isfinite(t) ? PositiveMod(t, 1000) : NAN; }

double MakeTime(double hour, double min, double sec, double ms) {
    if (!std::isfinite(hour) || !std::isfinite(min) || !std::isfinite(sec) || !std::isfinite(ms))
        return NAN;
    return std::trunc(hour) * 3600000.0 + std::trunc(min) * 60000.0 + std::trunc(sec) * 1000.0 + std::trunc(ms);
}

double MakeDay(double year, double month, double date) {
    if (!std::isfinite(year) || !std::isfinite(month) || !std::isfinite(date))
        return NAN;
    year = std::trunc(year);
    month = std::trunc(month);
    date = std::trunc(date);
    double y = year + std::floor(month / 12);
    if (std::fabs(y) > 400000)
        return NAN;
    int m = static_cast<int>(PositiveMod(month, 12));
    double day = DayFromYear(y) + MonthStartDay(m, DaysInYear(y) == 366);
    return day + date - 1;
}

double MakeDate(double day, double time) {
    if (!std::isfinite(day) || !std::isfinite(time))
        return NAN;
    return day * MsPerDay + time;
}

double TimeClip(double t) {
    if (!std::isfinite(t) || std::fabs(t) > 8.64e15)
        return NAN;
    return std::trunc(t) + 0.0;
}

}  // namespace quorlin::avm1
