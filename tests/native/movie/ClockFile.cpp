#include "ClockFile.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace quorlin::movie::test {

using namespace swf;

const std::vector<uint8_t>& ClockBytes() {
    static const std::vector<uint8_t> bytes = [] {
        std::ifstream in(QUORLIN_MOVIE_DIR "/clock.swf", std::ios::binary);
        if (!in) throw std::runtime_error("cannot open " QUORLIN_MOVIE_DIR "/clock.swf");
        return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }();
    return bytes;
}

const TMovie& Clock() {
    static const TMovie movie = ReadMovie(ClockBytes());
    return movie;
}

std::map<uint16_t, TDefineSprite> Sprites() {
    std::map<uint16_t, TDefineSprite> sprites;
    for (const TTag& t : Clock().Tags) {
        if (t.Kind() == TagCode::DefineSprite) {
            TDefineSprite s = ReadDefineSprite(t);
            sprites[s.Id] = s;
        }
    }
    return sprites;
}

std::map<uint16_t, TDefineShape> Shapes() {
    std::map<uint16_t, TDefineShape> shapes;
    for (const TTag& t : Clock().Tags) {
        TRecord r = DecodeTag(t);
        if (auto* s = std::get_if<TDefineShape>(&r)) shapes[s->Id] = *s;
    }
    return shapes;
}

TDefineSprite ClockClip() {
    auto sprites = Sprites();
    auto root = Placements(Clock().Tags, 1);
    if (root.empty() || !root[0].CharacterId) throw std::runtime_error("nothing at depth 1");
    auto inOriginal = Placements(sprites.at(*root[0].CharacterId).Tags, 1);
    if (inOriginal.empty() || !inOriginal[0].CharacterId) throw std::runtime_error("empty container");
    return sprites.at(*inOriginal[0].CharacterId);
}

namespace {

template <typename F>
void ForFrame(const std::vector<TTag>& timeline, int frame, F f) {
    int current = 1;
    for (const TTag& t : timeline) {
        if (t.Kind() == TagCode::ShowFrame) {
            ++current;
        } else if (current == frame) {
            f(t);
        }
    }
}

}  // namespace

std::vector<TPlaceObject2> Placements(const std::vector<TTag>& timeline, int frame) {
    std::vector<TPlaceObject2> out;
    ForFrame(timeline, frame, [&](const TTag& t) {
        if (t.Kind() == TagCode::PlaceObject2) out.push_back(ReadPlaceObject2(t));
        if (t.Kind() == TagCode::PlaceObject) throw std::runtime_error("unexpected PlaceObject");
    });
    return out;
}

std::vector<std::vector<uint8_t>> Scripts(const std::vector<TTag>& timeline, int frame) {
    std::vector<std::vector<uint8_t>> out;
    ForFrame(timeline, frame, [&](const TTag& t) {
        if (t.Kind() == TagCode::DoAction) out.push_back(t.Body);
    });
    return out;
}

std::optional<TPlaceObject2> Find(const std::vector<TPlaceObject2>& placements, const std::string& name) {
    for (const auto& p : placements) {
        if (p.Name && *p.Name == name) return p;
    }
    return std::nullopt;
}

}  // namespace quorlin::movie::test
