#pragma once
// A one-line choice box: a one-row list shows the current item, and an arrow button beside it
// opens a drop-down list that floats over everything on the root window; choosing a row there
// makes it the current item.
//
// The rule a caller must know: the parent hears the shown list's notifications (code 1 when the
// current item changes, also while the player moves through the open list) and code 0 when a
// choice is confirmed. The open list never deletes itself inside a walk of the root: it closes
// deferred, and the box forgets it at once.
#include "ui/JWindow.h"

#include <cstdint>

class CItemList;
class CJButton;
class CJDropDownList;
class CJListBox;
class CTreeModel;

class CJDropDownBox : public CJWindow
{
public:
    // The model is not owned; widthUnits limits the shown list's width in font units.
    CJDropDownBox(CJWindow* parent, CTreeModel* source, uint32_t widthUnits);
    // Over a list of names (not owned), shown as one level through the shown list's adapter.
    CJDropDownBox(CJWindow* parent, CItemList* list, uint32_t widthUnits);
    // Closes an open list.
    ~CJDropDownBox() override;

    bool OnMouseDown(int32_t button, const CIntPoint& point) override;
    bool OnMouseUp(int32_t button, const CIntPoint& point) override;
    bool OnKey(int32_t key) override;
    void OnCommand(CJWindow* sender, int32_t code) override;
    // The arrow never keeps the focus: the shown list takes it instead.
    void ActivateChild(CJWindow* child) override;
    void SetRect(const CIntRect& rect) override;
    // The text is the shown list's (the box's own before the list exists).
    void SetText(const char* text) override;
    const char* GetText() const override;

    // Of the shown list: kNoItem and "" when nothing is selected.
    virtual uint32_t GetSelectedId() const;
    virtual const char* GetSelectedText() const;
    // A new button with the down-arrow glyph, not yet linked (subclasses may supply another).
    virtual CJButton* CreateArrowButton(CJWindow* parent);

    void SetItemSource(CTreeModel* source);
    void SetSortMode(uint32_t mode);
    // Opens the closed ancestors first; false when the id is not in the model.
    bool SelectItemById(uint32_t id, bool quiet = false);
    // Nothing while open.
    void OpenDropDown();
    // Forgets the open list and lets it close at the root's next update; with restore the item
    // shown when it opened comes back. Nothing while closed.
    void CloseDropDown(bool restore);
    // The open list is being deleted by someone else (its parent, the root, going away).
    void ForgetDropDown(const CJDropDownList* list)
    {
        if (m_dropDown == list)
            m_dropDown = nullptr;
    }
    // The shown list takes the focus in this box's parent.
    void ActivateBox();
    bool IsOpen() const { return m_dropDown != nullptr; }
    CJDropDownList* GetDropDownList() const { return m_dropDown; }
    CJListBox* GetShownList() const { return m_shown; }
    CJButton* GetArrowButton() const { return m_arrow; }
    void SetOpenOnClick(bool open) { m_openOnClick = open; }
    void SetEnterChooses(bool chooses) { m_enterChooses = chooses; }

private:
    // Links the shown list and the arrow and sizes the box.
    void Construct(CJListBox* shown, uint32_t widthUnits);

    CJListBox* m_shown = nullptr;
    CJDropDownList* m_dropDown = nullptr;
    CJButton* m_arrow = nullptr;
    uint32_t m_widthLimit = 0;
    bool m_openOnClick = false;
    bool m_enterChooses = false;
    uint32_t m_savedId = 0xFFFFFFFF;
};
