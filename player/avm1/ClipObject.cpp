#include "player/avm1/ClipObject.h"

#include "player/avm1/Machine.h"

#include <vector>

namespace quorlin::avm1 {

namespace {

using swf::PropertyIndex;

const char* const PropertyNames[] = {
    "_x", "_y", "_xscale", "_yscale", "_currentframe", "_totalframes", "_alpha", "_visible",
    "_width", "_height", "_rotation", "_target", "_framesloaded", "_name", "_droptarget", "_url",
    "_highquality", "_focusrect", "_soundbuftime", "_quality", "_xmouse", "_ymouse",
};

bool IsReadOnly(PropertyIndex index) {
    switch (index) {
    case PropertyIndex::CurrentFrame:
    case PropertyIndex::TotalFrames:
    case PropertyIndex::Target:
    case PropertyIndex::FramesLoaded:
    case PropertyIndex::DropTarget:
    case PropertyIndex::Url:
    case PropertyIndex::XMouse:
    case PropertyIndex::YMouse: return true;
    default: return false;
    }
}

}  // namespace

std::optional<swf::PropertyIndex> TClipObject::PropertyByName(const std::string& name) {
    if (name.empty() || name[0] != '_')
        return std::nullopt;
    for (size_t i = 0; i < std::size(PropertyNames); ++i)
        if (name == PropertyNames[i])
            return static_cast<PropertyIndex>(i);
    return std::nullopt;
}

TClipObject* TClipObject::RootClip() {
    TClipObject* clip = this;
    // A parent chain longer than any display list means a host fault; stop anyway.
    for (int guard = 0; guard < 100000 && clip->ParentClip(); ++guard)
        clip = clip->ParentClip();
    return clip;
}

std::string TClipObject::SlashPath() {
    std::vector<std::string> names;
    TClipObject* clip = this;
    for (int guard = 0; guard < 100000 && clip->ParentClip(); ++guard) {
        TValue name = clip->GetProperty(PropertyIndex::Name);
        names.push_back(name.IsString() ? name.AsString() : std::string());
        clip = clip->ParentClip();
    }
    std::string path = clip->Level() == 0 ? "" : "_level" + std::to_string(clip->Level());
    if (names.empty())
        return path.empty() ? "/" : path;
    for (auto it = names.rbegin(); it != names.rend(); ++it)
        path += "/" + *it;
    return path;
}

std::string TClipObject::DotPath() {
    std::string slash = SlashPath();
    std::string path = "_level" + std::to_string(RootClip()->Level());
    size_t start = slash.find('/');
    if (start == std::string::npos || slash == "/")
        return path;
    for (char c : slash.substr(start))
        path += c == '/' ? '.' : c;
    return path;
}

TValue TClipObject::ReadProperty(PropertyIndex index) {
    if (index == PropertyIndex::Target)
        return SlashPath();
    return GetProperty(index);
}

void TClipObject::WriteProperty(TMachine& m, PropertyIndex index, const TValue& value) {
    if (IsReadOnly(index) || static_cast<size_t>(index) >= std::size(PropertyNames))
        return;
    if (index == PropertyIndex::Visible)
        SetProperty(index, ToBoolean(value));
    else if (index == PropertyIndex::Name)
        SetProperty(index, m.ToString(value));
    else
        SetProperty(index, m.ToNumber(value));
}

bool TClipObject::GetOwn(TMachine& m, const std::string& name, const TValue& self, TValue& out) {
    if (name == "_parent") {
        out = ParentClip() ? TValue(ParentClip()) : TValue();
        return true;
    }
    if (name == "_root") {
        out = RootClip();
        return true;
    }
    if (auto index = PropertyByName(name)) {
        out = ReadProperty(*index);
        return true;
    }
    if (TObject::GetOwn(m, name, self, out))
        return true;
    if (TClipObject* child = ChildClip(name)) {
        out = child;
        return true;
    }
    return false;
}

void TClipObject::SetOwn(TMachine& m, const std::string& name, const TValue& value) {
    if (name == "_parent" || name == "_root")
        return;
    if (auto index = PropertyByName(name)) {
        WriteProperty(m, *index, value);
        return;
    }
    TObject::SetOwn(m, name, value);
}

bool TClipObject::HasOwn(const std::string& name) const {
    if (name == "_parent" || name == "_root" || PropertyByName(name) || TObject::HasOwn(name))
        return true;
    return const_cast<TClipObject*>(this)->ChildClip(name) != nullptr;
}

}  // namespace quorlin::avm1
