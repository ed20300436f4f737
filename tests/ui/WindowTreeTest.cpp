// The window tree: texts and shortcuts, the child ring and focus, visibility, the rect cascade,
// the first-shown notification and windows that delete themselves inside walks.
#include "UiTestSupport.h"
#include "graphics/OffsetClippedProxyFrame.h"
#include "ui/JWindowClassicTheme.h"

#include <algorithm>

using uitest::Dump;
using uitest::Order;
using uitest::ProbeWindow;

namespace {

class WindowTree : public uitest::ToolkitTest
{
protected:
    // A root of 200 x 100 with children named "1".."n", added at the back with flags 1.
    std::unique_ptr<CJWindow> MakeRoot(int children)
    {
        auto root = std::make_unique<ProbeWindow>("root", &m_log);
        root->SetRect({0, 0, 200, 100});
        for (int i = 1; i <= children; ++i) {
            auto* child = new ProbeWindow(std::to_string(i).c_str(), &m_log);
            child->SetRect({0, 0, 10, 10});
            root->AddChild(child, kPlaceNone, nullptr, kDefaultOffset, kDefaultOffset, kPlaceNoGrow);
        }
        return root;
    }
    CJWindow* Child(CJWindow* root, const char* name) { return root->FindChildByName(name); }
    // Draws the tree through a proxy over a small frame, as the screen does.
    void DrawTree(CJWindow* root)
    {
        CFrame target;
        target.Create(200, 100, 16);
        COffsetClippedProxyFrame proxy;
        proxy.ConstructForTarget(&target);
        root->Draw(&proxy);
    }
    int Count(const std::string& entry) const { return static_cast<int>(std::count(m_log.begin(), m_log.end(), entry)); }

    std::vector<std::string> m_log;
};

} // namespace

TEST_F(WindowTree, TextsAndShortcuts)
{
    const struct
    {
        const char* text;
        bool parse;
        const char* shown;
        int position, length, key;
    } cases[] = {
        {"&Save", true, "Save", 0, 1, 's'},
        {"a&bc&d", true, "abcd", 1, 2, 0},
        {"a&bc&d", false, "a&bc&d", 255, 0, 0},
        {"E&xit", true, "Exit", 1, 1, 'x'},
        {"&\x01Open", true, "Open", 0, 1, 'o'},
        {"a&b&c&d", true, "ab&cd", 1, 3, 0},  // only the last '&' ends the run
        {"plain", true, "plain", 255, 0, 0},
        {"end&", true, "end", 255, 0, 0},    // a mark with nothing after it
        {"", true, "", 255, 0, 0},
    };
    for (const auto& c : cases) {
        CJWindow window(nullptr, nullptr);
        window.SetParseAmpersand(c.parse);
        window.SetText(c.text);
        EXPECT_STREQ(window.GetText(), c.shown) << c.text;
        EXPECT_EQ(window.GetShortcutPosition(), c.position) << c.text;
        EXPECT_EQ(window.GetUnderlineLength(), c.length) << c.text;
        EXPECT_EQ(window.GetShortcutKey(), c.key) << c.text;
    }
    // A mark beyond the 255 positions a byte can name underlines nothing.
    CJWindow longText(nullptr, (std::string(300, 'x') + "&y").c_str());
    EXPECT_EQ(longText.GetShortcutPosition(), 255);
    EXPECT_EQ(std::string(longText.GetText()).size(), 301u);
    // Numbers, and a text that changes drops the old shortcut.
    CJWindow number(nullptr, "&Go");
    number.SetTextInt(-42);
    EXPECT_EQ(number.GetTextAsInt(), -42);
    EXPECT_EQ(number.GetShortcutKey(), 0);
    number.SetTextFloat(2.5f);
    EXPECT_FLOAT_EQ(number.GetTextAsFloat(), 2.5f);
    number.SetText("99999999999");
    EXPECT_EQ(number.GetTextAsInt(), INT32_MAX);
    number.SetText(nullptr);
    EXPECT_STREQ(number.GetText(), "");
}

TEST_F(WindowTree, ConstructionTakesTheDefaultsAndTheParentsTheme)
{
    CJWindow parent(nullptr, "parent");
    EXPECT_EQ(parent.GetTheme(), &CJWindowClassicTheme::GetInstance());
    EXPECT_EQ(CJWindow::GetDefaultTheme(), &CJWindowClassicTheme::GetInstance());
    EXPECT_EQ(parent.GetFont(), m_font.get());
    EXPECT_EQ(parent.GetFontUnit(), 2);
    EXPECT_EQ(parent.GetOuterMargin(), 8);
    EXPECT_EQ(parent.GetSpacing(), 8);
    EXPECT_EQ(parent.GetRowSpacing(), 4);

    // The classic theme gives a child its parent's font, whatever the default is now.
    auto otherFont = uitest::MakeFont();
    CJWindow::SetDefaultFont(otherFont.get());
    parent.SetTransparent(true);
    CJWindow child(&parent, "child");
    EXPECT_EQ(child.GetFont(), m_font.get());
    EXPECT_TRUE(child.IsTransparent());
    // The shared row spacing was set by the first window and SetSpacing changes it for later ones.
    parent.SetSpacing(3);
    EXPECT_EQ(parent.GetRowSpacing(), 6);
    CJWindow later(nullptr, "later");
    EXPECT_EQ(later.GetRowSpacing(), 6);
}

TEST_F(WindowTree, ActivateChildRotatesTheRing)
{
    auto root = MakeRoot(5);
    EXPECT_EQ(Order(root.get()), "1,2,3,4,5");
    root->ActivateChild(Child(root.get(), "3"));
    EXPECT_EQ(Order(root.get()), "3,4,5,1,2");
    root->ActivateChild(Child(root.get(), "2"));
    EXPECT_EQ(Order(root.get()), "2,3,4,5,1");
    root->ActivateChild(Child(root.get(), "2"));
    EXPECT_EQ(Order(root.get()), "2,3,4,5,1");
    root->SendChildToBack(Child(root.get(), "2"));
    EXPECT_EQ(Order(root.get()), "3,4,5,1,2");
    // A window that is not a child is left alone.
    CJWindow stranger(nullptr, "x");
    root->ActivateChild(&stranger);
    root->RemoveChild(&stranger);
    EXPECT_EQ(Order(root.get()), "3,4,5,1,2");
}

TEST_F(WindowTree, FocusFollowsTheFrontChild)
{
    auto root = MakeRoot(3);
    root->SetFocus(true);
    EXPECT_EQ(Dump(root.get()), "root*(0,0,200,100)[1*(0,0,10,10) 2(0,0,10,10) 3(0,0,10,10)]");
    root->ActivateChild(Child(root.get(), "3"));
    EXPECT_EQ(Dump(root.get()), "root*(0,0,200,100)[3*(0,0,10,10) 1(0,0,10,10) 2(0,0,10,10)]");
    // A window on top takes the focus; removing it gives it back to the new front child.
    auto* top = new ProbeWindow("top", &m_log);
    root->AddChildOnTop(top, kPlaceNone, nullptr, kDefaultOffset, kDefaultOffset, 0);
    EXPECT_EQ(Order(root.get()), "top,3,1,2");
    EXPECT_TRUE(top->HasFocus());
    EXPECT_FALSE(Child(root.get(), "3")->HasFocus());
    delete top;
    EXPECT_EQ(Order(root.get()), "3,1,2");
    EXPECT_TRUE(Child(root.get(), "3")->HasFocus());

    // Activating a grandchild activates its parent first when neither has the focus.
    auto* group = new ProbeWindow("group", &m_log);
    auto* a = new ProbeWindow("a", &m_log);
    auto* b = new ProbeWindow("b", &m_log);
    group->AddChild(a, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    group->AddChild(b, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    root->AddChild(group, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    EXPECT_FALSE(group->HasFocus());
    group->ActivateChild(b);
    EXPECT_EQ(Order(root.get()), "group,3,1,2");
    EXPECT_EQ(Order(group), "b,a");
    EXPECT_TRUE(group->HasFocus());
    EXPECT_TRUE(b->HasFocus());
    EXPECT_FALSE(a->HasFocus());
    EXPECT_FALSE(Child(root.get(), "3")->HasFocus());
}

TEST_F(WindowTree, TabStopsWrapAndSkipHiddenWindows)
{
    auto root = MakeRoot(5);
    for (const char* name : {"2", "4", "5"})
        Child(root.get(), name)->SetTabStop(true);
    Child(root.get(), "4")->Show(false, false);
    EXPECT_STREQ(Child(root.get(), "1")->NextTabStop()->GetText(), "2");
    EXPECT_STREQ(Child(root.get(), "2")->NextTabStop()->GetText(), "5");
    EXPECT_STREQ(Child(root.get(), "5")->NextTabStop()->GetText(), "2");
    EXPECT_STREQ(Child(root.get(), "2")->PrevTabStop()->GetText(), "5");
    EXPECT_STREQ(Child(root.get(), "1")->PrevTabStop()->GetText(), "5");

    EXPECT_TRUE(root->FocusNextTabStop());
    EXPECT_EQ(Order(root.get()), "2,3,4,5,1");
    EXPECT_TRUE(CWindowToolkitState::Get().keyboardNavigation);
    EXPECT_TRUE(root->FocusPrevTabStop());
    EXPECT_EQ(Order(root.get()), "5,1,2,3,4");
    // The only tab stop has no other to go to.
    Child(root.get(), "5")->SetTabStop(false);
    EXPECT_EQ(Child(root.get(), "2")->NextTabStop(), nullptr);
    CJWindow alone(nullptr, "alone");
    EXPECT_EQ(alone.NextTabStop(), nullptr);
    EXPECT_FALSE(alone.FocusNextTabStop());
}

TEST_F(WindowTree, AGroupAddedWithAFrontChildThatIsNoTabStopFocusesItsFirstTabStop)
{
    auto root = MakeRoot(0);
    auto* group = new ProbeWindow("group", &m_log);
    for (const char* name : {"label", "field", "button"}) {
        auto* child = new ProbeWindow(name, &m_log);
        child->SetTabStop(std::string(name) != "label");
        group->AddChild(child, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    }
    root->AddChild(group, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    EXPECT_EQ(Order(group), "field,button,label");
    EXPECT_FALSE(CWindowToolkitState::Get().keyboardNavigation);
}

TEST_F(WindowTree, ShowActivatesAndHidingActivatesTheNextSibling)
{
    auto root = MakeRoot(3);
    root->SetFocus(true);
    Child(root.get(), "1")->Show(false, true);
    EXPECT_EQ(Order(root.get()), "2,3,1");
    EXPECT_TRUE(Child(root.get(), "2")->HasFocus());
    EXPECT_TRUE(CWindowToolkitState::Get().repaintAll);
    Child(root.get(), "1")->Show(true, true);
    EXPECT_EQ(Order(root.get()), "1,2,3");
    // Showing a visible window does nothing, not even activating it.
    Child(root.get(), "3")->Show(true, true);
    EXPECT_EQ(Order(root.get()), "1,2,3");
    root->Show(false, false);
    EXPECT_FALSE(Child(root.get(), "2")->IsShown());
    EXPECT_TRUE(Child(root.get(), "2")->IsVisible());
}

TEST_F(WindowTree, AddChildGrowsTheParentUnlessToldNot)
{
    const struct
    {
        uint32_t flags;
        const char* parent;
    } cases[] = {
        {0, "root(0,0,98,68)"},                 // child right 90 + margin 8, bottom 60 + 8
        {kPlaceNoGrow, "root(0,0,50,40)"},
        {kPlaceNoMargin, "root(0,0,90,60)"},
    };
    for (const auto& c : cases) {
        CJWindow root(nullptr, "root");
        root.SetRect({0, 0, 50, 40});
        auto* child = new CJWindow(&root, "c");
        child->SetRect({30, 20, 90, 60});
        root.AddChild(child, kPlaceNone, nullptr, kDefaultOffset, kDefaultOffset, c.flags);
        const std::string dump = Dump(&root);
        EXPECT_EQ(dump.substr(0, dump.find('[')), c.parent) << c.flags;
    }
    // Growth travels up the tree; windows on top never grow their parent.
    CJWindow top(nullptr, "top");
    top.SetRect({0, 0, 20, 20});
    auto* middle = new CJWindow(&top, "middle");
    middle->SetRect({5, 5, 15, 15});
    top.AddChild(middle, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    auto* leaf = new CJWindow(middle, "leaf");
    leaf->SetRect({0, 0, 30, 4});
    middle->AddChild(leaf, kPlaceNone, nullptr, 0, 0, 0);
    EXPECT_EQ(Dump(&top), "top(0,0,51,25)[middle(5,5,43,17)[leaf(0,0,30,4)]]");
    auto* over = new CJWindow(&top, "over");
    over->SetRect({0, 0, 300, 300});
    top.AddChildOnTop(over, kPlaceNone, nullptr, 0, 0, 0);
    EXPECT_EQ(top.GetRect(), (CIntRect{0, 0, 51, 25}));
    // A window cannot be added to itself or below itself.
    top.AddChild(&top, kPlaceNone, nullptr, 0, 0, 0);
    middle->AddChild(&top, kPlaceNone, nullptr, 0, 0, 0);
    EXPECT_EQ(top.GetParent(), nullptr);
    EXPECT_EQ(Order(&top), "over,middle");
    // Adding a window that has a parent moves it.
    CJWindow other(nullptr, "other");
    other.AddChild(leaf, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    EXPECT_EQ(Order(middle), "");
    EXPECT_EQ(Order(&other), "leaf");
}

TEST_F(WindowTree, SetRectCascadesScreenVisibleAndClipRects)
{
    CJWindow root(nullptr, "root");
    root.SetRect({0, 0, 100, 80});
    auto* panel = new CJWindow(&root, "panel");
    auto* inner = new CJWindow(panel, "inner");
    panel->SetRect({60, 50, 160, 130});
    inner->SetRect({-10, 10, 30, 40});
    panel->AddChild(inner, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    root.AddChild(panel, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    EXPECT_EQ(panel->GetScreenRect(), (CIntRect{60, 50, 160, 130}));
    EXPECT_EQ(panel->GetVisibleRect(), (CIntRect{60, 50, 100, 80}));
    EXPECT_EQ(panel->GetClipRect(), (CIntRect{0, 0, 40, 30}));
    EXPECT_EQ(inner->GetScreenRect(), (CIntRect{50, 60, 90, 90}));
    EXPECT_EQ(inner->GetVisibleRect(), (CIntRect{60, 60, 90, 80}));
    EXPECT_EQ(inner->GetClipRect(), (CIntRect{10, 0, 40, 20}));
    // Moving the parent moves the subtree; a window outside its parent has no visible rect.
    panel->SetPosition(10, 5);
    EXPECT_EQ(inner->GetScreenRect(), (CIntRect{0, 15, 40, 45}));
    EXPECT_EQ(inner->GetVisibleRect(), (CIntRect{10, 15, 40, 45}));
    inner->SetPosition(500, 500);
    EXPECT_EQ(inner->GetVisibleRect(), (CIntRect{}));
    // Huge coordinates saturate instead of overflowing.
    panel->SetRect({INT32_MAX - 5, 0, INT32_MAX, 10});
    inner->SetRect({100, 0, 200, 10});
    EXPECT_EQ(inner->GetScreenRect().m_right, INT32_MAX);
}

TEST_F(WindowTree, TheFirstDrawTellsEveryChildOnceHiddenOnesToo)
{
    auto root = MakeRoot(3);
    root->SetRect({0, 0, 200, 100});
    Child(root.get(), "2")->Show(false, false);
    DrawTree(root.get());
    DrawTree(root.get());
    for (const char* name : {"1", "2", "3"})
        EXPECT_EQ(Count(std::string(name) + ": command 2"), 1) << name;
    // Drawn back to front, hidden ones skipped; the notification does not reach the parent.
    const std::vector<std::string> draws(m_log.begin(), m_log.end());
    std::vector<std::string> order;
    for (const std::string& entry : draws)
        if (entry.find("draw") != std::string::npos)
            order.push_back(entry);
    EXPECT_EQ(order, (std::vector<std::string>{"root: draw", "3: draw", "1: draw", "root: draw", "3: draw", "1: draw"}));
    EXPECT_EQ(Count("root: command 2"), 0);
    // A child added later is told at the next draw.
    root->AddChild(new ProbeWindow("4", &m_log), kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    DrawTree(root.get());
    EXPECT_EQ(Count("4: command 2"), 1);
    EXPECT_FALSE(CWindowToolkitState::Get().repaintAll);
}

TEST_F(WindowTree, WindowsMayDeleteThemselvesInsideEveryWalk)
{
    // In Update, in the first-shown notification, and by a deferred close.
    auto root = MakeRoot(4);
    auto* one = static_cast<ProbeWindow*>(Child(root.get(), "1"));
    auto* two = static_cast<ProbeWindow*>(Child(root.get(), "2"));
    auto* three = static_cast<ProbeWindow*>(Child(root.get(), "3"));
    one->m_onUpdate = [](ProbeWindow* w) { return w->Close(); };
    three->m_onCommand = [](ProbeWindow* w, int32_t code) { return code == kCommandFirstShown && w->Close(); };
    two->RequestClose();
    root->Update(0.1f);
    EXPECT_EQ(Order(root.get()), "3,4");
    EXPECT_EQ(Count("4: update"), 1);
    DrawTree(root.get());
    EXPECT_EQ(Order(root.get()), "4");
    EXPECT_EQ(Count("4: draw"), 1);

    // A window that deletes its next sibling while updating stops the walk instead of using it.
    auto second = MakeRoot(3);
    auto* first = static_cast<ProbeWindow*>(Child(second.get(), "1"));
    first->m_onUpdate = [](ProbeWindow* w) {
        delete w->GetNextSibling();
        return false;
    };
    second->Update(0.1f);
    EXPECT_EQ(Order(second.get()), "1,3");

    // A child that closes its parent while the parent walks.
    auto outer = MakeRoot(0);
    auto* dialog = new ProbeWindow("dialog", &m_log);
    auto* closer = new ProbeWindow("closer", &m_log);
    closer->m_onUpdate = [](ProbeWindow* w) {
        w->GetParent()->Close();
        return true;
    };
    dialog->AddChild(closer, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    dialog->AddChild(new ProbeWindow("after", &m_log), kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    outer->AddChild(dialog, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    outer->Update(0.1f);
    EXPECT_EQ(Order(outer.get()), "");
    EXPECT_EQ(Count("after: update"), 0);
    EXPECT_EQ(Count("after: deleted"), 1);
}

TEST_F(WindowTree, TheDestructorDeletesWindowsThatAppearWhileItDeletes)
{
    // A window that puts another in front of its parent as it goes, as a dialog hands back the
    // dialog it covered.
    class HandsBack : public ProbeWindow
    {
    public:
        HandsBack(std::vector<std::string>* log, CJWindow* covered) : ProbeWindow("top", log), m_covered(covered) {}
        ~HandsBack() override
        {
            if (CJWindow* parent = GetParent())
                parent->AddChildOnTop(m_covered, kPlaceNone, nullptr, 0, 0, 0);
        }
        CJWindow* m_covered;
    };
    auto root = MakeRoot(1);
    root->AddChildOnTop(new HandsBack(&m_log, new ProbeWindow("covered", &m_log)), kPlaceNone, nullptr, 0, 0, 0);
    root.reset();
    EXPECT_EQ(Count("covered: deleted"), 1);
    EXPECT_EQ(Count("top: deleted"), 1);
    EXPECT_EQ(Count("1: deleted"), 1);
}

TEST_F(WindowTree, CloseChildrenStopsAtAWindowThatStays)
{
    class Refuses : public ProbeWindow
    {
    public:
        Refuses(std::vector<std::string>* log, bool answer) : ProbeWindow("stays", log), m_answer(answer) {}
        bool Close() override { return m_answer; }
        bool m_answer;
    };
    for (bool answer : {false, true}) {
        auto root = MakeRoot(2);
        root->AddChild(new Refuses(&m_log, answer), kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
        EXPECT_FALSE(root->CloseChildren()) << answer;
        EXPECT_EQ(Order(root.get()), "stays") << answer;
    }
    auto root = MakeRoot(3);
    EXPECT_TRUE(root->CloseChildren());
    EXPECT_FALSE(root->HasChildren());
}

TEST_F(WindowTree, TheModalWindowIsAVisibleModalFrontChild)
{
    auto root = MakeRoot(2);
    EXPECT_EQ(root->GetModalWindow(), nullptr);
    auto* dialog = new ProbeWindow("dialog", &m_log);
    dialog->SetRect({0, 0, 40, 30});
    EXPECT_TRUE(Child(root.get(), "1")->OpenModalWindow(dialog, kPlaceCentred));
    EXPECT_EQ(root->GetModalWindow(), dialog);
    EXPECT_TRUE(root->HasModalWindow());
    EXPECT_EQ(dialog->GetRect(), (CIntRect{80, 35, 120, 65}));
    dialog->Show(false, false);
    EXPECT_EQ(root->GetModalWindow(), nullptr);
    dialog->Show(true, false);
    root->ActivateChild(Child(root.get(), "2"));
    EXPECT_EQ(root->GetModalWindow(), nullptr);
    // A window without a parent opens windows on itself.
    auto* note = new ProbeWindow("note", &m_log);
    EXPECT_TRUE(root->OpenWindow(note, kPlaceNone));
    EXPECT_EQ(root->GetFrontChild(), note);
    EXPECT_FALSE(root->OpenWindow(nullptr, kPlaceNone));
}

TEST_F(WindowTree, NotificationsTravelUpExceptFirstShown)
{
    auto root = MakeRoot(1);
    auto* group = new ProbeWindow("group", &m_log);
    auto* button = new ProbeWindow("button", &m_log);
    group->AddChild(button, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    root->AddChild(group, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    button->NotifyParent(kCommandClicked);
    button->NotifyParent(kCommandFirstShown);
    EXPECT_EQ(m_log, (std::vector<std::string>{"group: command 0 from button", "root: command 0 from button",
                                                "group: command 2 from button"}));
    // The clipboard operations go to the first visible child that takes one.
    class TakesCopy : public ProbeWindow
    {
    public:
        using ProbeWindow::ProbeWindow;
        bool Copy(int32_t) override
        {
            Record("copy");
            return true;
        }
    };
    auto* hidden = new TakesCopy("hidden", &m_log);
    auto* shown = new TakesCopy("shown", &m_log);
    hidden->Show(false, false);
    root->AddChildOnTop(shown, kPlaceNone, nullptr, 0, 0, 0);
    root->AddChildOnTop(hidden, kPlaceNone, nullptr, 0, 0, 0);
    m_log.clear();
    EXPECT_TRUE(root->Copy(1));
    EXPECT_FALSE(root->Paste(1));
    EXPECT_EQ(m_log, (std::vector<std::string>{"shown: copy"}));
}
