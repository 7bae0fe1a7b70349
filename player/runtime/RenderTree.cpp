#include "player/runtime/RenderTree.h"

#include "player/runtime/SpriteInstance.h"

#include <unordered_map>

namespace quorlin::runtime {

TColorMatrix TColorMatrix::FromSwf(const swf::TColorTransform& c) {
    TColorMatrix m;
    m.Mult = {c.RedMult / 256.0, c.GreenMult / 256.0, c.BlueMult / 256.0, c.AlphaMult / 256.0};
    m.Add = {double(c.RedAdd), double(c.GreenAdd), double(c.BlueAdd), double(c.AlphaAdd)};
    return m;
}

TColorMatrix TColorMatrix::operator*(const TColorMatrix& inner) const {
    TColorMatrix m;
    for (size_t i = 0; i < 4; ++i) {
        m.Mult[i] = Mult[i] * inner.Mult[i];
        m.Add[i] = Mult[i] * inner.Add[i] + Add[i];
    }
    return m;
}

bool TRenderItem::SameLook(const TRenderItem& o) const {
    return Character == o.Character && Matrix == o.Matrix && ColorTransform == o.ColorTransform &&
           Visible == o.Visible && ClipDepth == o.ClipDepth;
}

namespace {

void Collect(const TSpriteInstance& sprite, const TMatrix& matrix, const TColorMatrix& color, bool visible,
             std::vector<TRenderItem>& out) {
    for (const auto& [depth, child] : sprite.Children()) {
        const TMatrix m = matrix * child->Matrix();
        const TColorMatrix c = color * TColorMatrix::FromSwf(child->ColorTransform());
        const bool v = visible && child->Visible();
        if (const auto* inner = dynamic_cast<const TSpriteInstance*>(child.get())) {
            Collect(*inner, m, c, v, out);
            continue;
        }
        TRenderItem item;
        item.Key = child->Key();
        item.Character = &child->Character();
        item.Matrix = m;
        item.ColorTransform = c;
        item.Visible = v;
        item.ClipDepth = child->ClipDepth();
        item.Depth = depth;
        item.ParentKey = sprite.Key();
        out.push_back(item);
    }
}

}  // namespace

std::vector<TRenderItem> CollectRenderItems(const TSpriteInstance& root) {
    std::vector<TRenderItem> items;
    Collect(root, root.Matrix(), TColorMatrix::FromSwf(root.ColorTransform()), root.Visible(), items);
    return items;
}

TFrameChanges CompareFrames(const std::vector<TRenderItem>& before, const std::vector<TRenderItem>& after) {
    TFrameChanges changes;
    std::unordered_map<uint64_t, size_t> old;
    for (size_t i = 0; i < before.size(); ++i) old.emplace(before[i].Key, i);
    std::unordered_map<uint64_t, bool> kept;
    size_t lastOrder = 0;
    bool first = true;
    for (const TRenderItem& item : after) {
        auto it = old.find(item.Key);
        if (it == old.end()) {
            changes.Added.push_back(item.Key);
            continue;
        }
        kept[item.Key] = true;
        if (!first && it->second < lastOrder) changes.Reordered = true;
        lastOrder = it->second;
        first = false;
        if (!before[it->second].SameLook(item)) changes.Changed.push_back(item.Key);
    }
    for (const TRenderItem& item : before)
        if (!kept.count(item.Key)) changes.Removed.push_back(item.Key);
    return changes;
}

}  // namespace quorlin::runtime
