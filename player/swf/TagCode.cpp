#include "player/swf/TagCode.h"

#include <map>

namespace quorlin::swf {

std::string TagName(uint16_t code) {
    static const std::map<uint16_t, const char*> names = {
        {0, "End"},
        {1, "ShowFrame"},
        {2, "DefineShape"},
        {4, "PlaceObject"},
        {5, "RemoveObject"},
        {6, "DefineBits"},
        {8, "JPEGTables"},
        {9, "SetBackgroundColor"},
        {12, "DoAction"},
        {20, "DefineBitsLossless"},
        {21, "DefineBitsJPEG2"},
        {22, "DefineShape2"},
        {24, "Protect"},
        {26, "PlaceObject2"},
        {28, "RemoveObject2"},
        {32, "DefineShape3"},
        {35, "DefineBitsJPEG3"},
        {36, "DefineBitsLossless2"},
        {39, "DefineSprite"},
        {43, "FrameLabel"},
        {56, "ExportAssets"},
        {59, "DoInitAction"},
        {65, "ScriptLimits"},
        {69, "FileAttributes"},
        {70, "PlaceObject3"},
        {77, "Metadata"},
        {83, "DefineShape4"},
    };
    auto it = names.find(code);
    return it != names.end() ? it->second : "Tag" + std::to_string(code);
}

}  // namespace quorlin::swf
