#include "GalleryDialogsPage.h"

#include "graphics/OffsetClippedProxyFrame.h"
#include "ui/Callback.h"
#include "ui/JButton.h"
#include "ui/JThemeButtonPart.h"
#include "ui/controls/JDialog.h"
#include "ui/controls/JEditField.h"
#include "ui/controls/JLabel.h"

#include <algorithm>
#include <functional>

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

// A button's action as a function.
class CGalleryAction : public CCallback
{
public:
    explicit CGalleryAction(std::function<void()> run) : m_run(std::move(run)) {}
    void Invoke() override { m_run(); }

private:
    std::function<void()> m_run;
};

CJButton* MakeButton(CJWindow* parent, const char* text, std::function<void()> run)
{
    auto* button = new CJButton(parent, text, nullptr);
    if (CJThemeButtonPart* part = button->GetThemePart())
        part->AutoSize();
    button->SetAction(new CGalleryAction(std::move(run)));
    return button;
}

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
    CJButton* message = MakeButton(dialog, "&Message", [dialog] {
        dialog->ShowMessageText("Message Window",
                                "A message window wraps a text wider than 500 pixels between its words, and any of "
                                "its buttons closes it after the button's action ran. Enter and Escape close it too.");
    });
    Add(dialog, message, kPlaceBelowPrevious);
    CJButton* done = MakeButton(dialog, "&Done", [dialog] { dialog->RequestClose(); });
    Add(dialog, done, kPlaceRightOfPrevious);
    CJWindow::LayOutButtonRow(message, done, 0);
    dialog->m_defaultButton = done;
    dialog->m_cancelButton = done;
    dialog->AddCloseButton();
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
