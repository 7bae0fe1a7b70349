#pragma once
// ExportAssets: characters made available under names.

#include "player/swf/Tag.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace quorlin::swf {

struct TExportAssets {
    std::vector<std::pair<uint16_t, std::string>> Assets;  // character id, exported name
    bool operator==(const TExportAssets&) const = default;
};

TExportAssets ReadExportAssets(const TTag& tag);
TTag WriteExportAssets(const TExportAssets& exports);

}  // namespace quorlin::swf
