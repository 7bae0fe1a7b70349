#pragma once
// A label: one line of text, left-aligned and clipped at its width, optionally sized to
// its text and centred vertically, with its hint as a tooltip.

#include "saver/forms/Control.h"

namespace quorlin {

enum class TTextLayout { tlTop, tlCenter, tlBottom };

class TLabel : public TWinControl {
public:
    explicit TLabel(TComponent* owner);
    ~TLabel() override;

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout layout);
    void SetText(const std::string& text) override;
    void SetParent(TWinControl* parent) override;
    void SetBounds(int left, int top, int width, int height) override;
    // The tooltip window that shows the hint, once the label has its window.
    HWND HintWindow() const { return FHintWindow; }

    bool SetProperty(const std::string& name, const TPropValue& value) override;

protected:
    void Paint(HDC dc) override;
    void FontChanged() override;
    void HandleCreated() override;

private:
    void AdjustSize();

    bool FAutoSize = true;
    TTextLayout FLayout = TTextLayout::tlTop;
    HWND FHintWindow = nullptr;
};

}  // namespace quorlin
