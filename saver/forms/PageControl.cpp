#include "saver/forms/PageControl.h"

#include <commctrl.h>

#include <algorithm>

namespace quorlin {

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
    TabStop = true;
    SetBounds(0, 0, 289, 193);
}

std::vector<TTabSheet*> TPageControl::Pages() const {
    std::vector<TTabSheet*> pages;
    for (TWinControl* child : Controls()) {
        if (auto* page = dynamic_cast<TTabSheet*>(child)) pages.push_back(page);
    }
    return pages;
}

void TPageControl::CreateParams(TCreateParams& params) {
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_TAB_CLASSES};
    InitCommonControlsEx(&init);
    TWinControl::CreateParams(params);
    params.SystemClass = true;
    params.WinClassName = WC_TABCONTROLA;
}

void TPageControl::HandleCreated() { PagesChanged(); }

void TPageControl::PagesChanged() {
    const std::vector<TTabSheet*> pages = Pages();
    if (!FActivePage && !pages.empty()) FActivePage = pages.front();
    if (std::find(pages.begin(), pages.end(), FActivePage) == pages.end()) FActivePage = pages.empty() ? nullptr : pages.front();
    if (FHandle) {
        SendMessageA(FHandle, TCM_DELETEALLITEMS, 0, 0);
        for (size_t i = 0; i < pages.size(); ++i) {
            const std::string caption = pages[i]->Text();
            TCITEMA item = {};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<char*>(caption.c_str());
            SendMessageA(FHandle, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        }
    }
    SetActivePage(FActivePage);
}

void TPageControl::SetActivePage(TTabSheet* page) {
    FActivePage = page;
    const std::vector<TTabSheet*> pages = Pages();
    for (size_t i = 0; i < pages.size(); ++i) {
        if (pages[i] == page && FHandle) SendMessageA(FHandle, TCM_SETCURSEL, i, 0);
    }
    LayoutPages();
    for (TTabSheet* each : pages) each->SetVisible(each == page);
}

void TPageControl::Resized() { LayoutPages(); }

void TPageControl::LayoutPages() {
    if (!FHandle) return;
    RECT rect;
    GetClientRect(FHandle, &rect);
    SendMessageA(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rect));
    for (TTabSheet* page : Pages()) page->SetBounds(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

LRESULT TPageControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == CN_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(TCN_SELCHANGE)) {
        const int index = static_cast<int>(SendMessageA(FHandle, TCM_GETCURSEL, 0, 0));
        const std::vector<TTabSheet*> pages = Pages();
        if (index >= 0 && index < static_cast<int>(pages.size())) SetActivePage(pages[index]);
        return 0;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) { SetVisible(false); }

void TTabSheet::SetParent(TWinControl* parent) {
    auto* oldPages = dynamic_cast<TPageControl*>(Parent());
    TWinControl::SetParent(parent);
    if (oldPages) oldPages->PagesChanged();
    if (auto* pages = dynamic_cast<TPageControl*>(parent)) pages->PagesChanged();
}

void TTabSheet::SetText(const std::string& text) {
    TWinControl::SetText(text);
    if (auto* pages = dynamic_cast<TPageControl*>(Parent())) pages->PagesChanged();
}

}  // namespace quorlin
