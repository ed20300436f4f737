#pragma once
// Windows every gallery page is made of: the page itself (the window texture over the whole
// screen with its title on top) and titled panels that hold the shown windows.
#include "ui/JWindow.h"

// The font's line height; 0 without a font.
int32_t GalleryLineHeight(const CJWindow* window);

// Adds the child with the placement code and default offsets; the parent grows to hold it.
void GalleryAdd(CJWindow* parent, CJWindow* child, int32_t placement);

// The page: the window texture over the whole screen, the title centred on top, then the children.
class CGalleryPage : public CJWindow
{
public:
    CGalleryPage(CJWindow* screen, const char* title) : CJWindow(screen, title) {}
    void Draw(COffsetClippedProxyFrame* frame) override;
};

// A panel with a title band on the title tile, its texture lined up with its parent's, and a bevel.
class CGalleryPanel : public CJWindow
{
public:
    CGalleryPanel(CJWindow* parent, const char* title, bool active) : CJWindow(parent, title), m_active(active) {}
    bool IsActive() const override { return m_active && CJWindow::IsActive(); }
    int32_t GetCaptionHeight() const override { return GalleryLineHeight(this) + 4 * GetFontUnit() + 3; }
    void Draw(COffsetClippedProxyFrame* frame) override;

private:
    bool m_active;
};

// Opens the page over the whole screen window, which owns it from then on.
void OpenGalleryPage(CJWindow* screen, CJWindow* page);
