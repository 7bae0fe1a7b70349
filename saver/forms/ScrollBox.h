#pragma once
// A scroll box: its children scroll vertically when they, plus the margin below the last
// of them, run past its height. No horizontal bar.

#include "saver/forms/Control.h"

namespace quorlin {

class TScrollBox : public TWinControl {
public:
    explicit TScrollBox(TComponent* owner);

    bool Bordered = true;
    bool HorzScrollBarVisible = true;
    // The space kept below the lowest child.
    int VertMargin = 0;
    // The content follows the thumb while it is dragged.
    bool VertTracking = false;

    int ScrollPosition() const { return FPosition; }
    // The height of the content, margin included, as the scroll bar ranges over it.
    int ContentHeight() const;
    void ScrollTo(int position);

    bool SetProperty(const std::string& name, const TPropValue& value) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void ChildBoundsChanged(TWinControl* child) override;
    void Resized() override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void UpdateScrollBar();

    int FPosition = 0;
    bool FScrolling = false;
};

}  // namespace quorlin
