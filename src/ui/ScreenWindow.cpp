#include "ui/ScreenWindow.h"

#include "graphics/Frame.h"

CScreenWindow::CScreenWindow(CFrame* target, CFont* font) : CJWindow(nullptr, "~CScreenWindow"), m_target(target)
{
    if (font)
        SetDefaultFont(font);
    SetFocus(true);
    m_drawingFrame.ConstructForTarget(target);
    SetRect({0, 0, target ? target->GetWidth() : 0, target ? target->GetHeight() : 0});
}

CScreenWindow::~CScreenWindow() = default;

void CScreenWindow::GrowToFitChild(CJWindow*, int32_t)
{
}

void CScreenWindow::DrawScreen()
{
    if (!m_target || !IsVisible())
        return;
    ApplyDrawingState(&m_drawingFrame);
    Draw(&m_drawingFrame);
}
