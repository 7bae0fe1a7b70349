// The process-wide state of Entry.h, apart from the entry itself, so that the forms that
// read it also link into the Windows tests.

#include "saver/shell/Entry.h"

namespace quorlin {

TSaverMode SaverMode = smConfig;
uint32_t PreviewParent = 0;
TCustomForm* ScrnFrm = nullptr;
TCustomForm* ConfigForm = nullptr;

}  // namespace quorlin
