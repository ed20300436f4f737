// Construction, destruction, the update and close cycle, colours and the toolkit-wide settings.
#include "ui/JWindow.h"

#include "foundation/Win32Services.h"
#include "graphics/Font.h"
#include "ui/JWindowClassicTheme.h"
#include "ui/SkinTheme.h"
#include "ui/WindowToolkitState.h"
#include "ui/WindowWatch.h"

#include <cstdlib>
#include <cstring>

namespace {

CWindowToolkitState& Toolkit()
{
    return CWindowToolkitState::Get();
}

} // namespace

CJWindow::CJWindow(CJWindow* parent, const char* text)
{
    m_font = Toolkit().defaultFont;
    if (parent)
        SetTheme(parent->GetTheme());
    if (!m_theme)
        SetTheme(GetDefaultTheme());
    m_textColor.ConstructRgba(186, 186, 186, 255);
    m_backgroundColor.ConstructRgba(0, 0, 0, 255);
    m_focusFrameColor.ConstructRgba(96, 86, 79, 255);
    m_selectColor.ConstructRgba(101, 91, 85, 255);
    m_frameColor.ConstructRgba(0, 0, 0, 255);
    m_highlightColor.ConstructRgba(63, 154, 255, 255);
    if (m_theme)
        m_theme->SetUpWindow(this, parent);

    m_transparent = parent && parent->m_transparent;
    m_outerMargin = GetFontUnit() * 4;
    m_spacing = GetFontUnit() * 4;
    CWindowToolkitState& toolkit = Toolkit();
    if (toolkit.sharedRowSpacing < 0)
        toolkit.sharedRowSpacing = GetFontUnit() * 2;
    m_rowSpacing = toolkit.sharedRowSpacing;
    toolkit.PrepareForFirstWindow();
    if (text)
        SetText(text);
}

CJWindow::CJWindow(CJWindow* parent, const CSharedString& text) : CJWindow(parent, text.CStr())
{
}

CJWindow* CJWindow::ConstructFromString(CJWindow* parent, const CSharedString& text)
{
    return new CJWindow(parent, text);
}

CJWindow::~CJWindow()
{
    // Walks that watch this window stop touching it from here on.
    for (CWindowWatch* watch = m_watches; watch; watch = watch->m_next)
        watch->m_window = nullptr;
    m_watches = nullptr;

    Toolkit().repaintAll = true;
    if (!m_settingsKey.IsEmpty())
        SaveWindowState(m_settingsKey.CStr(), m_saveSize);
    // A child's destructor may put another window in front (a dialog hands back the one it
    // covered), so the loop asks for the front child each time.
    while (m_frontChild)
        delete m_frontChild;
    if (m_parent)
        m_parent->RemoveChild(this);
    delete m_scroll;
    m_scroll = nullptr;
}

void CJWindow::Update(float seconds)
{
    CWindowWatch self(this);
    for (CJWindow* child = m_frontChild; child;) {
        CWindowWatch next(child->m_nextSibling);
        child->Update(seconds);
        if (!self.IsAlive())
            return;
        child = next.Get();
    }
    if (m_scroll && m_scroll->m_automaticBars)
        UpdateScrollBars();
    if (m_closeRequested) {
        m_closeRequested = false;
        Close();
    }
}

CJWindow* CJWindow::GetModalWindow() const
{
    return m_frontChild && m_frontChild->m_visible && m_frontChild->m_modal ? m_frontChild : nullptr;
}

bool CJWindow::Close()
{
    Destroy();
    return true;
}

void CJWindow::Destroy()
{
    delete this;
}

bool CJWindow::CloseChildren()
{
    while (CJWindow* front = m_frontChild) {
        CWindowWatch watch(front);
        if (!front->Close())
            return false;
        // A window that says it closed but stays in front would be asked for ever.
        if (watch.IsAlive() && m_frontChild == front)
            return false;
    }
    return true;
}

void CJWindow::SetFocus(bool focused)
{
    m_focused = focused;
    if (m_frontChild)
        m_frontChild->SetFocus(focused);
}

void CJWindow::OnCommand(CJWindow* sender, int32_t code)
{
    if (code != kCommandFirstShown && m_parent)
        m_parent->OnCommand(sender, code);
}

void CJWindow::NotifyParent(int32_t code)
{
    if (m_parent)
        m_parent->OnCommand(this, code);
}

bool CJWindow::IsShown() const
{
    return m_visible && (!m_parent || m_parent->IsShown());
}

void CJWindow::UpdateState()
{
    for (CJWindow* child = m_frontChild; child; child = child->m_nextSibling)
        child->UpdateState();
}

bool CJWindow::IsActive() const
{
    return m_parent ? m_parent->IsActive() : m_focused;
}

void CJWindow::WalkVisibleChildren()
{
    for (CJWindow* child = m_frontChild; child && IsVisible(); child = child->m_nextSibling)
        child->WalkVisibleChildren();
}

CSequence* CJWindow::GetCursor(const CIntPoint&) const
{
    return nullptr;
}

bool CJWindow::OnHover(const CIntPoint& point)
{
    return m_parent ? m_parent->OnHover(point) : false;
}

bool CJWindow::IsEnabledInParent() const
{
    return m_enabled && (!m_parent || m_parent->m_enabled);
}

void CJWindow::SetTransparent(bool transparent)
{
    m_transparent = transparent;
    for (CJWindow* child = m_frontChild; child; child = child->m_nextSibling)
        child->SetTransparent(transparent);
}

int32_t CJWindow::GetFontUnit() const
{
    return m_font ? m_font->GetLineHeight() / 5 : 0;
}

void CJWindow::SetSpacing(int32_t units)
{
    m_rowSpacing = GetFontUnit() * units;
    Toolkit().sharedRowSpacing = m_rowSpacing;
}

CJWindow* CJWindow::GetRoot()
{
    CJWindow* window = this;
    while (window->m_parent)
        window = window->m_parent;
    return window;
}

CJWindow* CJWindow::GetScreenWindow()
{
    CJWindow* root = GetRoot();
    return root->IsScreenWindow() ? root : nullptr;
}

CJWindow* CJWindow::FindChildByName(const char* text) const
{
    for (CJWindow* child = m_frontChild; child; child = child->m_nextSibling)
        if (text && std::strcmp(child->GetText(), text) == 0)
            return child;
    return nullptr;
}

bool CJWindow::OnMouseRepeat(int32_t button, const CIntPoint& point)
{
    return OnMouseDown(button, point);
}

bool CJWindow::OnMouseDrag(const CIntPoint&, const CIntPoint&, uint32_t, CSequence*&)
{
    return false;
}

bool CJWindow::OfferToChildren(bool (CJWindow::*operation)(int32_t), int32_t flag)
{
    CWindowWatch self(this);
    for (CJWindow* child = m_frontChild; child;) {
        CWindowWatch next(child->m_nextSibling);
        if (child->IsVisible() && (child->*operation)(flag))
            return true;
        if (!self.IsAlive())
            return false;
        child = next.Get();
    }
    return false;
}

bool CJWindow::Cut(int32_t flag)
{
    return OfferToChildren(&CJWindow::Cut, flag);
}

bool CJWindow::Copy(int32_t flag)
{
    return OfferToChildren(&CJWindow::Copy, flag);
}

bool CJWindow::Paste(int32_t flag)
{
    return OfferToChildren(&CJWindow::Paste, flag);
}

bool CJWindow::Delete(int32_t flag)
{
    return OfferToChildren(&CJWindow::Delete, flag);
}

void CJWindow::SetBackgroundColor(uint8_t red, uint8_t green, uint8_t blue)
{
    m_backgroundColor.ConstructRgba(red, green, blue, 255);
}

void CJWindow::SetTextColor(uint8_t red, uint8_t green, uint8_t blue)
{
    m_textColor.ConstructRgba(red, green, blue, 255);
}

void CJWindow::SetFocusFrameColor(uint8_t red, uint8_t green, uint8_t blue)
{
    m_focusFrameColor.ConstructRgba(red, green, blue, 255);
}

void CJWindow::SetSelectColor(uint8_t red, uint8_t green, uint8_t blue)
{
    m_selectColor.ConstructRgba(red, green, blue, 255);
}

void CJWindow::SetFrameColor(uint8_t red, uint8_t green, uint8_t blue)
{
    m_frameColor.ConstructRgba(red, green, blue, 255);
}

void CJWindow::SetDefaultFont(CFont* font)
{
    Toolkit().defaultFont = font;
}

CFont* CJWindow::GetDefaultFont()
{
    return Toolkit().defaultFont;
}

void CJWindow::SetDefaultTheme(CSkinTheme* theme)
{
    Toolkit().defaultTheme = theme;
}

CSkinTheme* CJWindow::GetDefaultTheme()
{
    CWindowToolkitState& toolkit = Toolkit();
    if (!toolkit.defaultTheme)
        toolkit.defaultTheme = &CJWindowClassicTheme::GetInstance();
    return toolkit.defaultTheme;
}

void CJWindow::SetSkinResources(CResourceCollection* listIcons, CResourceCollection* windowTextures)
{
    Toolkit().SetSkinResources(listIcons, windowTextures);
}

CResourceCollection* CJWindow::GetListIcons()
{
    return Toolkit().GetListIcons();
}

CResourceCollection* CJWindow::GetWindowTextures()
{
    return Toolkit().GetWindowTextures();
}

void CJWindow::SetWindowStateFile(const char* name)
{
    CSharedString& file = Toolkit().windowStateFile;
    file.Clear();
    if (!name || !name[0])
        return;
    // The INI layer would put a bare name in the per-user folder; the window state lies beside
    // the program instead.
    if (!std::strchr(name, '/') && !std::strchr(name, '\\')) {
        file = GetExecutableFolder().c_str();
        file.AppendText(name);
    } else {
        file = name;
    }
}

const char* CJWindow::GetWindowStateFile()
{
    return Toolkit().windowStateFile.CStr();
}

CSequence* CJWindow::GetCursorByIndex(int32_t)
{
    return nullptr;
}
