// Golden images of a classic dialog (caption on the title tile, close cross, label, edit field
// with a selection and the cursor at a fixed tick) and of a message window with two buttons,
// drawn with the data set's font and textures.
#include "../graphics/GoldenImage.h"
#include "InputTestSupport.h"
#include "ProjectLook.h"
#include "ui/controls/JDialog.h"
#include "ui/controls/JEditField.h"
#include "ui/controls/JLabel.h"
#include "ui/controls/JMessageWindow.h"

namespace {

using namespace uitest;

class DialogLook : public ToolkitTest
{
protected:
    void SetUp() override
    {
        ToolkitTest::SetUp();
        m_look = std::make_unique<ProjectLook>();
        if (!m_look->GetFont())
            GTEST_SKIP() << "no data set in this build";
        // The cursor shows while bit 8 of the tick count is set.
        platform::EnableVirtualClock(300 * 1000000ull);
        m_target.Create(400, 200, 16);
        m_screen = std::make_unique<CScreenWindow>(&m_target, m_look->GetFont());
    }
    void TearDown() override
    {
        m_screen.reset();
        m_look.reset();
        platform::DisableVirtualClock();
        ToolkitTest::TearDown();
    }
    void Draw()
    {
        m_target.Clear();
        m_screen->DrawScreen();
    }

    std::unique_ptr<ProjectLook> m_look;
    CFrame m_target;
    std::unique_ptr<CScreenWindow> m_screen;
};

TEST_F(DialogLook, ClassicDialogWithLabelAndEditField)
{
    auto* dialog = new CJDialog(m_screen.get(), "Player Name");
    dialog->AddCloseButton();
    auto* label = new CJLabel(dialog, "&Name:");
    dialog->AddChild(label, kPlaceTopLeft, nullptr, kDefaultOffset, kDefaultOffset, 0);
    auto* field = new CJEditField(dialog, "Player One");
    dialog->AddChild(field, kPlaceRightOfPreviousCentred, nullptr, kDefaultOffset, kDefaultOffset, 0);
    m_screen->AddChildOnTop(dialog, kPlaceCentred, nullptr, kDefaultOffset, kDefaultOffset, 0);
    m_screen->ActivateChild(dialog);
    dialog->ActivateChild(field);
    field->Select(2, 6);
    Draw();
    golden::ExpectMatchesGolden(*To24(m_target), "ClassicDialog16");
}

TEST_F(DialogLook, MessageWindowWithARowOfButtons)
{
    CJMessageWindow* message = m_screen->ShowMessageText("Round Set", "The round set could not be read.\nPlay the first one?");
    message->AddButton("Cancel", nullptr);
    Draw();
    golden::ExpectMatchesGolden(*To24(m_target), "MessageWindow16");
}

} // namespace
