#pragma once
// The process-wide state that the entry sets once at start.

#include <cstdint>

#include "saver/shell/RunMode.h"

namespace quorlin {

class TCustomForm;

extern TSaverMode SaverMode;
extern uint32_t PreviewParent;

// The screen form and the settings form, once the entry has made them.
extern TCustomForm* ScrnFrm;
extern TCustomForm* ConfigForm;

}  // namespace quorlin
