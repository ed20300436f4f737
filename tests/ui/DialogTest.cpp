// Titled windows and dialogs: the titled set-up, dragging, the dialog keys, and the dialog stack
// (sub-dialogs, replacement, and the teardown of a whole stack).
#include "InputTestSupport.h"
#include "ui/UiKeys.h"
#include "ui/controls/JDialog.h"

#include <map>

namespace {

using namespace uitest;

class Dialog : public ScreenInputTest
{
protected:
    // Deletions by caption; outlives the screen window.
    std::map<std::string, int> m_deleted;
};

// A dialog that counts its deletions by name.
class CountedDialog : public CJDialog
{
public:
    CountedDialog(const char* caption, std::map<std::string, int>* deleted) : CJDialog(nullptr, caption), m_deleted(deleted)
    {
    }
    ~CountedDialog() override { ++(*m_deleted)[GetText()]; }

private:
    std::map<std::string, int>* m_deleted;
};

TEST_F(Dialog, TitledSetUpKeepsAMinimumOfTenPixelsAndMeasuresTheCaption)
{
    CJTitledWindow narrow(nullptr, ".");
    EXPECT_EQ(narrow.GetMinimumWidth(), 10);
    EXPECT_EQ(narrow.GetMinimumHeight(), 10);
    // Line height 10: 10 + 2 x 4 + 2.
    EXPECT_EQ(narrow.GetCaptionHeight(), 20);
    EXPECT_TRUE(narrow.IsDraggable());

    CJTitledWindow wide(nullptr, "ABCD");
    EXPECT_EQ(wide.GetWidth(), 4 * 8 + 3);
    EXPECT_EQ(wide.GetMinimumWidth(), 35);
    CJTitledWindow untitled(nullptr, "");
    EXPECT_EQ(untitled.GetCaptionHeight(), 0);
    CJDialog dialog(nullptr, "ABCD");
    EXPECT_FALSE(dialog.IsDraggable());
    EXPECT_TRUE(dialog.IsDialog());
}

TEST_F(Dialog, ATitledWindowDragsAndSwallowsPressesButADialogStays)
{
    auto* titled = Open(new CJTitledWindow(nullptr, "ABCD"), {100, 100, 200, 160});
    Step({MoveTo(110, 110), kPress});
    Step({MoveTo(130, 125)});
    Step({MoveTo(400, 300)});  // left the window: still its drag
    Step({kRelease});
    EXPECT_EQ(titled->GetRect(), (CIntRect{390, 290, 490, 350}));

    auto* dialog = Open(new CJDialog(nullptr, "ABCD"), {100, 100, 200, 160});
    EXPECT_TRUE(dialog->OnMouseDown(0, {150, 150}));
    EXPECT_FALSE(dialog->OnMouseDown(0, {50, 50}));
    Step({MoveTo(110, 110), kPress});
    Step({MoveTo(130, 125)});
    Step({kRelease});
    EXPECT_EQ(dialog->GetRect(), (CIntRect{100, 100, 200, 160}));
}

TEST_F(Dialog, KeysGoToTheDefaultAndCancelButtons)
{
    struct Case
    {
        const char* name;
        bool withChild, withDefault, withCancel, childActivates;
        int32_t key;
        bool taken;
        const char* log;
    };
    const Case cases[] = {
        {"Enter without children", false, false, false, false, uikey::kEnter, false, ""},
        {"Enter: the front child first", true, true, false, true, uikey::kEnter, true, "Field: activate"},
        {"Enter: then the default button", true, true, false, false, uikey::kEnter, true,
         "Field: activate|OK: activate"},
        {"Enter: no default button", true, false, false, false, uikey::kEnter, true, "Field: activate"},
        {"action key presses the default", true, true, false, true, uikey::kControlSetAction, true, "OK: activate"},
        {"action key without default", true, false, false, true, uikey::kControlSetAction, false, ""},
        {"Escape presses cancel", true, true, true, true, uikey::kEscape, true, "Cancel: activate"},
        {"Escape without cancel", true, true, false, true, uikey::kEscape, false, ""},
        {"other keys", true, true, true, true, 'x', false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CJDialog dialog(nullptr, "ABCD");
        auto* ok = new InputProbe("OK", &m_log);
        auto* cancel = new InputProbe("Cancel", &m_log);
        if (c.withDefault) {
            dialog.AddChild(ok, kPlaceTopLeft, nullptr, kDefaultOffset, kDefaultOffset, 0);
            dialog.m_defaultButton = ok;
        } else {
            delete ok;
        }
        if (c.withCancel) {
            dialog.AddChild(cancel, kPlaceTopLeft, nullptr, kDefaultOffset, kDefaultOffset, 0);
            dialog.m_cancelButton = cancel;
        } else {
            delete cancel;
        }
        if (c.withChild) {
            auto* field = new InputProbe("Field", &m_log);
            field->action = [&](InputProbe*, const std::string& e) { return e == "activate" && c.childActivates; };
            dialog.AddChildOnTop(field, kPlaceTopLeft, nullptr, kDefaultOffset, kDefaultOffset, 0);
        }
        TakeLog();
        EXPECT_EQ(dialog.OnKey(c.key), c.taken);
        std::string log;
        for (const std::string& line : TakeLog())
            if (line.find("key") == std::string::npos)
                log += (log.empty() ? "" : "|") + line;
        EXPECT_EQ(log, c.log);
    }
}

TEST_F(Dialog, ArrowsMoveTheFocusAmongTheTabStops)
{
    auto* dialog = Open(new CJDialog(nullptr, "ABCD"), {100, 100, 300, 300});
    InputProbe* stops[3];
    for (int i = 0; i < 3; ++i) {
        stops[i] = new InputProbe(std::string(1, static_cast<char>('A' + i)).c_str(), &m_log);
        stops[i]->SetTabStop(true);
        dialog->AddChild(stops[i], kPlaceBelowPrevious, nullptr, kDefaultOffset, kDefaultOffset, 0);
    }
    m_screen->ActivateChild(dialog);
    dialog->ActivateChild(stops[0]);
    std::string visited;
    for (int32_t key : {uikey::kDown, uikey::kRight, uikey::kDown, uikey::kUp, uikey::kLeft}) {
        EXPECT_TRUE(dialog->OnKey(key));
        for (InputProbe* stop : stops)
            if (stop->HasFocus())
                visited += stop->GetText();
    }
    EXPECT_EQ(visited, "BCACB");
}

TEST_F(Dialog, ClosingASubDialogBringsTheFirstBackAtItsRectOnTop)
{
    std::map<std::string, int>& deleted = m_deleted;
    auto* other = Probe("Other", {0, 0, 50, 50});
    auto* first = Open(new CountedDialog("FIRST", &deleted), {100, 100, 200, 180});
    first->SetModal(true);
    auto* sub = new CountedDialog("SUB", &deleted);
    sub->SetRect({0, 0, 60, 40});
    first->OpenSubDialog(sub, true);
    EXPECT_EQ(Order(m_screen.get()), "SUB,Other");
    EXPECT_FALSE(first->IsVisible());
    EXPECT_TRUE(sub->IsModal());
    EXPECT_EQ(sub->GetRect(), (CIntRect{290, 220, 350, 260}));  // centred on the screen
    first->SetRect({0, 0, 1, 1});  // what a hidden dialog's rect does meanwhile does not matter

    EXPECT_TRUE(sub->Close());
    EXPECT_EQ(Order(m_screen.get()), "FIRST,Other");
    EXPECT_TRUE(first->IsVisible());
    EXPECT_EQ(first->GetRect(), (CIntRect{100, 100, 200, 180}));
    EXPECT_EQ(deleted, (std::map<std::string, int>{{"SUB", 1}}));
    (void)other;
}

TEST_F(Dialog, ReplaceWithHandsTheStackOn)
{
    std::map<std::string, int>& deleted = m_deleted;
    auto* first = Open(new CountedDialog("FIRST", &deleted), {100, 100, 200, 180});
    auto* sub = new CountedDialog("SUB", &deleted);
    first->OpenSubDialog(sub, false);
    auto* next = new CountedDialog("NEXT", &deleted);
    next->SetRect({10, 10, 70, 50});
    sub->ReplaceWith(next, false);
    EXPECT_EQ(sub->GetStackedDialog(), nullptr);
    EXPECT_EQ(next->GetStackedDialog(), first);
    EXPECT_EQ(Order(m_screen.get()), "NEXT,SUB");
    Step();  // the replaced dialog closes at its update
    EXPECT_EQ(Order(m_screen.get()), "NEXT");
    EXPECT_EQ(deleted, (std::map<std::string, int>{{"SUB", 1}}));

    next->ReplaceWithNow(new CountedDialog("LAST", &deleted), false);
    EXPECT_EQ(deleted, (std::map<std::string, int>{{"NEXT", 1}, {"SUB", 1}}));
    ASSERT_NE(m_screen->GetFrontChild(), nullptr);
    m_screen->GetFrontChild()->Close();
    EXPECT_EQ(Order(m_screen.get()), "FIRST");
    EXPECT_EQ(first->GetRect(), (CIntRect{100, 100, 200, 180}));
    EXPECT_TRUE(first->IsVisible());
}

TEST_F(Dialog, DeletingTheScreenFreesEachDialogOfAStackOnce)
{
    std::map<std::string, int>& deleted = m_deleted;
    // Without a parent the covered dialogs go with the top one.
    auto* d = Open(new CountedDialog("D", &deleted), {0, 0, 50, 50}, Probe("Holder", {0, 0, 100, 100}));
    d->OpenSubDialog(new CountedDialog("E", &deleted), false);
    CJWindow* e = d->GetParent() ? nullptr : m_screen->GetFrontChild()->GetFrontChild();
    ASSERT_NE(e, nullptr);
    e->GetParent()->RemoveChild(e);
    delete e;
    EXPECT_EQ(deleted, (std::map<std::string, int>{{"D", 1}, {"E", 1}}));

    auto* a = Open(new CountedDialog("A", &deleted), {100, 100, 200, 180});
    auto* b = new CountedDialog("B", &deleted);
    a->OpenSubDialog(b, true);
    b->OpenSubDialog(new CountedDialog("C", &deleted), true);
    m_screen.reset();
    EXPECT_EQ(deleted, (std::map<std::string, int>{{"A", 1}, {"B", 1}, {"C", 1}, {"D", 1}, {"E", 1}}));
}

TEST_F(Dialog, CloseWithStackDiscardsTheCoveredDialogs)
{
    std::map<std::string, int>& deleted = m_deleted;
    auto* a = Open(new CountedDialog("A", &deleted), {100, 100, 200, 180});
    auto* b = new CountedDialog("B", &deleted);
    a->OpenSubDialog(b, true);
    auto* c = new CountedDialog("C", &deleted);
    b->OpenSubDialog(c, true);
    EXPECT_TRUE(c->CloseWithStack());
    EXPECT_EQ(deleted, (std::map<std::string, int>{{"A", 1}, {"B", 1}, {"C", 1}}));
    EXPECT_EQ(m_screen->GetFrontChild(), nullptr);
}

} // namespace
