#include "saver/shell/ScrnInput.h"

#include <cstdlib>

namespace quorlin {

namespace {

// Window message numbers, spelled out here so that the rule builds without the platform.
enum : uint32_t {
    kDestroy = 0x0002,
    kActivate = 0x0006,
    kActivateApp = 0x001C,
    kNcActivate = 0x0086,
    kKeyDown = 0x0100,
    kSysKeyDown = 0x0104,
    kMouseMove = 0x0200,
    kLButtonDown = 0x0201,
    kLButtonDblClk = 0x0203,
    kRButtonDown = 0x0204,
    kRButtonDblClk = 0x0206,
    kMButtonDown = 0x0207,
    kMButtonDblClk = 0x0209,
};

bool FarFromStart(TScreenPoint cursor, TScreenPoint start) {
    // 64-bit differences: screen coordinates at the ends of the range must not overflow.
    const int64_t dx = static_cast<int64_t>(cursor.X) - start.X;
    const int64_t dy = static_cast<int64_t>(cursor.Y) - start.Y;
    return std::llabs(dx) > kMouseSlack || std::llabs(dy) > kMouseSlack;
}

}  // namespace

std::optional<bool> CloseVerdict(uint32_t message, TScreenPoint cursor, TScreenPoint start) {
    switch (message) {
        case kDestroy:
        case kActivate:
        case kActivateApp:
        case kNcActivate:
        case kKeyDown:
        case kSysKeyDown:
        case kLButtonDown:
        case kLButtonDblClk:
        case kRButtonDown:
        case kRButtonDblClk:
        case kMButtonDown:
        case kMButtonDblClk:
            return true;
        case kMouseMove:
            return FarFromStart(cursor, start);
        default:
            return std::nullopt;
    }
}

}  // namespace quorlin
