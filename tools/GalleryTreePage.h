#pragma once
// The gallery's "tree" page: a root window with panels placed by placement codes, each drawn on
// the window textures with a title band and a bevel; bevels of both styles and of single sides,
// texts with shortcuts, the three symbol texts and dimmed text, and a row of tab stops whose
// focused one shows the focus frame.
#include "ui/JWindow.h"

#include <memory>

class CGalleryTreePage
{
public:
    // The page, as large as the screen; the fonts must outlive it.
    CGalleryTreePage(int32_t width, int32_t height);
    ~CGalleryTreePage();

    CJWindow* GetRoot() const { return m_root.get(); }
    // Tab: the focus moves on among the tab stops (and their focus frame shows).
    void FocusNext();

private:
    std::unique_ptr<CJWindow> m_root;
    CJWindow* m_focusPanel = nullptr;
};
