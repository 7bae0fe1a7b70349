#pragma once
// A loaded movie: the header, the characters by id, the exported names and the main
// timeline. It is read-only once loaded; the display objects refer into it.

#include "player/runtime/Timeline.h"
#include "player/swf/BitsLossless.h"
#include "player/swf/Color.h"
#include "player/swf/Movie.h"
#include "player/swf/Rect.h"
#include "player/swf/Shape.h"

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <variant>

namespace quorlin::runtime {

enum class TCharacterKind { Shape, Bitmap, Sprite, Other };

struct TSpriteDef {
    TTimelineDef Timeline;
};

// A definition this runtime keeps but does not interpret (JPEG bitmaps, text, buttons):
// it can be placed, and the renderer may draw it from its tag.
struct TOtherDef {
    swf::TTag Tag;
};

struct TCharacter {
    uint16_t Id = 0;
    TCharacterKind Kind = TCharacterKind::Other;
    std::variant<swf::TDefineShape, swf::TDefineBitsLossless, TSpriteDef, TOtherDef> Definition;

    const swf::TDefineShape* Shape() const { return std::get_if<swf::TDefineShape>(&Definition); }
    const swf::TDefineBitsLossless* Bitmap() const { return std::get_if<swf::TDefineBitsLossless>(&Definition); }
    const TSpriteDef* Sprite() const { return std::get_if<TSpriteDef>(&Definition); }
};

class TMovie {
public:
    // From the file's bytes; a damaged file or tag is an error with its message.
    static std::shared_ptr<const TMovie> Load(std::span<const uint8_t> file);
    static std::shared_ptr<const TMovie> FromSwf(const swf::TMovie& movie);

    uint8_t Version() const { return FVersion; }
    const swf::TRect& Stage() const { return FStage; }  // twips
    double FramesPerSecond() const { return FFramesPerSecond; }
    swf::TRgba Background() const { return FBackground; }
    const TTimelineDef& MainTimeline() const { return FMain; }

    // nullptr when no character has the id.
    const TCharacter* Character(uint16_t id) const;
    const std::map<uint16_t, TCharacter>& Characters() const { return FCharacters; }
    // The character exported under a name, or 0.
    uint16_t Exported(const std::string& name) const;
    const std::map<std::string, uint16_t>& Exports() const { return FExports; }

private:
    void AddDefinition(const swf::TTag& tag);

    uint8_t FVersion = 0;
    swf::TRect FStage;
    double FFramesPerSecond = 0;
    swf::TRgba FBackground{255, 255, 255, 255};
    std::map<uint16_t, TCharacter> FCharacters;
    std::map<std::string, uint16_t> FExports;
    TTimelineDef FMain;
};

}  // namespace quorlin::runtime
