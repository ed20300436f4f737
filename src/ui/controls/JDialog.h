#pragma once
// A titled window that answers Enter, Escape and the control sets' action key through a default
// and a cancel button, moves the focus with the arrow keys, and can replace itself by another
// dialog or open a sub-dialog over itself. Covered dialogs form a stack through each dialog's
// stacked dialog; destroying the top one gives the covered one back to the parent at its old
// rect, so a chain unwinds one dialog per close.
//
// The rule a caller must know: the dialog owns the dialog it covers (only the top of a stack is
// a child of the parent), and the default and cancel buttons are plain fields that the code
// building the dialog sets; the dialog never creates them.
#include "ui/controls/JTitledWindow.h"

class CJDialog : public CJTitledWindow
{
public:
    // Not draggable, no default or cancel button.
    CJDialog(CJWindow* parent, const char* caption);
    CJDialog(CJWindow* parent, const CSharedString& caption);
    // Gives the covered dialog back to the parent (deletes it without one).
    ~CJDialog() override;

    // The focused child first; then the arrows, Enter, Escape and the action key (see JDialog.cpp).
    bool OnKey(int32_t key) override;
    // Deletes the whole stack under this dialog.
    void DiscardStack() override;
    bool IsDialog() const override { return true; }

    // next takes this dialog's place (and the stack under it) on the parent, centred or at its
    // own rect; this dialog closes at its next update, or at once for ReplaceWithNow (then this
    // object is gone when the call returns). Without a parent, next is deleted.
    void ReplaceWith(CJDialog* next, bool centre);
    void ReplaceWithNow(CJDialog* next, bool centre);
    // Opens next over this dialog, which leaves the parent hidden and comes back when next is
    // destroyed. Without a parent, next is deleted.
    void OpenSubDialog(CJDialog* next, bool centre);
    // DiscardStack, then Close.
    bool CloseWithStack();

    CJWindow* m_defaultButton = nullptr;
    CJWindow* m_cancelButton = nullptr;

    CJDialog* GetStackedDialog() const { return m_stackedDialog; }

private:
    void HandOver(CJDialog* next, bool now, bool centre);
    // Takes the dialog (null: none) as the one this dialog covers, with the rect it gets back;
    // any dialog covered before is deleted.
    void Cover(CJDialog* dialog, const CIntRect& rect);

    CJDialog* m_stackedDialog = nullptr;
    CIntRect m_stackedRect;
};
