#pragma once
// Where Date and GetTime take the time from. The caller supplies it, so a test or
// a frozen run can fix the time and the player can use the system's.

namespace quorlin::avm1 {

class TClock {
public:
    virtual ~TClock() = default;
    // Milliseconds since 1970-01-01 00:00:00 UTC.
    virtual double NowUtcMs() = 0;
    // Local time minus UTC at the given moment, in milliseconds (daylight saving included).
    virtual double LocalOffsetMs(double utcMs) = 0;
};

// The operating system's clock and time zone.
class TSystemClock : public TClock {
public:
    double NowUtcMs() override;
    double LocalOffsetMs(double utcMs) override;
};

// A clock that stands still until it is set; with a fixed zone offset.
class TFixedClock : public TClock {
public:
    TFixedClock(double utcMs, double offsetMs) : FUtcMs(utcMs), FOffsetMs(offsetMs) {}
    void Set(double utcMs) { FUtcMs = utcMs; }
    void Advance(double ms) { FUtcMs += ms; }
    double NowUtcMs() override { return FUtcMs; }
    double LocalOffsetMs(double) override { return FOffsetMs; }

private:
    double FUtcMs;
    double FOffsetMs;
};

}  // namespace quorlin::avm1
