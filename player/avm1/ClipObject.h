#pragma once
// The machine's view of a movie clip. The machine knows no display list: the
// runtime derives from TClipObject and answers these hooks from its own clips,
// and implements TDisplayHost for the levels. A subclass that refers to other
// machine objects (its children, say) marks them in an override of Trace.

#include "player/avm1/Object.h"
#include "player/swf/ActionCode.h"

#include <optional>
#include <string>

namespace quorlin::avm1 {

class TClipObject : public TObject {
public:
    // proto is normally TMachine::MovieClipPrototype().
    explicit TClipObject(TObject* proto) : TObject(proto) {}
    const char* TypeOf() const override { return "movieclip"; }

    // Display properties by their SWF 4 index. The machine converts what it
    // writes first: a number for the numeric ones, a boolean for _visible and a
    // string for _name. _target and _parent never reach these hooks.
    virtual TValue GetProperty(swf::PropertyIndex index) = 0;
    virtual void SetProperty(swf::PropertyIndex index, const TValue& value) = 0;

    // The clip this one is placed in; nullptr for the root of a level.
    virtual TClipObject* ParentClip() = 0;
    // A child placed in this clip under an instance name, or nullptr.
    virtual TClipObject* ChildClip(const std::string& name) = 0;
    // The level a root clip stands for (_level0 is 0).
    virtual int Level() { return 0; }

    // The timeline. Frames count from 1, as in gotoAndPlay.
    virtual void Play() = 0;
    virtual void Stop() = 0;
    virtual void NextFrame() = 0;
    virtual void PrevFrame() = 0;
    virtual void GotoFrame(int frame, bool play) = 0;
    // False when the clip has no frame of that label.
    virtual bool GotoLabel(const std::string& label, bool play) = 0;

    // A property by index as scripts see it: _target is computed here.
    TValue ReadProperty(swf::PropertyIndex index);
    // Converts the value as the property wants it and hands it to the host;
    // read-only properties ignore the write.
    void WriteProperty(TMachine& m, swf::PropertyIndex index, const TValue& value);

    TClipObject* RootClip();
    // "/a/b" (slash syntax, "/" for the root) and "_level0.a.b" (dot syntax).
    std::string SlashPath();
    std::string DotPath();

    // Property names (_x, _visible, ...) and child names read as members; so
    // do _parent and _root.
    bool GetOwn(TMachine& m, const std::string& name, const TValue& self, TValue& out) override;
    void SetOwn(TMachine& m, const std::string& name, const TValue& value) override;
    bool HasOwn(const std::string& name) const override;

    // The property a name means, for names like "_x"; nullopt for others.
    static std::optional<swf::PropertyIndex> PropertyByName(const std::string& name);
};

// What only the player as a whole can answer.
class TDisplayHost {
public:
    virtual ~TDisplayHost() = default;
    // The root clip of a level, or nullptr when nothing is loaded there.
    virtual TClipObject* LevelClip(int level) = 0;
};

}  // namespace quorlin::avm1
