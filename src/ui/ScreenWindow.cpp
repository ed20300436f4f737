#include "ui/ScreenWindow.h"

CFont* CScreenWindow::s_defaultFont = nullptr;

CScreenWindow::CScreenWindow(CFrame* target, CFont* font)
    : m_target(target)
{
    s_defaultFont = font;
}
