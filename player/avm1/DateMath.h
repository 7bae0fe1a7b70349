#pragma once
// The calendar arithmetic of ECMAScript dates: time values are milliseconds since
// 1970-01-01 UTC, NaN for an invalid date.

namespace quorlin::avm1 {

constexpr double MsPerDay = 86400000.0;

double Day(double t);
double TimeWithinDay(double t);
double YearFromTime(double t);
double MonthFromTime(double t);  // 0..11
double DateFromTime(double t);   // 1..31
double WeekDay(double t);        // 0 is Sunday
double HourFromTime(double t);
double MinFromTime(double t);
double SecFromTime(double t);
double MsFromTime(double t);

double MakeTime(double hour, double min, double sec, double ms);
double MakeDay(double year, double month, double date);
double MakeDate(double day, double time);
// NaN outside +-8.64e15 ms, else the value truncated to whole milliseconds.
double TimeClip(double t);

}  // namespace quorlin::avm1
