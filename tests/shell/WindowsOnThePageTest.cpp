// Every menu and dialog of the game, opened as the player opens them over the project's data set
// (its fonts), at every display depth, and the window gallery's pages: each window lies on the
// 640 x 480 page, each control inside the window that holds it, and no two buttons of a window
// overlap or touch.
#include "GameFixture.h"

#include "game/Playfield.h"
#include "platform/Http.h"
#include "shell/MainMenuWindow.h"
#include "shell/MenuButton.h"
#include "shell/OptionsMenu.h"
#include "shell/PauseMenu.h"
#include "shell/dialogs/BindingButton.h"
#include "shell/dialogs/ControlsDialog.h"
#include "shell/dialogs/InternetConnectionDialog.h"
#include "shell/dialogs/InternetConnectionPanel.h"
#include "shell/dialogs/NewGameOptionsDialog.h"
#include "shell/dialogs/PlayersPage.h"
#include "shell/dialogs/RoundButton.h"
#include "shell/dialogs/SelectPlayerDialog.h"
#include "shell/dialogs/StatisticsDialog.h"
#include "shell/dialogs/StatisticsPage.h"
#include "shell/stats/Stats.h"
#include "graphics/Font.h"
#include "graphics/FontCollection.h"
#include "graphics/Frame.h"
#include "graphics/FrameCollection.h"
#include "graphics/DirtyRectFrame.h"
#include "blit/modes/CopyBlitter.h"
#include "ui/JButton.h"
#include "ui/JHeader.h"
#include "ui/JListBox.h"
#include "ui/JTabControl.h"
#include "ui/ScreenWindow.h"
#include "ui/controls/JMessageWindow.h"

#ifdef VANTOREL_HAVE_GALLERY
#include "GalleryButtonsPage.h"
#include "GalleryControlsPage.h"
#include "GalleryDialogsPage.h"
#include "GalleryListsPage.h"
#include "GalleryOnlinePage.h"
#include "GalleryOptionsPage.h"
#include "GalleryShellPage.h"
#include "GallerySkinsPage.h"
#include "GalleryTreePage.h"
#endif

#include <algorithm>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#ifdef VANTOREL_DATA_DIR
namespace {

constexpr CIntRect kPage{0, 0, 640, 480};

bool Inside(const CIntRect& inner, const CIntRect& outer)
{
    return inner.m_left >= outer.m_left && inner.m_top >= outer.m_top && inner.m_right <= outer.m_right &&
           inner.m_bottom <= outer.m_bottom;
}

// Pixels between two rects: 0 when they touch, negative when they overlap.
int32_t Gap(const CIntRect& a, const CIntRect& b)
{
    return std::max({b.m_left - a.m_right, a.m_left - b.m_right, b.m_top - a.m_bottom, a.m_top - b.m_bottom});
}

std::string Describe(const CJWindow* window)
{
    std::ostringstream text;
    const CIntRect& r = window->GetScreenRect();
    text << "\"" << window->GetText() << "\" (" << r.m_left << ", " << r.m_top << ")-(" << r.m_right << ", "
         << r.m_bottom << ")";
    return text.str();
}

// A window whose content is larger than it shows a part of its children at a time.
bool Scrolls(const CJWindow* window)
{
    return window->GetScrollState() != nullptr;
}

void CollectButtons(CJWindow* window, std::vector<CJWindow*>& buttons)
{
    for (CJWindow* child = window->GetFrontChild(); child; child = child->GetNextSibling()) {
        if (!child->IsVisible())
            continue;
        if (dynamic_cast<CJButton*>(child))
            buttons.push_back(child);
        CollectButtons(child, buttons);
    }
}

// Controls lie inside the window that holds them, unless it scrolls them.
void CheckChildren(const CJWindow* window, std::vector<std::string>& faults)
{
    for (const CJWindow* child = window->GetFrontChild(); child; child = child->GetNextSibling()) {
        if (!child->IsVisible())
            continue;
        if (!Scrolls(window) && !Inside(child->GetScreenRect(), window->GetScreenRect()))
            faults.push_back(Describe(child) + " sticks out of " + Describe(window));
        CheckChildren(child, faults);
    }
}

// Texts of a column (its title, its cells) stay inside it, clear of its edges by the inset the
// header and the list leave, so that neighbouring columns never run together.
constexpr int32_t kColumnInset = 3;

void CheckColumnText(const CJHeader& header, uint32_t index, const char* text, const std::string& what,
                     std::vector<std::string>& faults)
{
    const CHeaderColumn* column = header.GetColumn(index);
    const CFont* font = column->font ? column->font : header.GetFont();
    if (!font || !text || !*text)
        return;
    const int32_t width = font->GetTextWidth(text);
    const int32_t left = column->justification == kJustifyCentre ? column->x + (column->width - width) / 2
                         : column->justification == kJustifyRight ? column->x + column->width - kColumnInset - width
                                                                   : column->x + kColumnInset;
    if (left < column->x + kColumnInset || left + width > column->x + column->width - kColumnInset)
        faults.push_back(what + " \"" + text + "\" (" + std::to_string(width) + " pixels) does not fit column " +
                         std::to_string(index) + " of " + std::to_string(column->width) + " pixels");
}

void CheckColumns(CJWindow* window, std::vector<std::string>& faults)
{
    for (CJWindow* child = window->GetFrontChild(); child; child = child->GetNextSibling()) {
        if (auto* header = dynamic_cast<CJHeader*>(child)) {
            int32_t total = 0;
            for (uint32_t i = 0; i < header->GetColumnCount(); ++i) {
                total += header->GetColumn(i)->width;
                CheckColumnText(*header, i, header->GetColumn(i)->title.CStr(), "the title", faults);
            }
            // The statistics' tables use the whole width of their list.
            const bool statistics = dynamic_cast<CStatisticsPage*>(header->GetParent()) != nullptr;
            if (total > header->GetWidth() || (statistics && total != header->GetWidth()))
                faults.push_back("the columns of " + Describe(header) + " take " + std::to_string(total) + " pixels");
        }
        if (auto* list = dynamic_cast<CJListBox*>(child); list && list->GetColumnHeader())
            for (uint32_t row = 0; row < list->GetRowCount(); ++row) {
                const std::string text = list->GetRowText(row);
                size_t start = 0;
                for (uint32_t column = 0; column < list->GetColumnHeader()->GetColumnCount() && start <= text.size();
                     ++column) {
                    const size_t tab = std::min(text.find('\t', start), text.size());
                    CheckColumnText(*list->GetColumnHeader(), column, text.substr(start, tab - start).c_str(), "the cell",
                                    faults);
                    start = tab + 1;
                }
            }
        CheckColumns(child, faults);
    }
}

// The faults of the windows shown over the page.
std::vector<std::string> PageFaults(CJWindow* screen)
{
    std::vector<std::string> faults;
    for (CJWindow* top = screen->GetFrontChild(); top; top = top->GetNextSibling()) {
        if (!top->IsVisible())
            continue;
        if (!Inside(top->GetScreenRect(), kPage))
            faults.push_back(Describe(top) + " leaves the page");
        CheckChildren(top, faults);
        CheckColumns(top, faults);
        std::vector<CJWindow*> buttons;
        CollectButtons(top, buttons);
        for (size_t i = 0; i < buttons.size(); ++i)
            for (size_t j = i + 1; j < buttons.size(); ++j)
                if (Gap(buttons[i]->GetScreenRect(), buttons[j]->GetScreenRect()) < 1)
                    faults.push_back(Describe(buttons[i]) + " and " + Describe(buttons[j]) + " touch in " +
                                     Describe(top));
    }
    return faults;
}

class WindowsOnThePage : public GameFixture, public ::testing::WithParamInterface<int>
{
protected:
    std::string GameCommandLine() const override { return "/ScreenBitDepth " + std::to_string(GetParam()); }
    CScreenWindow* Screen() const { return m_game->GetScreenWindow(); }
    CJWindow* Top() const { return Screen()->GetModalWindow(); }
    template <class T>
    T* TopAs() const
    {
        return dynamic_cast<T*>(Top());
    }
    // Lets the window come to rest (first shown, slid in), then looks at the whole page.
    void Check(const std::string& what, int steps = 30)
    {
        Step(steps);
        ++m_checked;
        for (const std::string& fault : PageFaults(Screen()))
            ADD_FAILURE() << what << ": " << fault;
    }
    void Close()
    {
        ASSERT_NE(Top(), nullptr);
        Top()->Close();
        Step();
    }
    // The button of that text (shortcut mark left out) in the window's tree.
    static CJButton* FindButton(CJWindow* window, const std::string& text)
    {
        for (CJWindow* child = window ? window->GetFrontChild() : nullptr; child; child = child->GetNextSibling()) {
            std::string plain;
            for (const char* c = child->GetText(); *c; ++c)
                if (*c != '&')
                    plain += *c;
            if (auto* button = dynamic_cast<CJButton*>(child); button && plain == text)
                return button;
            if (CJButton* found = FindButton(child, text))
                return found;
        }
        return nullptr;
    }
    void Click(const std::string& text)
    {
        CJButton* button = FindButton(Top(), text);
        ASSERT_NE(button, nullptr) << text;
        button->Click();
        Step();
    }
    int m_checked = 0;
};

TEST_P(WindowsOnThePage, TheMenusAndDialogsOfTheMainMenu)
{
    m_game->GoToMainMenu();
    // The menu's buttons slide in for a few seconds.
    Check("the main menu", 300);

    // Play Game: the players, a new player, the new game's options and a locked round.
    CMainMenuWindow::GetOpen()->GetPlayButton()->Click();
    ASSERT_NE(TopAs<CSelectPlayerDialog>(), nullptr);
    Check("Select Player");
    TopAs<CSelectPlayerDialog>()->GetNewPlayerButton()->Click();
    Check("the new player");
    Close();
    m_game->GoToMainMenu();
    CMainMenuWindow::GetOpen()->GetPlayButton()->Click();
    TopAs<CSelectPlayerDialog>()->GetProfileButtons().back()->Click();
    auto* options = TopAs<CNewGameOptionsDialog>();
    ASSERT_NE(options, nullptr);
    Check("New Game Options");
    options->GetRoundButtons().back()->Click();
    Check("a round not reached yet");
    Close();
    Close();
    ASSERT_NE(TopAs<CSelectPlayerDialog>(), nullptr);
    Close();
    ASSERT_EQ(Top(), CMainMenuWindow::GetOpen());

    // Statistics, every tab, and a player's deletion asked.
    CMainMenuWindow::GetOpen()->GetButton(1)->Click();
    auto* statistics = TopAs<CStatisticsDialog>();
    ASSERT_NE(statistics, nullptr);
    for (int page = 0; page < 6; ++page) {
        statistics->GetTabs()->SelectPage(page, true);
        Check("Statistics, tab " + std::to_string(page));
    }
    Close();

    // Options and every dialog they open.
    CMainMenuWindow::GetOpen()->GetButton(2)->Click();
    auto* menu = TopAs<COptionsMenu>();
    ASSERT_NE(menu, nullptr);
    Check("Options");
    for (CJButton* button : {menu->GetSoundButton(), menu->GetVideoButton(), menu->GetCreditsButton()}) {
        button->Click();
        Check(button->GetText());
        Close();
    }
    menu->GetControlsButton()->Click();
    ASSERT_NE(TopAs<CControlsDialog>(), nullptr);
    Check("Controls Configuration");
    TopAs<CControlsDialog>()->GetBindingButtons().front()->Click();
    m_game->OnKey(0);   // nothing bound: the capture goes on
    Close();
    menu->GetUpdatesButton()->Click();
    auto* connect = TopAs<CInternetConnectionDialog>();
    ASSERT_NE(connect, nullptr);
    Check("Connect to the Internet");
    connect->GetPanel()->GetHelpButton()->Click();
    Check("Connect to the Internet, helping to connect");
    Close();
    // Without the transfer library the panel says so in a message of its own.
    platform::SetHttpLibraryName("/nonexistent/libcurl.so.4");
    menu->GetUpdatesButton()->Click();
    platform::SetHttpLibraryName(nullptr);
    ASSERT_NE(TopAs<CInternetConnectionDialog>(), nullptr);
    EXPECT_NE(TopAs<CInternetConnectionDialog>()->GetPanel()->GetBlockingMessage(), nullptr);
    Check("Operation Not Supported", 1);
    Close();
    menu->GetAboutButton()->Click();
    Check("About");
    Close();
    Close();
    EXPECT_GE(m_checked, 18);
}

TEST_P(WindowsOnThePage, TheMenusAndMessagesOfPlay)
{
    CMainMenuWindow::CloseOpen();
    m_game->StartNewGame(1, 0);
    Step(120);
    Check("a round");
    m_game->SetScore(100);
    Screen()->OnKey(27);
    ASSERT_NE(TopAs<CPauseMenu>(), nullptr);
    Check("Pause");
    TopAs<CPauseMenu>()->GetAbortButton()->Click();
    Check("End Game Confirmation");
    Close();
    TopAs<CPauseMenu>()->GetSuspendButton()->Click();
    Check("Suspend Game Confirmation");
    Click("Suspend Game");
    // The menu's buttons slide in behind the message.
    Check("Game Suspended", 300);
    Close();

    // The suspended game asks to be resumed.
    CMainMenuWindow::GetOpen()->GetPlayButton()->Click();
    TopAs<CSelectPlayerDialog>()->GetProfileButtons().front()->Click();
    Check("Resume Game");
}

// The version under the main menu's panels stands clear of the screen's right edge.
TEST_P(WindowsOnThePage, TheVersionStandsClearOfTheScreensEdge)
{
    m_game->GoToMainMenu();
    Step(300);
    const CFont* font = CFontCollection::GetInstance().FindFont("Small Blue");
    ASSERT_NE(font, nullptr);
    auto* picture = dynamic_cast<CFrameInterface*>(CFrameCollection::GetInstance().GetByName("Main Menu Pluvex"));
    ASSERT_NE(picture, nullptr);
    CFrame plain;
    plain.Create(640, 480, m_game->GetBackBuffer()->GetBitsPerPixel());
    ASSERT_TRUE(plain.DrawFrameAt(picture, 0, 0, &g_copyBlitter));
    int drawn = 0;
    for (int32_t y = 468 - font->GetHeight(); y < 468; ++y)
        for (int32_t x = 540; x < 640; ++x) {
            // The colour only: a 32-bit page's fourth byte is not shown.
            const bool same = (m_game->GetBackBuffer()->GetRawPixel(x, y) & 0xFFFFFF) == (plain.GetRawPixel(x, y) & 0xFFFFFF);
            if (x >= 632) {
                EXPECT_TRUE(same) << x << "," << y;
            }
            drawn += !same;
        }
    EXPECT_GT(drawn, 20);
}

// The checks themselves find each kind of fault: a window past the page, a control out of its
// window, two buttons that touch and a title wider than its column.
TEST_P(WindowsOnThePage, TheChecksFindEveryKindOfFault)
{
    CMainMenuWindow::CloseOpen();
    auto* wide = new CJWindow(nullptr, "Wide");
    wide->SetRect({0, 0, 700, 100});
    Screen()->AddChild(wide, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    auto* dialog = new CJWindow(nullptr, "Dialog");
    dialog->SetRect({10, 200, 210, 300});
    Screen()->AddChild(dialog, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    auto* out = new CJWindow(dialog, "Out");
    out->SetRect({150, 50, 260, 80});
    dialog->AddChild(out, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    for (const CIntRect& rect : {CIntRect{10, 10, 50, 30}, CIntRect{50, 10, 90, 30}}) {
        auto* button = new CJButton(dialog, "B", nullptr);
        button->SetRect(rect);
        dialog->AddChild(button, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    }
    auto* header = new CJHeader(dialog);
    header->SetRect({0, 40, 100, 50});
    dialog->AddChild(header, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    header->AddColumn(20, nullptr, kJustifyLeft, 1, 0, "A much too long title");
    const std::vector<std::string> faults = PageFaults(Screen());
    const char* expected[] = {"\"Wide\" (0, 0)-(700, 100) leaves the page", "\"Out\"", "touch", "does not fit column 0"};
    for (const char* fault : expected)
        EXPECT_EQ(std::count_if(faults.begin(), faults.end(),
                                [fault](const std::string& f) { return f.find(fault) != std::string::npos; }),
                  1)
            << fault;
    EXPECT_EQ(faults.size(), 4u);
    delete wide;
    delete dialog;
}

#ifdef VANTOREL_HAVE_GALLERY
// The window gallery's pages, each alone on the game's screen.
TEST_P(WindowsOnThePage, TheGallerysPages)
{
    CMainMenuWindow::CloseOpen();
    const struct
    {
        const char* name;
        std::function<void(CJWindow*)> open;
    } pages[] = {
        {"tree", OpenGalleryTreePage},
        {"buttons", OpenGalleryButtonsPage},
        {"dialogs", OpenGalleryDialogsPage},
        {"skins", [](CJWindow* screen) { EXPECT_TRUE(OpenGallerySkinsPage(screen)); }},
        {"controls", OpenGalleryControlsPage},
        {"lists", OpenGalleryListsPage},
        {"statistics", OpenGalleryStatisticsPage},
        {"credits", OpenGalleryCreditsPage},
        {"online", [](CJWindow* screen) { OpenGalleryOnlinePage(screen, true, ""); }},
        {"about", [](CJWindow* screen) { OpenGalleryOnlinePage(screen, false, ""); }},
        {"options, sound", [](CJWindow* screen) { EXPECT_TRUE(OpenGalleryOptionsPage(screen, "sound")); }},
        {"options, video", [](CJWindow* screen) { EXPECT_TRUE(OpenGalleryOptionsPage(screen, "video")); }},
        {"options, background", [](CJWindow* screen) { EXPECT_TRUE(OpenGalleryOptionsPage(screen, "background")); }},
        {"options, controls", [](CJWindow* screen) { EXPECT_TRUE(OpenGalleryOptionsPage(screen, "controls")); }},
    };
    for (const auto& page : pages) {
        while (CJWindow* front = Screen()->GetFrontChild())
            delete front;
        page.open(Screen());
        Check(std::string("the gallery's page \"") + page.name + "\"");
    }
    while (CJWindow* front = Screen()->GetFrontChild())
        delete front;
}
#endif

INSTANTIATE_TEST_SUITE_P(Depths, WindowsOnThePage, ::testing::Values(8, 16, 24, 32),
                         [](const ::testing::TestParamInfo<int>& info) { return std::to_string(info.param) + "Bits"; });

} // namespace
#endif
