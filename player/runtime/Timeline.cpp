#include "player/runtime/Timeline.h"

#include "player/runtime/RuntimeError.h"
#include "player/swf/DoAction.h"
#include "player/swf/FrameLabel.h"
#include "player/swf/PlaceObject.h"
#include "player/swf/RemoveObject.h"

#include <algorithm>
#include <cctype>

namespace quorlin::runtime {

namespace {

TPlaceCommand FromPlace1(const swf::TPlaceObject& p) {
    TPlaceCommand c;
    c.Depth = p.Depth;
    c.CharacterId = p.CharacterId;
    c.Matrix = p.Matrix;
    c.ColorTransform = p.ColorTransform;
    return c;
}

TPlaceCommand FromPlace2(const swf::TPlaceObject2& p) {
    TPlaceCommand c;
    c.Move = p.Move;
    c.Depth = p.Depth;
    c.CharacterId = p.CharacterId;
    c.Matrix = p.Matrix;
    c.ColorTransform = p.ColorTransform;
    c.Ratio = p.Ratio;
    c.Name = p.Name;
    c.ClipDepth = p.ClipDepth;
    return c;
}

TDisplayCommand Removal(uint16_t depth) {
    TDisplayCommand c;
    c.Remove = true;
    c.Place.Depth = depth;
    return c;
}

TActionBlock Block(std::vector<uint8_t> bytes) {
    return std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
}

// Adds one control tag to the frame; false for a tag that is not one.
bool AddControlTag(TFrameDef& frame, const swf::TTag& tag) {
    using swf::TagCode;
    switch (tag.Kind()) {
    case TagCode::PlaceObject: frame.Commands.push_back({false, FromPlace1(swf::ReadPlaceObject(tag))}); return true;
    case TagCode::PlaceObject2: frame.Commands.push_back({false, FromPlace2(swf::ReadPlaceObject2(tag))}); return true;
    case TagCode::RemoveObject: frame.Commands.push_back(Removal(swf::ReadRemoveObject(tag).Depth)); return true;
    case TagCode::RemoveObject2: frame.Commands.push_back(Removal(swf::ReadRemoveObject2(tag).Depth)); return true;
    case TagCode::DoAction: frame.Actions.push_back(Block(swf::ReadDoAction(tag).Actions)); return true;
    case TagCode::DoInitAction:
        // The sprite id that leads the body only says which export it initialises; the
        // code runs once, the first time its frame is reached.
        if (tag.Body.size() < 2) throw TRuntimeError("DoInitAction without a sprite id");
        frame.InitActions.push_back(Block(std::vector<uint8_t>(tag.Body.begin() + 2, tag.Body.end())));
        return true;
    case TagCode::FrameLabel: frame.Label = swf::ReadFrameLabel(tag).Name; return true;
    default: return false;
    }
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower((unsigned char)x) == std::tolower((unsigned char)y);
           });
}

}  // namespace

TTimelineDef TTimelineDef::FromTags(const std::vector<swf::TTag>& tags, uint16_t headerFrameCount,
                                    const std::string& what) {
    TTimelineDef t;
    TFrameDef current;
    bool pending = false;  // tags after the last ShowFrame
    for (const swf::TTag& tag : tags) {
        if (tag.Kind() == swf::TagCode::ShowFrame) {
            t.FFrames.push_back(std::move(current));
            current = {};
            pending = false;
            continue;
        }
        try {
            pending = AddControlTag(current, tag) || pending;
        } catch (const std::exception& e) {
            throw TRuntimeError(what + ", frame " + std::to_string(t.FFrames.size() + 1) + ": " + e.what());
        }
    }
    if (pending) t.FFrames.push_back(std::move(current));
    while (t.FFrames.size() < std::max<size_t>(1, headerFrameCount)) t.FFrames.emplace_back();
    return t;
}

int TTimelineDef::FrameOfLabel(const std::string& label) const {
    for (size_t i = 0; i < FFrames.size(); ++i)
        if (FFrames[i].Label == label) return int(i + 1);
    for (size_t i = 0; i < FFrames.size(); ++i)
        if (!FFrames[i].Label.empty() && SameIgnoringCase(FFrames[i].Label, label)) return int(i + 1);
    return 0;
}

}  // namespace quorlin::runtime
