#include "ui/JWindow.h"

CResourceCollection* CJWindow::s_listIcons = nullptr;
CResourceCollection* CJWindow::s_windowTextures = nullptr;

int CJWindow::OpenWindow(CJWindow* window, int placement)
{
    (void)window;
    (void)placement;
    return 0;
}

void CJWindow::SetSkinResources(CResourceCollection* listIcons, CResourceCollection* windowTextures)
{
    s_listIcons = listIcons;
    s_windowTextures = windowTextures;
}
