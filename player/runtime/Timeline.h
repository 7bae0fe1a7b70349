#pragma once
// A timeline as the file gives it (the main one or a sprite's): per frame, the display
// list changes, the action blocks and the label, decoded once when the movie loads.

#include "player/swf/ColorTransform.h"
#include "player/swf/Matrix.h"
#include "player/swf/Tag.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorlin::runtime {

// PlaceObject and PlaceObject2 in one form; PlaceObject always places a new character.
struct TPlaceCommand {
    bool Move = false;
    uint16_t Depth = 0;
    std::optional<uint16_t> CharacterId;
    std::optional<swf::TMatrix> Matrix;
    std::optional<swf::TColorTransform> ColorTransform;
    std::optional<uint16_t> Ratio;
    std::optional<std::string> Name;
    std::optional<uint16_t> ClipDepth;
};

// A placement, or a removal (RemoveObject and RemoveObject2) of what is at Place.Depth.
struct TDisplayCommand {
    bool Remove = false;
    TPlaceCommand Place;
};

// Action bytes are shared so that queued scripts never outlive them.
using TActionBlock = std::shared_ptr<const std::vector<uint8_t>>;

struct TFrameDef {
    std::vector<TDisplayCommand> Commands;  // in file order
    std::vector<TActionBlock> Actions;      // DoAction, in file order
    std::vector<TActionBlock> InitActions;  // DoInitAction, run once per movie
    std::string Label;
};

class TTimelineDef {
public:
    // Splits the control tags at ShowFrame. The frame count is the header's, or more when
    // the tags hold more frames; frames without tags are empty. Tags that are not
    // control tags are ignored here (the movie takes the definitions).
    static TTimelineDef FromTags(const std::vector<swf::TTag>& tags, uint16_t headerFrameCount, const std::string& what);

    int FrameCount() const { return int(FFrames.size()); }
    // frame is 1-based and must lie within the timeline.
    const TFrameDef& Frame(int frame) const { return FFrames.at(size_t(frame - 1)); }
    // The frame of a label (exact, then ignoring case), or 0 when there is none.
    int FrameOfLabel(const std::string& label) const;

private:
    std::vector<TFrameDef> FFrames;
};

}  // namespace quorlin::runtime
