#include "player/runtime/Movie.h"

#include "player/runtime/RuntimeError.h"
#include "player/swf/BackgroundColor.h"
#include "player/swf/ExportAssets.h"
#include "player/swf/Sprite.h"
#include "player/swf/TagCode.h"

namespace quorlin::runtime {

namespace {

// Definition tags kept as they are: their first two bytes are the character id.
bool IsOtherDefinition(uint16_t code) {
    switch (code) {
    case 6:   // DefineBits
    case 7:   // DefineButton
    case 10:  // DefineFont
    case 11:  // DefineText
    case 21:  // DefineBitsJpeg2
    case 33:  // DefineText2
    case 34:  // DefineButton2
    case 35:  // DefineBitsJpeg3
    case 37:  // DefineEditText
    case 46:  // DefineMorphShape
    case 48:  // DefineFont2
    case 83:  // DefineShape4
        return true;
    default: return false;
    }
}

}  // namespace

std::shared_ptr<const TMovie> TMovie::Load(std::span<const uint8_t> file) {
    return FromSwf(swf::ReadMovie(file));
}

std::shared_ptr<const TMovie> TMovie::FromSwf(const swf::TMovie& swfMovie) {
    auto movie = std::make_shared<TMovie>();
    movie->FVersion = swfMovie.Version;
    movie->FStage = swfMovie.Frame;
    movie->FFramesPerSecond = swfMovie.FramesPerSecond();
    bool backgroundSet = false;
    for (const swf::TTag& tag : swfMovie.Tags) {
        try {
            if (tag.Kind() == swf::TagCode::SetBackgroundColor && !backgroundSet) {
                movie->FBackground = swf::ReadSetBackgroundColor(tag).Color;
                backgroundSet = true;
            } else if (tag.Kind() == swf::TagCode::ExportAssets) {
                for (const auto& [id, name] : swf::ReadExportAssets(tag).Assets) movie->FExports.emplace(name, id);
            } else {
                movie->AddDefinition(tag);
            }
        } catch (const TRuntimeError&) {
            throw;
        } catch (const std::exception& e) {
            throw TRuntimeError(swf::TagName(tag.Code) + ": " + e.what());
        }
    }
    movie->FMain = TTimelineDef::FromTags(swfMovie.Tags, swfMovie.FrameCount, "main timeline");
    return movie;
}

void TMovie::AddDefinition(const swf::TTag& tag) {
    TCharacter c;
    switch (tag.Kind()) {
    case swf::TagCode::DefineShape:
    case swf::TagCode::DefineShape2:
    case swf::TagCode::DefineShape3: {
        auto shape = swf::ReadDefineShape(tag);
        c.Id = shape.Id;
        c.Kind = TCharacterKind::Shape;
        c.Definition = std::move(shape);
        break;
    }
    case swf::TagCode::DefineBitsLossless:
    case swf::TagCode::DefineBitsLossless2: {
        auto bitmap = swf::ReadDefineBitsLossless(tag);
        c.Id = bitmap.Id;
        c.Kind = TCharacterKind::Bitmap;
        c.Definition = std::move(bitmap);
        break;
    }
    case swf::TagCode::DefineSprite: {
        auto sprite = swf::ReadDefineSprite(tag);
        c.Id = sprite.Id;
        c.Kind = TCharacterKind::Sprite;
        c.Definition = TSpriteDef{TTimelineDef::FromTags(sprite.Tags, sprite.FrameCount,
                                                         "sprite " + std::to_string(sprite.Id))};
        break;
    }
    default:
        if (!IsOtherDefinition(tag.Code)) return;
        if (tag.Body.size() < 2) throw TRuntimeError("definition without a character id");
        c.Id = uint16_t(tag.Body[0] | tag.Body[1] << 8);
        c.Kind = TCharacterKind::Other;
        c.Definition = TOtherDef{tag};
        break;
    }
    // A second definition of an id is ignored, as a Flash player ignores it.
    FCharacters.emplace(c.Id, std::move(c));
}

const TCharacter* TMovie::Character(uint16_t id) const {
    auto it = FCharacters.find(id);
    return it == FCharacters.end() ? nullptr : &it->second;
}

uint16_t TMovie::Exported(const std::string& name) const {
    auto it = FExports.find(name);
    return it == FExports.end() ? 0 : it->second;
}

}  // namespace quorlin::runtime
