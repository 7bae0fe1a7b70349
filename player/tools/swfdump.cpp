// swfdump FILE: the header, the tag list, the display tree of every timeline and the
// disassembly of every action block of a SWF file.

#include "player/swf/ActionDisassembler.h"
#include "player/swf/Movie.h"
#include "player/swf/Records.h"
#include "player/swf/SwfError.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <numbers>
#include <sstream>
#include <string>

using namespace quorlin::swf;

namespace {

// Sprites may not hold sprites, but a damaged file may nest them without end.
constexpr int MaxNesting = 8;

std::string Px(int32_t twips) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", twips / 20.0);
    return buf;
}

std::string Num(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.4g", std::abs(v) < 1e-12 ? 0.0 : v);
    return buf;
}

std::string Indent(int level) { return std::string(2 * level, ' '); }

std::string DescribeMatrix(const TMatrix& m) {
    double sx = std::hypot(m.A(), m.B()), sy = std::hypot(m.C(), m.D());
    if (m.A() * m.D() - m.B() * m.C() < 0) sy = -sy;
    double rotation = std::atan2(m.B(), m.A()) * 180.0 / std::numbers::pi;
    return "at (" + Px(m.TranslateX) + ", " + Px(m.TranslateY) + ") scale " + Num(sx) + " x " + Num(sy) +
           " rotation " + Num(rotation);
}

std::string DescribeTransform(const TColorTransform& c) {
    if (!c.HasAdd() && c.RedMult == 256 && c.GreenMult == 256 && c.BlueMult == 256) {
        return "opacity " + std::to_string(c.AlphaMult) + "/256";
    }
    auto term = [](int mult, int add) { return std::to_string(mult) + "/256" + (add ? (add > 0 ? "+" : "") + std::to_string(add) : ""); };
    return "colour r " + term(c.RedMult, c.RedAdd) + " g " + term(c.GreenMult, c.GreenAdd) + " b " +
           term(c.BlueMult, c.BlueAdd) + " a " + term(c.AlphaMult, c.AlphaAdd);
}

class TDumper {
public:
    explicit TDumper(const TMovie& movie) : FMovie(movie) { Collect(movie.Tags); }

    void Header(const std::vector<uint8_t>& file) const {
        uint32_t length = uint32_t(file[4]) | uint32_t(file[5]) << 8 | uint32_t(file[6]) << 16 | uint32_t(file[7]) << 24;
        std::printf("Header\n");
        std::printf("  signature %s, version %u, length field %u, file %zu bytes\n", FMovie.Compressed ? "CWS" : "FWS",
                    FMovie.Version, length, file.size());
        std::printf("  frame %s..%s x %s..%s px, rate %s fps (0x%04X), %u frame%s\n", Px(FMovie.Frame.XMin).c_str(),
                    Px(FMovie.Frame.XMax).c_str(), Px(FMovie.Frame.YMin).c_str(), Px(FMovie.Frame.YMax).c_str(),
                    Num(FMovie.FramesPerSecond()).c_str(), FMovie.FrameRate, FMovie.FrameCount,
                    FMovie.FrameCount == 1 ? "" : "s");
    }

    void TagList() const {
        std::printf("\nTags\n");
        ListTags(FMovie.Tags, 1);
    }

    void Tree() const {
        std::printf("\nDisplay tree\n");
        std::printf("  main timeline, %u frame%s\n", FMovie.FrameCount, FMovie.FrameCount == 1 ? "" : "s");
        Timeline(FMovie.Tags, 2, 0);
    }

    void Actions() const {
        std::printf("\nActions\n");
        Scripts(FMovie.Tags, "main timeline");
    }

private:
    void Collect(const std::vector<TTag>& tags, int nesting = 0) {
        if (nesting > MaxNesting) return;
        for (const TTag& t : tags) {
            try {
                TRecord r = DecodeTag(t);
                if (auto* s = std::get_if<TDefineShape>(&r)) FKinds[s->Id] = "shape " + std::to_string(s->Id);
                if (auto* b = std::get_if<TDefineBitsLossless>(&r)) FKinds[b->Id] = "bitmap " + std::to_string(b->Id);
                if (auto* s = std::get_if<TDefineSprite>(&r)) {
                    FKinds[s->Id] = "sprite " + std::to_string(s->Id);
                    FSprites[s->Id] = *s;
                    Collect(s->Tags, nesting + 1);
                }
                if (auto* e = std::get_if<TExportAssets>(&r)) {
                    for (auto& [id, name] : e->Assets) FExports[id] = name;
                }
            } catch (const TSwfError&) {
                // Reported where the tag is listed.
            }
        }
    }

    std::string Character(uint16_t id) const {
        auto it = FKinds.find(id);
        std::string s = it != FKinds.end() ? it->second : "character " + std::to_string(id);
        auto e = FExports.find(id);
        if (e != FExports.end()) s += " (exported as \"" + e->second + "\")";
        return s;
    }

    static std::string Summary(const TRecord& r) {
        std::ostringstream out;
        if (auto* s = std::get_if<TDefineShape>(&r)) {
            out << "id " << s->Id << ", bounds " << Px(s->Bounds.XMin) << ".." << Px(s->Bounds.XMax) << " x "
                << Px(s->Bounds.YMin) << ".." << Px(s->Bounds.YMax) << " px, " << s->Styles.Fills.size() << " fill(s), "
                << s->Styles.Lines.size() << " line style(s), " << s->Records.size() << " records";
        } else if (auto* b = std::get_if<TDefineBitsLossless>(&r)) {
            out << "id " << b->Id << ", " << b->Width << " x " << b->Height << ", format " << int(b->Format);
            if (b->Format == BitmapFormat::Palette8) out << ", palette of " << b->Palette.size();
        } else if (auto* s = std::get_if<TDefineSprite>(&r)) {
            out << "id " << s->Id << ", " << s->FrameCount << " frame(s), " << s->Tags.size() << " tags";
        } else if (auto* p = std::get_if<TPlaceObject2>(&r)) {
            out << "depth " << p->Depth << (p->Move ? ", move" : "");
            if (p->CharacterId) out << ", character " << *p->CharacterId;
            if (p->Name) out << ", name \"" << *p->Name << "\"";
        } else if (auto* p = std::get_if<TPlaceObject>(&r)) {
            out << "depth " << p->Depth << ", character " << p->CharacterId;
        } else if (auto* x = std::get_if<TRemoveObject2>(&r)) {
            out << "depth " << x->Depth;
        } else if (auto* x = std::get_if<TRemoveObject>(&r)) {
            out << "depth " << x->Depth << ", character " << x->CharacterId;
        } else if (auto* a = std::get_if<TDoAction>(&r)) {
            out << a->Actions.size() << " bytes of actions";
        } else if (auto* b = std::get_if<TSetBackgroundColor>(&r)) {
            char buf[16];
            std::snprintf(buf, sizeof buf, "#%02X%02X%02X", b->Color.R, b->Color.G, b->Color.B);
            out << buf;
        } else if (auto* e = std::get_if<TExportAssets>(&r)) {
            for (auto& [id, name] : e->Assets) out << id << " as \"" << name << "\" ";
        } else if (auto* l = std::get_if<TFrameLabel>(&r)) {
            out << "\"" << l->Name << "\"" << (l->Anchor ? " anchor" : "");
        }
        return out.str();
    }

    void ListTags(const std::vector<TTag>& tags, int level) const {
        for (size_t i = 0; i < tags.size(); ++i) {
            const TTag& t = tags[i];
            std::printf("%s[%zu] %s, %zu bytes", Indent(level).c_str(), i, TagName(t.Code).c_str(), t.Body.size());
            try {
                TRecord r = DecodeTag(t);
                std::string s = Summary(r);
                std::printf("%s%s\n", s.empty() ? "" : ": ", s.c_str());
                if (auto* sprite = std::get_if<TDefineSprite>(&r)) {
                    if (level > 2 * MaxNesting) {
                        std::printf("%s(nested too deep)\n", Indent(level + 2).c_str());
                    } else {
                        ListTags(sprite->Tags, level + 2);
                    }
                }
            } catch (const TSwfError& e) {
                std::printf(": error: %s\n", e.what());
            }
        }
    }

    // The display list of each frame, and under each sprite instance its own timeline.
    void Timeline(const std::vector<TTag>& tags, int level, int nesting) const {
        int frame = 1;
        bool frameOpen = false;
        auto open = [&] {
            if (!frameOpen) std::printf("%sframe %d\n", Indent(level).c_str(), frame);
            frameOpen = true;
        };
        for (const TTag& t : tags) {
            TRecord r;
            try {
                r = DecodeTag(t);
            } catch (const TSwfError& e) {
                open();
                std::printf("%s%s: error: %s\n", Indent(level + 1).c_str(), TagName(t.Code).c_str(), e.what());
                continue;
            }
            if (std::holds_alternative<TShowFrame>(r)) {
                if (!frameOpen) std::printf("%sframe %d: no change\n", Indent(level).c_str(), frame);
                ++frame;
                frameOpen = false;
            } else if (auto* p = std::get_if<TPlaceObject2>(&r)) {
                open();
                std::string line = "depth " + std::to_string(p->Depth) + (p->Move ? " (changed)" : "");
                if (p->CharacterId) line += ": " + Character(*p->CharacterId);
                if (p->Name) line += " \"" + *p->Name + "\"";
                if (p->Matrix) line += " " + DescribeMatrix(*p->Matrix);
                if (p->ColorTransform) line += ", " + DescribeTransform(*p->ColorTransform);
                if (p->ClipDepth) line += ", clips to depth " + std::to_string(*p->ClipDepth);
                std::printf("%s%s\n", Indent(level + 1).c_str(), line.c_str());
                if (p->CharacterId) Nested(*p->CharacterId, level + 2, nesting);
            } else if (auto* p = std::get_if<TPlaceObject>(&r)) {
                open();
                std::printf("%sdepth %u: %s %s%s\n", Indent(level + 1).c_str(), p->Depth, Character(p->CharacterId).c_str(),
                            DescribeMatrix(p->Matrix).c_str(),
                            p->ColorTransform ? (", " + DescribeTransform(*p->ColorTransform)).c_str() : "");
                Nested(p->CharacterId, level + 2, nesting);
            } else if (auto* x = std::get_if<TRemoveObject2>(&r)) {
                open();
                std::printf("%sdepth %u removed\n", Indent(level + 1).c_str(), x->Depth);
            } else if (auto* x = std::get_if<TRemoveObject>(&r)) {
                open();
                std::printf("%sdepth %u removed\n", Indent(level + 1).c_str(), x->Depth);
            } else if (auto* a = std::get_if<TDoAction>(&r)) {
                open();
                std::printf("%sscript, %zu bytes\n", Indent(level + 1).c_str(), a->Actions.size());
            } else if (auto* l = std::get_if<TFrameLabel>(&r)) {
                open();
                std::printf("%slabel \"%s\"\n", Indent(level + 1).c_str(), l->Name.c_str());
            }
        }
    }

    void Nested(uint16_t id, int level, int nesting) const {
        auto it = FSprites.find(id);
        if (it == FSprites.end()) return;
        // A sprite may place itself, directly or not; the tree stops at a fixed depth.
        if (nesting > MaxNesting) {
            std::printf("%s(nested too deep)\n", Indent(level).c_str());
            return;
        }
        Timeline(it->second.Tags, level, nesting + 1);
    }

    void Scripts(const std::vector<TTag>& tags, const std::string& where, int nesting = 0) const {
        if (nesting > MaxNesting) return;
        int frame = 1;
        for (const TTag& t : tags) {
            if (t.Kind() == TagCode::ShowFrame) ++frame;
            if (t.Kind() == TagCode::DoAction) {
                std::printf("  %s, frame %d:\n", where.c_str(), frame);
                std::istringstream text(Disassemble(t.Body));
                for (std::string line; std::getline(text, line);) std::printf("    %s\n", line.c_str());
            }
            if (t.Kind() == TagCode::DefineSprite) {
                try {
                    TDefineSprite s = ReadDefineSprite(t);
                    Scripts(s.Tags, "sprite " + std::to_string(s.Id), nesting + 1);
                } catch (const TSwfError&) {
                }
            }
        }
    }

    const TMovie& FMovie;
    std::map<uint16_t, std::string> FKinds;
    std::map<uint16_t, std::string> FExports;
    std::map<uint16_t, TDefineSprite> FSprites;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: swfdump FILE\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "swfdump: cannot open %s\n", argv[1]);
        return 1;
    }
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    try {
        TMovie movie = ReadMovie(bytes);
        TDumper dumper(movie);
        dumper.Header(bytes);
        dumper.TagList();
        dumper.Tree();
        dumper.Actions();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "swfdump: %s: %s\n", argv[1], e.what());
        return 1;
    }
    return 0;
}
