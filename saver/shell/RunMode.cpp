#include "saver/shell/RunMode.h"

#include "saver/forms/SysUtils.h"

namespace quorlin {

TSaverMode ParseSaverMode(const std::vector<std::string>& arguments) {
    if (arguments.size() < 2) return smConfig;
    const std::string& first = arguments[1];
    if (LowerCaseAscii(first).starts_with("/shot=")) return smShot;
    if (first.size() != 2) return smConfig;
    // Only the second character counts, and it is compared as it stands: "/S" is not "/s".
    switch (first[1]) {
        case 'a': return smChangePassword;
        case 'c': return smConfig;
        case 'p': return smPreview;
        case 's': return smShow;
        default: return smConfig;
    }
}

uint32_t ParsePreviewParent(const std::vector<std::string>& arguments) {
    if (arguments.size() < 3) return 0;
    int64_t handle = 0;
    if (!TryStrToInt64(arguments[2], handle)) return 0;
    return static_cast<uint32_t>(static_cast<uint64_t>(handle));
}

}  // namespace quorlin
