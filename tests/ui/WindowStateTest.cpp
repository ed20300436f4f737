// The saved window state: written by the destructor, read back, brought back into view, and
// cascaded when windows are restored onto one place.
#include "TestSupport.h"
#include "UiTestSupport.h"
#include "foundation/Win32Services.h"

#include <cstdlib>

using uitest::Order;

namespace {

class WindowState : public uitest::ToolkitTest
{
protected:
    void SetUp() override
    {
        uitest::ToolkitTest::SetUp();
        CJWindow::SetWindowStateFile(m_file.c_str());
        m_root.SetRect({0, 0, 640, 480});
    }
    void WriteIni(const std::string& text) { testsupport::WriteFileBytes(m_file, text); }
    CJWindow* Restore(const char* text, const CIntRect& rect, CJWindow* parent = nullptr)
    {
        CJWindow* host = parent ? parent : &m_root;
        auto* window = new CJWindow(host, text);
        window->SetRect(rect);
        host->AddChild(window, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
        window->LoadWindowState(nullptr, true);
        return window;
    }

    testsupport::TempDir m_dir;
    std::string m_file = m_dir / "Vantorel Editor.ini";
    CJWindow m_root{nullptr, "screen"};
};

} // namespace

TEST_F(WindowState, TheDestructorSavesWhatLoadRestores)
{
    CJWindow* panel = Restore("Editor Panel", {30, 40, 130, 90});
    EXPECT_EQ(panel->GetRect(), (CIntRect{30, 40, 130, 90}));  // nothing saved yet
    panel->SetRect({50, 60, 170, 120});
    panel->SetTransparent(true);
    panel->Show(false, false);
    delete panel;
    const std::string saved = testsupport::ReadFileBytes(m_file);
    for (const char* line : {"[Editor Panel]", "Width=120", "Height=60", "Position X=50", "Position Y=60",
                             "Show Window=0", "Transparent Window=1"})
        EXPECT_NE(saved.find(line), std::string::npos) << line << " in\n" << saved;

    // Python's INI reader reads the same values.
    const std::string script = m_dir / "read.py";
    testsupport::WriteFileBytes(script, "import configparser, sys\n"
                                        "c = configparser.ConfigParser()\n"
                                        "c.read(sys.argv[1])\n"
                                        "s = c['Editor Panel']\n"
                                        "sys.exit(0 if (s['width'], s['position x'], s['show window']) == ('120', '50', '0') else 3)\n");
    const int status = testsupport::RunCommand("python3 '" + script + "' '" + m_file + "'");
    if (status != 127) {
        EXPECT_EQ(status, 0);
    }

    CJWindow* again = Restore("Editor Panel", {0, 0, 10, 10});
    EXPECT_EQ(again->GetRect(), (CIntRect{50, 60, 170, 120}));
    EXPECT_FALSE(again->IsVisible());
    EXPECT_TRUE(again->IsTransparent());
}

TEST_F(WindowState, WithoutSizeOnlyThePlaceIsKept)
{
    auto* window = new CJWindow(&m_root, "Tools");
    window->SetRect({5, 6, 25, 26});
    m_root.AddChild(window, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    window->LoadWindowState("Tool Box", false);
    window->SetRect({7, 8, 99, 99});
    delete window;
    const std::string saved = testsupport::ReadFileBytes(m_file);
    EXPECT_NE(saved.find("[Tool Box]"), std::string::npos);
    EXPECT_NE(saved.find("Position X=7"), std::string::npos);
    EXPECT_EQ(saved.find("Width"), std::string::npos);
}

TEST_F(WindowState, RestoredValuesAreBroughtIntoView)
{
    WriteIni("[Far Right]\nPosition X=5000\nPosition Y=12\n"
             "[Far Left]\nPosition X=-5000\nPosition Y=-7000\n"
             "[Bad Size]\nWidth=0\nHeight=50\n"
             "[Huge]\nWidth=2147483647\nHeight=2147483647\nPosition X=2147483647\nPosition Y=-2147483648\n"
             "[Hidden]\nShow Window=0\n"
             "[Nested]\nPosition X=-500\nPosition Y=900\n");
    EXPECT_EQ(Restore("Far Right", {0, 0, 100, 40})->GetRect(), (CIntRect{540, 12, 640, 52}));
    EXPECT_EQ(Restore("Far Left", {0, 0, 100, 40})->GetRect(), (CIntRect{0, 0, 100, 40}));
    EXPECT_EQ(Restore("Bad Size", {3, 4, 23, 24})->GetRect(), (CIntRect{3, 4, 23, 24}));
    EXPECT_EQ(Restore("Missing", {5, 4, 25, 24})->GetRect(), (CIntRect{5, 4, 25, 24}));
    const CIntRect huge = Restore("Huge", {0, 0, 10, 10})->GetRect();
    EXPECT_EQ(huge.m_right, 640);
    EXPECT_EQ(huge.m_top, 0);

    // Hiding on restore hands the activation to the next sibling.
    m_root.SetFocus(true);
    auto* hidden = new CJWindow(&m_root, "Hidden");
    m_root.AddChildOnTop(hidden, kPlaceNone, nullptr, 0, 0, 0);
    CJWindow* next = hidden->GetNextSibling();
    hidden->LoadWindowState(nullptr, true);
    EXPECT_FALSE(hidden->IsVisible());
    EXPECT_EQ(m_root.GetFrontChild(), next);
    EXPECT_TRUE(next->HasFocus());

    // Inside a parent away from the screen's origin the window comes back to the parent's
    // visible edges, in the parent's coordinates.
    CJWindow* panel = Restore("Panel", {100, 100, 300, 300});
    CJWindow* nested = Restore("Nested", {0, 0, 30, 20}, panel);
    EXPECT_EQ(nested->GetRect(), (CIntRect{0, 180, 30, 200}));
    EXPECT_EQ(nested->GetScreenRect(), (CIntRect{100, 280, 130, 300}));
}

TEST_F(WindowState, WindowsRestoredOntoOnePlaceCascade)
{
    WriteIni("[Palette]\nPosition X=40\nPosition Y=30\nWidth=50\nHeight=20\n");
    CJWindow* first = Restore("Palette", {0, 0, 5, 5});
    CJWindow* second = Restore("Palette", {0, 0, 5, 5});
    CJWindow* third = Restore("Palette", {0, 0, 5, 5});
    EXPECT_EQ(first->GetRect(), (CIntRect{40, 30, 90, 50}));
    EXPECT_EQ(second->GetRect(), (CIntRect{50, 40, 100, 60}));
    EXPECT_EQ(third->GetRect(), (CIntRect{60, 50, 110, 70}));
    EXPECT_EQ(Order(&m_root), "Palette,Palette,Palette");
}

TEST_F(WindowState, ABareFileNameLiesBesideTheProgram)
{
    CJWindow::SetWindowStateFile("Vantorel Editor.ini");
    EXPECT_EQ(std::string(CJWindow::GetWindowStateFile()), GetExecutableFolder() + "Vantorel Editor.ini");
    CJWindow::SetWindowStateFile("./Settings/Windows.ini");
    EXPECT_STREQ(CJWindow::GetWindowStateFile(), "./Settings/Windows.ini");
    CJWindow::SetWindowStateFile(nullptr);
    EXPECT_STREQ(CJWindow::GetWindowStateFile(), "");
    // Without a file nothing is read and nothing breaks.
    CJWindow* window = Restore("Nowhere", {1, 2, 3, 4});
    EXPECT_EQ(window->GetRect(), (CIntRect{1, 2, 3, 4}));
}
