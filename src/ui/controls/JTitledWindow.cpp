#include "ui/controls/JTitledWindow.h"

#include "foundation/LocalizedString.h"
#include "graphics/Font.h"
#include "graphics/OffsetClippedProxyFrame.h"
#include "ui/JButton.h"
#include "ui/JThemeCaptionPart.h"
#include "ui/ScreenWindow.h"
#include "ui/SkinTheme.h"
#include "ui/WindowToolkitState.h"
#include "ui/WindowWatch.h"

#include <algorithm>

namespace {

constexpr int32_t kSmallestSide = 10;
constexpr int32_t kCloseButtonOffset = 2;
constexpr int32_t kCloseButtonSize = 20;
// The window fonts draw a cross for this code.
constexpr char kCloseGlyph[] = "\x18";

CLocalizedString g_closeText("Close", "Tooltip of the close button of a window's caption");

bool Contains(const CIntRect& rect, const CIntPoint& point)
{
    return point.m_x >= rect.m_left && point.m_x < rect.m_right && point.m_y >= rect.m_top &&
           point.m_y < rect.m_bottom;
}

} // namespace

CJTitledWindow::CJTitledWindow(CJWindow* parent, const char* caption) : CJWindow(parent, caption)
{
    SetUpTitled();
}

CJTitledWindow::CJTitledWindow(CJWindow* parent, const CSharedString& caption) : CJTitledWindow(parent, caption.CStr())
{
}

void CJTitledWindow::SetUpTitled()
{
    m_draggable = true;
    m_closeButton = nullptr;
    m_captionPart = m_theme ? m_theme->CreateCaptionPart(this) : nullptr;
    if (m_font && *GetText()) {
        // The caption part knows the font and the ends of the caption the title must clear.
        const int32_t titleWidth =
            m_captionPart ? m_captionPart->GetTitleWidth() : m_font->GetTextWidth(GetText()) + 3;
        SetSize(std::max(GetWidth(), titleWidth), std::max(GetHeight(), m_font->GetLineHeight()));
    }
    SetSpacing(2);
    m_minimumWidth = std::max(GetWidth(), kSmallestSide);
    m_minimumHeight = std::max(GetHeight(), kSmallestSide);
}

CJTitledWindow::~CJTitledWindow()
{
    delete m_captionPart;
    m_captionPart = nullptr;
    // A tooltip of a control of this window (or of one it covered) would stay over whatever shows next.
    if (CJWindow* root = GetScreenWindow())
        static_cast<CScreenWindow*>(root)->HideTooltip();
}

void CJTitledWindow::Draw(COffsetClippedProxyFrame* frame)
{
    CWindowWatch self(this);
    if (CWindowToolkitState::Get().captionOverContents) {
        CJWindow::Draw(frame);
        if (self.IsAlive())
            DrawCaption(frame);
        return;
    }
    DrawCaption(frame);
    if (self.IsAlive())
        CJWindow::Draw(frame);
}

void CJTitledWindow::DrawCaption(COffsetClippedProxyFrame* frame)
{
    if (m_captionPart)
        m_captionPart->Draw(frame);
}

int32_t CJTitledWindow::GetCaptionHeight() const
{
    if (!m_font || !*GetText())
        return 0;
    const int32_t h = m_font->GetLineHeight();
    return h + (h / 5) * 4 + 2;
}

bool CJTitledWindow::OnDoubleClick(int32_t button, const CIntPoint& point, bool& keepPress)
{
    CWindowWatch self(this);
    if (CJWindow::OnDoubleClick(button, point, keepPress))
        return true;
    if (!self.IsAlive() || !Contains(m_screenRect, point))
        return false;
    // The second press of a double click on the window itself is a press: the screen window
    // delivers it as one, with its release (a press delivered from here would never be released,
    // and a button pressed so would never click).
    keepPress = true;
    return true;
}

bool CJTitledWindow::OnMouseDown(int32_t button, const CIntPoint& point)
{
    CWindowWatch self(this);
    if (CJWindow::OnMouseDown(button, point))
        return true;
    return self.IsAlive() && Contains(m_screenRect, point);
}

bool CJTitledWindow::OnMouseUp(int32_t button, const CIntPoint& point)
{
    return CJWindow::OnMouseUp(button, point);
}

bool CJTitledWindow::OnMouseDrag(const CIntPoint& point, const CIntPoint& delta, uint32_t buttons, CSequence*& cursor)
{
    if (buttons & 1) {
        if (!Contains(m_screenRect, point) && !(m_capturedButtons & 1))
            return false;
        if (m_draggable) {
            SetPosition(ClampToInt(static_cast<int64_t>(m_rect.m_left) + delta.m_x),
                        ClampToInt(static_cast<int64_t>(m_rect.m_top) + delta.m_y));
            return true;
        }
    }
    return CJWindow::OnMouseDrag(point, delta, buttons, cursor);
}

void CJTitledWindow::OnCommand(CJWindow* sender, int32_t code)
{
    if (code == kCommandClicked && sender && sender == static_cast<CJWindow*>(m_closeButton)) {
        Close();
        return;
    }
    CJWindow::OnCommand(sender, code);
}

bool CJTitledWindow::Cut(int32_t flag)
{
    return m_frontChild && m_frontChild->Cut(flag);
}

bool CJTitledWindow::Copy(int32_t flag)
{
    return m_frontChild && m_frontChild->Copy(flag);
}

bool CJTitledWindow::Paste(int32_t flag)
{
    return m_frontChild && m_frontChild->Paste(flag);
}

bool CJTitledWindow::Delete(int32_t flag)
{
    return m_frontChild && m_frontChild->Delete(flag);
}

bool CJTitledWindow::IsActive() const
{
    return m_focused;
}

void CJTitledWindow::SetRect(const CIntRect& rect)
{
    CJWindow::SetRect(rect);
    if (m_closeButton)
        m_closeButton->Place(kPlaceTopRightOverCaption, nullptr, kCloseButtonOffset, kCloseButtonOffset,
                      kPlacePixelOffsets | kPlaceNoGrow);
}

void CJTitledWindow::RemoveChild(CJWindow* child)
{
    if (child && child == static_cast<CJWindow*>(m_closeButton))
        m_closeButton = nullptr;
    CJWindow::RemoveChild(child);
}

CSequence* CJTitledWindow::GetCursor(const CIntPoint& point) const
{
    return CJWindow::GetCursor(point);
}

bool CJTitledWindow::OnHover(const CIntPoint&)
{
    ShowTooltip("", 0, -1);
    return true;
}

void CJTitledWindow::AddCloseButton()
{
    if (m_closeButton)
        return;
    auto* button = new CJButton(this, kCloseGlyph, nullptr);
    button->SetSize(kCloseButtonSize, kCloseButtonSize);
    button->SetTabStop(false);
    button->SetToolTip(&g_closeText);
    m_closeButton = button;
    AddChild(button, kPlaceTopRightOverCaption, nullptr, kCloseButtonOffset, kCloseButtonOffset, kPlacePixelOffsets);
}
