#pragma once
// Components own the components made with them as owner and free them when they go.

#include <algorithm>
#include <string>
#include <vector>

namespace quorlin {

// TComponentState flags.
enum : unsigned { csDesigning = 0x1 };

class TComponent {
public:
    explicit TComponent(TComponent* owner) : FOwner(owner) {
        if (FOwner) FOwner->FComponents.push_back(this);
    }
    virtual ~TComponent() {
        // The newest component goes first, so that later ones never outlive what they built on.
        while (!FComponents.empty()) delete FComponents.back();
        if (FOwner) FOwner->RemoveComponent(this);
    }
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return FOwner; }
    const std::vector<TComponent*>& Components() const { return FComponents; }

    // Hosted controls learn a new name; the others just take it.
    virtual void SetName(const std::string& name) { Name = name; }

    std::string Name;
    unsigned ComponentState = 0;

private:
    void RemoveComponent(TComponent* component) {
        FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), component), FComponents.end());
    }

    TComponent* FOwner;
    std::vector<TComponent*> FComponents;
};

}  // namespace quorlin
