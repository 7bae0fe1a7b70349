#pragma once
// A display object as the script machine sees it: a movie clip object whose properties
// and timeline methods go to the display object. Only sprite instances are reachable by
// name, as in a Flash player. When the object leaves the display list the script object stays valid for
// scripts that still hold it, but reads as empty.

#include "player/avm1/ClipObject.h"

namespace quorlin::runtime {

class TScripts;
class TDisplayObject;
class TSpriteInstance;

class TRuntimeClip : public avm1::TClipObject {
public:
    TRuntimeClip(TScripts& scripts, avm1::TObject* proto, TDisplayObject& object);

    TDisplayObject* Object() const { return FObject; }
    void Orphan() { FObject = nullptr; }

    avm1::TValue GetProperty(swf::PropertyIndex index) override;
    void SetProperty(swf::PropertyIndex index, const avm1::TValue& value) override;
    avm1::TClipObject* ParentClip() override;
    avm1::TClipObject* ChildClip(const std::string& name) override;

    void Play() override;
    void Stop() override;
    void NextFrame() override;
    void PrevFrame() override;
    void GotoFrame(int frame, bool play) override;
    bool GotoLabel(const std::string& label, bool play) override;

private:
    TSpriteInstance* Sprite() const;

    TScripts& FScripts;
    TDisplayObject* FObject;
};

}  // namespace quorlin::runtime
