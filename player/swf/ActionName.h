#pragma once
// Readable names of the action codes, for the disassembler and error messages.

#include <cstdint>
#include <string>

namespace quorlin::swf {

// "Push", "DefineFunction2", ...; an unknown code gives "Unknown0xNN".
std::string ActionName(uint8_t code);
// True for the codes that SWF 7 defines.
bool IsKnownAction(uint8_t code);

}  // namespace quorlin::swf
