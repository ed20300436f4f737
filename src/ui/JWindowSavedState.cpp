// The window state kept from one run to the next: position, size, visibility and transparency in
// a section of the window-state INI file.
#include "ui/JWindow.h"

#include "foundation/ConfigFile.h"
#include "ui/WindowWatch.h"

namespace {

constexpr const char* kWidth = "Width";
constexpr const char* kHeight = "Height";
constexpr const char* kPositionX = "Position X";
constexpr const char* kPositionY = "Position Y";
constexpr const char* kShowWindow = "Show Window";
constexpr const char* kTransparentWindow = "Transparent Window";

} // namespace

void CJWindow::LoadWindowState(const char* key, bool withSize)
{
    const CSharedString section = key ? CSharedString(key) : m_text;
    m_settingsKey = section;
    m_saveSize = withSize;
    const char* file = GetWindowStateFile();
    const char* name = section.CStr();
    if (withSize) {
        const int width = ReadConfigInt(file, name, kWidth, GetWidth());
        const int height = ReadConfigInt(file, name, kHeight, GetHeight());
        if (width > 0 && height > 0)
            SetSize(width, height);
    }
    int64_t x = ReadConfigInt(file, name, kPositionX, m_rect.m_left);
    int64_t y = ReadConfigInt(file, name, kPositionY, m_rect.m_top);
    const bool show = ReadConfigInt(file, name, kShowWindow, m_visible ? 1 : 0) != 0;
    SetTransparent(ReadConfigInt(file, name, kTransparentWindow, m_transparent ? 1 : 0) != 0);

    ClampRestoredPosition(x, y);
    if (x != m_rect.m_left || y != m_rect.m_top)
        SetPosition(ClampToInt(x), ClampToInt(y));
    if (show != m_visible) {
        CWindowWatch self(this);
        Show(show, true);
        if (!self.IsAlive())
            return;
    }
    // Windows restored onto the same place cascade.
    while (m_parent && m_parent->IsRectTaken(m_screenRect, this)) {
        const CIntRect before = m_rect;
        SetPosition(ClampToInt(static_cast<int64_t>(m_rect.m_left) + 10), ClampToInt(static_cast<int64_t>(m_rect.m_top) + 10));
        if (m_rect == before)
            break;
    }
}

void CJWindow::ClampRestoredPosition(int64_t& x, int64_t& y) const
{
    const int64_t width = GetWidth(), height = GetHeight();
    if (!m_parent) {
        int32_t screenWidth = 0, screenHeight = 0;
        if (!GetScreenSize(screenWidth, screenHeight))
            return;
        if (x + width < 0)
            x = 0;
        else if (x > screenWidth - 1)
            x = screenWidth - width;
        if (y + height < 0)
            y = 0;
        else if (y > screenHeight - 1)
            y = screenHeight - height;
        return;
    }
    // The parent's visible area, in the parent's content coordinates.
    const CIntRect& visible = m_parent->m_visibleRect;
    const int64_t originX = m_parent->m_screenRect.m_left, originY = m_parent->m_screenRect.m_top;
    if (x + originX > visible.m_right)
        x = visible.m_right - originX - width;
    if (y + originY > visible.m_bottom)
        y = visible.m_bottom - originY - height;
    if (x + width + originX < visible.m_left)
        x = visible.m_left - originX;
    if (y + height + originY < visible.m_top)
        y = visible.m_top - originY;
}

void CJWindow::SaveWindowState(const char* key, bool withSize)
{
    const CSharedString section = key ? CSharedString(key) : m_text;
    const char* file = GetWindowStateFile();
    const char* name = section.CStr();
    if (withSize) {
        WriteConfigInt(file, name, kWidth, GetWidth());
        WriteConfigInt(file, name, kHeight, GetHeight());
    }
    WriteConfigInt(file, name, kPositionX, m_rect.m_left);
    WriteConfigInt(file, name, kPositionY, m_rect.m_top);
    WriteConfigInt(file, name, kShowWindow, m_visible ? 1 : 0);
    WriteConfigInt(file, name, kTransparentWindow, m_transparent ? 1 : 0);
}
