#pragma once
// All decoded tag records under one type, for code that walks a timeline: DecodeTag
// turns a raw tag into the record it holds (tags of other kinds stay TTag), EncodeTag
// turns any record back into a tag.

#include "player/swf/BackgroundColor.h"
#include "player/swf/BitsLossless.h"
#include "player/swf/DoAction.h"
#include "player/swf/ExportAssets.h"
#include "player/swf/FrameLabel.h"
#include "player/swf/PlaceObject.h"
#include "player/swf/RemoveObject.h"
#include "player/swf/Shape.h"
#include "player/swf/ShowFrame.h"
#include "player/swf/Sprite.h"
#include "player/swf/Tag.h"

#include <variant>

namespace quorlin::swf {

using TRecord = std::variant<TTag, TShowFrame, TDefineShape, TDefineBitsLossless, TDefineSprite, TPlaceObject,
                             TPlaceObject2, TRemoveObject, TRemoveObject2, TDoAction, TSetBackgroundColor,
                             TExportAssets, TFrameLabel>;

TRecord DecodeTag(const TTag& tag);
TTag EncodeTag(const TRecord& record);

}  // namespace quorlin::swf
