#pragma once
// The small control tags: DoAction, SetBackgroundColor, ExportAssets, FrameLabel and
// ShowFrame. Each is a handful of fields, so they share one file.

#include "player/swf/Color.h"
#include "player/swf/Tag.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace quorlin::swf {

struct TShowFrame {
    bool operator==(const TShowFrame&) const = default;
};

struct TDoAction {
    std::vector<uint8_t> Actions;  // ends with the End action
    bool operator==(const TDoAction&) const = default;
};

struct TSetBackgroundColor {
    TRgba Color;
    bool operator==(const TSetBackgroundColor&) const = default;
};

struct TExportAssets {
    std::vector<std::pair<uint16_t, std::string>> Assets;  // character id, exported name
    bool operator==(const TExportAssets&) const = default;
};

struct TFrameLabel {
    std::string Name;
    bool Anchor = false;
    bool operator==(const TFrameLabel&) const = default;
};

TDoAction ReadDoAction(const TTag& tag);
TTag WriteDoAction(const TDoAction& action);
TSetBackgroundColor ReadSetBackgroundColor(const TTag& tag);
TTag WriteSetBackgroundColor(const TSetBackgroundColor& background);
TExportAssets ReadExportAssets(const TTag& tag);
TTag WriteExportAssets(const TExportAssets& exports);
TFrameLabel ReadFrameLabel(const TTag& tag);
TTag WriteFrameLabel(const TFrameLabel& label);
TTag WriteShowFrame();

}  // namespace quorlin::swf
