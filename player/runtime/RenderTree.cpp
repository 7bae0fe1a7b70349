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
           Visible == o.Visible && ClipDepth == o.ClipDepth && MaskKey == o.MaskKey && MaskedBy == o.MaskedBy;
}

namespace {

struct TContext {
    TMatrix Matrix;
    TColorMatrix Color;
    bool Visible = true;
    uint64_t MaskKey = 0;
    std::vector<uint64_t> MaskedBy;
};

void Collect(const TSpriteInstance& sprite, const TContext& context, std::vector<TRenderItem>& out) {
    // The masks of this display list still open: key and the last depth they clip.
    std::vector<std::pair<uint64_t, int>> open;
    for (const auto& [depth, child] : sprite.Children()) {
        while (!open.empty() && depth > open.back().second) open.pop_back();
        TContext inner;
        inner.Matrix = context.Matrix * child->Matrix();
        inner.Color = context.Color * TColorMatrix::FromSwf(child->ColorTransform());
        inner.Visible = context.Visible && child->Visible();
        inner.MaskKey = context.MaskKey;
        inner.MaskedBy = context.MaskedBy;
        for (const auto& mask : open) inner.MaskedBy.push_back(mask.first);
        if (child->ClipDepth() != 0 && !inner.MaskKey) {
            inner.MaskKey = child->Key();
            open.emplace_back(child->Key(), child->ClipDepth());
        }
        if (const auto* sub = dynamic_cast<const TSpriteInstance*>(child.get())) {
            Collect(*sub, inner, out);
            continue;
        }
        TRenderItem item;
        item.Key = child->Key();
        item.Character = &child->Character();
        item.Matrix = inner.Matrix;
        item.ColorTransform = inner.Color;
        item.Visible = inner.Visible;
        item.ClipDepth = child->ClipDepth();
        item.Depth = depth;
        item.ParentKey = sprite.Key();
        item.MaskKey = inner.MaskKey;
        item.MaskedBy = std::move(inner.MaskedBy);
        out.push_back(std::move(item));
    }
}

}  // namespace

std::vector<TRenderItem> CollectRenderItems(const TSpriteInstance& root) {
    std::vector<TRenderItem> items;
    TContext context;
    context.Matrix = root.Matrix();
    context.Color = TColorMatrix::FromSwf(root.ColorTransform());
    context.Visible = root.Visible();
    Collect(root, context, items);
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
