#pragma once
// Tag codes of the SWF tags this library knows by name.

#include <cstdint>
#include <string>

namespace quorlin::swf {

enum class TagCode : uint16_t {
    End = 0,
    ShowFrame = 1,
    DefineShape = 2,
    PlaceObject = 4,
    RemoveObject = 5,
    DefineBits = 6,
    JpegTables = 8,
    SetBackgroundColor = 9,
    DoAction = 12,
    DefineBitsLossless = 20,
    DefineBitsJpeg2 = 21,
    DefineShape2 = 22,
    Protect = 24,
    PlaceObject2 = 26,
    RemoveObject2 = 28,
    DefineShape3 = 32,
    DefineBitsJpeg3 = 35,
    DefineBitsLossless2 = 36,
    DefineSprite = 39,
    FrameLabel = 43,
    ExportAssets = 56,
    DoInitAction = 59,
    ScriptLimits = 65,
    FileAttributes = 69,
    PlaceObject3 = 70,
    Metadata = 77,
    DefineShape4 = 83,
};

// "PlaceObject2", ...; an unknown code gives "Tag123".
std::string TagName(uint16_t code);

}  // namespace quorlin::swf
