#include "GalleryDialogsPage.h"

#include "graphics/OffsetClippedProxyFrame.h"
#include "ui/controls/JDialog.h"
#include "ui/controls/JEditField.h"
#include "ui/controls/JLabel.h"

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

// A label with the field to its right.
CJEditField* AddRow(CJWindow* dialog, const char* caption, const char* text, bool first)
{
    Add(dialog, new CJLabel(dialog, caption), first ? kPlaceTopLeft : kPlaceBelowPrevious);
    auto* field = new CJEditField(dialog, text);
    Add(dialog, field, kPlaceRightOfPreviousCentred);
    return field;
}

CJDialog* MakePlayerDialog(CJWindow* root)
{
    auto* dialog = new CJDialog(root, "Player Name");
    CJEditField* name = AddRow(dialog, "&Name:", "Player One", true);
    CJEditField* level = AddRow(dialog, "&Level (1-10):", "5", false);
    level->SetNumericOnly(true);
    level->SetRange(1, 10);
    CJEditField* code = AddRow(dialog, "&Code:", "", false);
    code->SetUpperCase(true);
    code->SetMaximumLength(6);
    CJEditField* fixed = AddRow(dialog, "Fixed:", "Read only", false);
    fixed->SetEditable(false);
    Add(dialog, new CJLabel(dialog, "Two lines:\nthe wider one sizes the label"), kPlaceBelowPrevious);
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
