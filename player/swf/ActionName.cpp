#include "player/swf/ActionName.h"

#include <array>
#include <cstdio>

namespace quorlin::swf {

namespace {

// Indexed by code; null where SWF 7 defines no action.
const std::array<const char*, 256>& Names() {
    static const std::array<const char*, 256> names = [] {
        std::array<const char*, 256> n{};
        n[0x00] = "End";
        n[0x04] = "NextFrame";
        n[0x05] = "PreviousFrame";
        n[0x06] = "Play";
        n[0x07] = "Stop";
        n[0x08] = "ToggleQuality";
        n[0x09] = "StopSounds";
        n[0x0A] = "Add";
        n[0x0B] = "Subtract";
        n[0x0C] = "Multiply";
        n[0x0D] = "Divide";
        n[0x0E] = "Equals";
        n[0x0F] = "Less";
        n[0x10] = "And";
        n[0x11] = "Or";
        n[0x12] = "Not";
        n[0x13] = "StringEquals";
        n[0x14] = "StringLength";
        n[0x15] = "StringExtract";
        n[0x17] = "Pop";
        n[0x18] = "ToInteger";
        n[0x1C] = "GetVariable";
        n[0x1D] = "SetVariable";
        n[0x20] = "SetTarget2";
        n[0x21] = "StringAdd";
        n[0x22] = "GetProperty";
        n[0x23] = "SetProperty";
        n[0x24] = "CloneSprite";
        n[0x25] = "RemoveSprite";
        n[0x26] = "Trace";
        n[0x27] = "StartDrag";
        n[0x28] = "EndDrag";
        n[0x29] = "StringLess";
        n[0x2A] = "Throw";
        n[0x2B] = "CastOp";
        n[0x2C] = "ImplementsOp";
        n[0x30] = "RandomNumber";
        n[0x31] = "MBStringLength";
        n[0x32] = "CharToAscii";
        n[0x33] = "AsciiToChar";
        n[0x34] = "GetTime";
        n[0x35] = "MBStringExtract";
        n[0x36] = "MBCharToAscii";
        n[0x37] = "MBAsciiToChar";
        n[0x3A] = "Delete";
        n[0x3B] = "Delete2";
        n[0x3C] = "DefineLocal";
        n[0x3D] = "CallFunction";
        n[0x3E] = "Return";
        n[0x3F] = "Modulo";
        n[0x40] = "NewObject";
        n[0x41] = "DefineLocal2";
        n[0x42] = "InitArray";
        n[0x43] = "InitObject";
        n[0x44] = "TypeOf";
        n[0x45] = "TargetPath";
        n[0x46] = "Enumerate";
        n[0x47] = "Add2";
        n[0x48] = "Less2";
        n[0x49] = "Equals2";
        n[0x4A] = "ToNumber";
        n[0x4B] = "ToString";
        n[0x4C] = "PushDuplicate";
        n[0x4D] = "StackSwap";
        n[0x4E] = "GetMember";
        n[0x4F] = "SetMember";
        n[0x50] = "Increment";
        n[0x51] = "Decrement";
        n[0x52] = "CallMethod";
        n[0x53] = "NewMethod";
        n[0x54] = "InstanceOf";
        n[0x55] = "Enumerate2";
        n[0x60] = "BitAnd";
        n[0x61] = "BitOr";
        n[0x62] = "BitXor";
        n[0x63] = "BitLShift";
        n[0x64] = "BitRShift";
        n[0x65] = "BitURShift";
        n[0x66] = "StrictEquals";
        n[0x67] = "Greater";
        n[0x68] = "StringGreater";
        n[0x69] = "Extends";
        n[0x81] = "GotoFrame";
        n[0x83] = "GetURL";
        n[0x87] = "StoreRegister";
        n[0x88] = "ConstantPool";
        n[0x8A] = "WaitForFrame";
        n[0x8B] = "SetTarget";
        n[0x8C] = "GoToLabel";
        n[0x8D] = "WaitForFrame2";
        n[0x8E] = "DefineFunction2";
        n[0x8F] = "Try";
        n[0x94] = "With";
        n[0x96] = "Push";
        n[0x99] = "Jump";
        n[0x9A] = "GetURL2";
        n[0x9B] = "DefineFunction";
        n[0x9D] = "If";
        n[0x9E] = "Call";
        n[0x9F] = "GotoFrame2";
        return n;
    }();
    return names;
}

}  // namespace

std::string ActionName(uint8_t code) {
    if (const char* n = Names()[code]) return n;
    char buf[16];
    std::snprintf(buf, sizeof buf, "Unknown0x%02X", code);
    return buf;
}

bool IsKnownAction(uint8_t code) { return Names()[code] != nullptr; }

}  // namespace quorlin::swf
