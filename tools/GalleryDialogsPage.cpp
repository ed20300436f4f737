#include "GalleryDialogsPage.h"

#include "graphics/OffsetClippedProxyFrame.h"
#include "ui/controls/JDialog.h"
#include "ui/controls/JEditField.h"
#include "ui/controls/JLabel.h"

#include <algorithm>

namespace {

// The screen's backdrop: the window texture.
class CBackdrop : public CJWindow
{
public:
    explicit CBackdrop(CJWindow* screen) : CJWindow(screen, "") {}
    void Draw(COffsetClippedProxyFrame* frame) override
    {
        FillWithTexture(frame, GetBackgroundTexture(), {0, 0, GetWidth(), GetHeight()}, 0, 0);
        CJWindow::Draw(frame);
    }
};

void Add(CJWindow* parent, CJWindow* child, int32_t placement)
{
    parent->AddChild(child, placement, nullptr, kDefaultOffset, kDefaultOffset, 0);
}

// A label below the previous row's label (or at the top), with the field to its right.
CJEditField* AddRow(CJWindow* dialog, const char* caption, const char* text, CJWindow*& rowLabel)
{
    auto* label = new CJLabel(dialog, caption);
    dialog->AddChild(label, rowLabel ? kPlaceBelow : kPlaceTopLeft, rowLabel, kDefaultOffset, kDefaultOffset, 0);
    rowLabel = label;
    auto* field = new CJEditField(dialog, text);
    dialog->AddChild(field, kPlaceRightOfCentred, label, kDefaultOffset, kDefaultOffset, 0);
    return field;
}

CJDialog* MakePlayerDialog(CJWindow* root)
{
    auto* dialog = new CJDialog(root, "Player Name");
    CJWindow* row = nullptr;
    CJEditField* name = AddRow(dialog, "&Name:", "Player One", row);
    CJEditField* level = AddRow(dialog, "&Level (1-10):", "5", row);
    level->SetNumericOnly(true);
    level->SetRange(1, 10);
    CJEditField* code = AddRow(dialog, "&Code:", "", row);
    code->SetUpperCase(true);
    code->SetMaximumLength(6);
    CJEditField* fixed = AddRow(dialog, "Fixed:", "Read only", row);
    fixed->SetEditable(false);
    // The fields in one column.
    int32_t column = 0;
    for (CJWindow* field : {name, level, code, fixed})
        column = std::max(column, field->GetRect().m_left);
    for (CJWindow* field : {name, level, code, fixed})
        field->SetX(column);
    dialog->AddChild(new CJLabel(dialog, "Two lines:\nthe wider one sizes the label"), kPlaceBelow, row,
                     kDefaultOffset, kDefaultOffset, 0);
    auto* wrapped = new CJLabel(dialog, nullptr);
    wrapped->m_wrapWidth = 260;
    wrapped->SetText("A wrapped label breaks its text between words to stay within its width.");
    Add(dialog, wrapped, kPlaceBelowPrevious);
    dialog->ActivateChild(name);
    return dialog;
}

} // namespace

void OpenGalleryDialogsPage(CJWindow* screen)
{
    auto* backdrop = new CBackdrop(screen);
    backdrop->SetRect(screen->GetRect());
    screen->AddChild(backdrop, kPlaceNone, nullptr, kDefaultOffset, kDefaultOffset, kPlaceNoGrow);
    CJDialog* dialog = MakePlayerDialog(backdrop);
    backdrop->AddChildOnTop(dialog, kPlaceCentred, nullptr, kDefaultOffset, kDefaultOffset, 0);
    screen->ActivateChild(backdrop);
    backdrop->ActivateChild(dialog);
}
