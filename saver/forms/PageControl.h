#pragma once
// A page control: tabs over a stack of tab sheets, one of them shown.

#include <vector>

#include "saver/forms/Control.h"

namespace quorlin {

class TTabSheet;

class TPageControl : public TWinControl {
public:
    explicit TPageControl(TComponent* owner);

    std::vector<TTabSheet*> Pages() const;
    TTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* page);

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void Resized() override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    friend class TTabSheet;
    void PagesChanged();
    void LayoutPages();

    TTabSheet* FActivePage = nullptr;
};

class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* owner);
    void SetParent(TWinControl* parent) override;
    void SetText(const std::string& text) override;
};

}  // namespace quorlin
