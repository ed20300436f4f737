// The drop-down box: the shown list, the arrow button, and opening and closing the list.
#include "ui/JDropDownBox.h"

#include "objects/TreeModel.h"
#include "ui/JButton.h"
#include "ui/JDropDownList.h"
#include "ui/JListBox.h"
#include "ui/WindowWatch.h"

#include <algorithm>

namespace {

enum : int32_t
{
    kKeyUp = 6,
    kKeyDown = 10,
    kKeyEnter = 13,
    kKeyF4 = 20,
};

// The glyph of the font's down arrow.
constexpr char kArrowText[] = {29, 0};

} // namespace

CJDropDownBox::CJDropDownBox(CJWindow* parent, CTreeModel* source, uint32_t widthUnits) : CJWindow(parent, "")
{
    Construct(new CJListBox(this, source, widthUnits, 0), widthUnits);
}

CJDropDownBox::CJDropDownBox(CJWindow* parent, CItemList* list, uint32_t widthUnits) : CJWindow(parent, "")
{
    Construct(new CJListBox(this, list, widthUnits, 0), widthUnits);
}

void CJDropDownBox::SetText(const char* text)
{
    if (m_shown)
        m_shown->SetText(text);
    else
        CJWindow::SetText(text);
}

const char* CJDropDownBox::GetText() const
{
    return m_shown ? m_shown->GetText() : CJWindow::GetText();
}

void CJDropDownBox::Construct(CJListBox* shown, uint32_t widthUnits)
{
    m_outerMargin = 0;
    SetTabStop(true);
    SetFramed(true);
    const int32_t unit = GetFontUnit();
    m_widthLimit = static_cast<uint32_t>(unit) * widthUnits;
    m_shown = shown;
    m_shown->SetFlat(true, true);
    m_shown->SetTabStop(false);
    m_shown->SetFramed(false);
    AddChild(m_shown, kPlaceNone, nullptr, 0, 0, 0);
    m_arrow = CreateArrowButton(this);
    if (m_arrow) {
        m_arrow->SetTabStop(false);
        m_arrow->SetFramed(false);
        // Buttons do not size themselves: the arrow is a square as high as the shown row.
        if (m_arrow->GetWidth() <= 0)
            m_arrow->SetSize(m_shown->GetHeight(), m_shown->GetHeight());
        AddChild(m_arrow, kPlaceRightOf, m_shown, -1, 0, 0);
    }
    const int64_t listWidth =
        static_cast<int64_t>(std::min(m_shown->GetWidthLimit(), m_shown->GetWidestWidth())) + 3 + 2 * unit;
    const int32_t arrowWidth = m_arrow ? m_arrow->GetWidth() : 0;
    SetSize(ClampToInt(listWidth + arrowWidth), m_shown->GetHeight());
    ActivateChild(m_shown);
}

CJDropDownBox::~CJDropDownBox()
{
    CloseDropDown(false);
}

CJButton* CJDropDownBox::CreateArrowButton(CJWindow* parent)
{
    return new CJButton(parent, kArrowText, nullptr);
}

void CJDropDownBox::SetRect(const CIntRect& rect)
{
    CJWindow::SetRect(rect);
    if (!m_shown)
        return;
    const int32_t arrowWidth = m_arrow ? m_arrow->GetWidth() : 0;
    const int32_t arrowLeft = GetWidth() - arrowWidth;
    const int32_t listHeight = m_shown->GetRowHeight() + 2 * GetFontUnit() + 2;
    const int32_t listWidth = arrowLeft + 1 > 4 ? arrowLeft + 1 : m_shown->GetWidth();
    m_shown->SetRect({0, 0, listWidth, listHeight});
    if (m_arrow)
        m_arrow->SetRect({arrowLeft, 0, GetWidth(), GetHeight()});
}

uint32_t CJDropDownBox::GetSelectedId() const
{
    return m_shown->GetSelectedId();
}

const char* CJDropDownBox::GetSelectedText() const
{
    return m_shown->GetSelectedText();
}

void CJDropDownBox::SetItemSource(CTreeModel* source)
{
    m_shown->SetItemSource(source);
    if (m_dropDown)
        m_dropDown->SetItemSource(source);
}

void CJDropDownBox::SetSortMode(uint32_t mode)
{
    m_shown->SetSortMode(mode);
    if (m_dropDown)
        m_dropDown->SetSortMode(mode);
}

bool CJDropDownBox::SelectItemById(uint32_t id, bool quiet)
{
    return m_shown->SelectItemById(id, quiet);
}

void CJDropDownBox::OpenDropDown()
{
    CJWindow* root = GetRoot();
    if (m_dropDown || !root || root == this)
        return;
    m_savedId = m_shown->GetSelectedId();
    auto* list = new CJDropDownList(this, m_shown->GetItemSource(), m_shown->GetSortMode());
    // Root content coordinates of the box's screen rect.
    const int64_t dx = static_cast<int64_t>(root->GetScrollX()) - root->GetScreenRect().m_left;
    const int64_t dy = static_cast<int64_t>(root->GetScrollY()) - root->GetScreenRect().m_top;
    const int64_t left = GetScreenRect().m_left + dx;
    int64_t top = GetScreenRect().m_bottom + dy;
    const int64_t rootTop = root->GetScrollY(), rootBottom = rootTop + root->GetHeight();
    if (top + list->GetHeight() > rootBottom) {
        top = GetScreenRect().m_top + dy - list->GetHeight();
        // Room on neither side: the whole list on the root, even over the box.
        if (top < rootTop)
            top = std::max(rootTop, rootBottom - list->GetHeight());
    }
    list->SetRect({ClampToInt(left), ClampToInt(top), ClampToInt(left + list->GetWidth()),
                   ClampToInt(top + list->GetHeight())});
    m_dropDown = list;
    root->AddChildOnTop(list, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    if (m_dropDown != list)
        return;
    root->ActivateChild(list);
    if (m_dropDown != list)
        return;
    list->SelectItemById(m_savedId, true);
    const int32_t selected = list->GetSelectedRow();
    if (selected >= 0) {
        const int32_t visible = static_cast<int32_t>(list->GetVisibleRows());
        const int32_t count = static_cast<int32_t>(list->GetRowCount());
        const int32_t first = std::clamp(selected - visible / 2, 0, std::max(0, count - visible));
        list->ScrollTo(first * list->GetRowHeight());
    }
}

void CJDropDownBox::CloseDropDown(bool restore)
{
    CJDropDownList* list = m_dropDown;
    if (!list)
        return;
    m_dropDown = nullptr;
    list->Detach();
    if (restore)
        m_shown->SelectItemById(m_savedId, false);
}

void CJDropDownBox::ActivateBox()
{
    if (m_parent)
        m_parent->ActivateChild(this);
}

void CJDropDownBox::ActivateChild(CJWindow* child)
{
    CJWindow::ActivateChild(child == m_arrow ? m_shown : child);
}

bool CJDropDownBox::OnMouseDown(int32_t button, const CIntPoint& point)
{
    if (m_openOnClick && button == 0 && m_shown->IsHit(point)) {
        OpenDropDown();
        return true;
    }
    return CJWindow::OnMouseDown(button, point);
}

bool CJDropDownBox::OnMouseUp(int32_t button, const CIntPoint& point)
{
    CWindowWatch self(this);
    const bool taken = CJWindow::OnMouseUp(button, point);
    if (self.IsAlive() && m_arrow && m_arrow->WasClicked()) {
        OpenDropDown();
        return true;
    }
    return taken;
}

bool CJDropDownBox::OnKey(int32_t key)
{
    if (!m_dropDown) {
        if (key == kKeyF4) {
            OpenDropDown();
            return true;
        }
        if (key == kKeyUp || key == kKeyDown) {
            OpenDropDown();
            if (m_dropDown)
                m_dropDown->OnKey(key);
            return true;
        }
        if (key == kKeyEnter && m_enterChooses) {
            NotifyParent(kCommandClicked);
            return true;
        }
    } else if (key == kKeyEnter) {
        CloseDropDown(false);
        ActivateChild(m_shown);
        return true;
    }
    return CJWindow::OnKey(key);
}

void CJDropDownBox::OnCommand(CJWindow* sender, int32_t code)
{
    if (sender && sender == m_dropDown) {
        if (code == kCommandValueChanged)
            m_shown->SelectItemById(m_dropDown->GetSelectedId(), false);
        return;
    }
    // The arrow's clicks open the list in OnMouseUp; they are not the box's to report.
    if (sender && sender == m_arrow)
        return;
    CJWindow::OnCommand(sender, code);
}
