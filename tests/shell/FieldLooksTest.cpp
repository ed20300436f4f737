// The field as the player sees it, at every display depth, through the game object: each brick
// type of a round of the test's own in its own look, the brick-laying machine at work, and the
// "Game Over" picture centred in the field while the game ends. Colours are read from the shown
// display, so the depth's packing and palette are part of what is checked.
#include "GameFixture.h"
#include "OwnRounds.h"

#include "app/TypedWordMatcher.h"
#include "game/Playfield.h"
#include "game/bricks/BrickAI.h"
#include "game/bricks/BrickLayer.h"
#include "game/sprites/AnimatedSprite.h"
#include "game/sprites/AnimationSlot.h"
#include "game/sprites/Sprite.h"
#include "graphics/Sequence.h"
#include "platform/KeyTable.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <vector>

#ifdef VANTOREL_DATA_DIR
namespace {

constexpr int kEnterKey = 28;

struct Rgb
{
    int r, g, b;
};

Rgb Shown(int x, int y)
{
    const uint32_t c = platform::GetHeadlessBackend().GetMemoryDisplay().GetShownColor(x, y);
    return Rgb{static_cast<int>(c >> 16), static_cast<int>((c >> 8) & 0xFF), static_cast<int>(c & 0xFF)};
}

// The shown colours inside a brick's outline, two pixels in from its edges.
std::vector<uint32_t> BrickInterior(const CSprite& brick)
{
    const platform::MemoryDisplay& display = platform::GetHeadlessBackend().GetMemoryDisplay();
    std::vector<uint32_t> colours;
    const CIntPoint at = brick.GetIntPosition();
    for (int y = at.m_y - 7; y < at.m_y + 7; ++y)
        for (int x = at.m_x - 14; x < at.m_x + 14; ++x)
            colours.push_back(display.GetShownColor(x, y));
    return colours;
}

// The strongly red pixels of the field's middle band (rows 150 to 330, clear of the planet, the
// bricks and the ship), and the box round them.
struct RedArea
{
    int count = 0;
    int left = 640, right = -1, top = 480, bottom = -1;
};

RedArea FindRed()
{
    RedArea area;
    for (int y = 150; y < 330; ++y)
        for (int x = 11; x < 501; ++x) {
            const Rgb c = Shown(x, y);
            if (c.r > c.g + 80 && c.r > c.b + 80) {
                ++area.count;
                area.left = std::min(area.left, x), area.right = std::max(area.right, x);
                area.top = std::min(area.top, y), area.bottom = std::max(area.bottom, y);
            }
        }
    return area;
}

size_t CountDifferent(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b)
{
    size_t different = 0;
    for (size_t i = 0; i < a.size(); ++i)
        different += a[i] != b[i];
    return different;
}

class FieldLooks : public GameFixture, public ::testing::WithParamInterface<uint32_t>
{
protected:
    std::string GameCommandLine() const override { return "/ScreenBitDepth " + std::to_string(GetParam()); }
    // The first round holds grid bricks of several types and floating ones.
    void PrepareData(const std::filesystem::path&) override
    {
        ownrounds::WriteLayout("Looks", ownrounds::SeveralTypesLayoutText("Looks"));
        ownrounds::WriteRoundSet("0 Looks", {"Rounds/Looks"});
    }
    void SetUp() override
    {
        GameFixture::SetUp();
        // The typed words were registered once for the process; the fresh keyboard lost them.
        g_keyboard.SetFilter(&CTypedWordMatcher::OnCharTyped, &g_typedWordMatcher);
    }

    static void Queue(const platform::Event& event) { platform::GetHeadlessBackend().QueueEvent(event); }
    static void PressEnter()
    {
        const int virtualKey = platform::VirtualKeyOfKeyNumber(kEnterKey, true);
        Queue(platform::Event::Key(platform::EventType::KeyDown, kEnterKey, virtualKey));
        Queue(platform::Event::Char('\r'));
        Queue(platform::Event::Key(platform::EventType::KeyUp, kEnterKey, virtualKey));
    }
    static void Type(const char* word)
    {
        for (const char* c = word; *c; ++c)
            Queue(platform::Event::Char(*c));
    }
    // A new game on the round, its bricks laid (Enter skips the machine) and the screen faded in.
    void PlayMovingParts()
    {
        m_game->StartNewGame(1, 0);
        Step(2);
        PressEnter();
        Step(60);
        ASSERT_FALSE(m_game->GetPlayfield()->IsLayingBricks());
    }
    // The first look the brick shows.
    static const CSequence* LookOf(CSprite* brick)
    {
        auto* animated = dynamic_cast<CAnimatedSprite*>(brick);
        const CAnimationSlot* slot = animated ? animated->GetSlot(0) : nullptr;
        return slot ? slot->GetSequence() : nullptr;
    }
};

} // namespace

TEST_P(FieldLooks, EveryBrickTypeOfTheRoundShowsItsOwnLook)
{
    PlayMovingParts();
    // The grid's bricks by look, leaving out any that a floating brick lies over.
    CSpriteList& bricks = m_game->GetPlayfield()->GetBricks();
    auto covered = [&bricks](const CSprite* grid) {
        for (CSprite* other = bricks.GetHead(); other; other = other->GetNext()) {
            const CBrickAI* ai = CBrickAI::Of(other);
            const CIntPoint a = grid->GetIntPosition(), b = other->GetIntPosition();
            if (ai && ai->GetColumn() < 0 && std::abs(a.m_x - b.m_x) < 32 && std::abs(a.m_y - b.m_y) < 18)
                return true;
        }
        return false;
    };
    std::map<const CSequence*, std::vector<std::vector<uint32_t>>> shown;
    std::map<const CSequence*, uint32_t> types;
    for (CSprite* brick = bricks.GetHead(); brick; brick = brick->GetNext()) {
        const CBrickAI* ai = CBrickAI::Of(brick);
        const CSequence* look = LookOf(brick);
        if (!ai || ai->GetColumn() < 0 || !look || !brick->IsActive() || covered(brick))
            continue;
        shown[look].push_back(BrickInterior(*brick));
        types[look] = ai->GetBrickType();
    }
    ASSERT_GE(shown.size(), 4u);
    // Looks of one frame show alike wherever they lie (a drifting piece of debris may pass over
    // a few pixels); every two looks differ in a good part of their pixels.
    for (const auto& [look, interiors] : shown) {
        const size_t pixels = interiors[0].size();
        if (look->GetFrameCount() == 1) {
            for (size_t i = 1; i < interiors.size(); ++i)
                EXPECT_LT(CountDifferent(interiors[0], interiors[i]), pixels / 20) << "type " << types[look];
        }
        for (const auto& [other, others] : shown)
            if (look < other) {
                EXPECT_GT(CountDifferent(interiors[0], others[0]), pixels / 5)
                    << "types " << types[look] << " and " << types[other];
            }
    }
}

TEST_P(FieldLooks, TheMachineIsSeenLayingEachBrick)
{
    CPlayfield* field = m_game->GetPlayfield();
    m_game->StartNewGame(1, 0);
    // Until the carriage sets its first brick in place.
    int steps = 0;
    while (field->GetBrickLayer().GetState() != CBrickLayer::kPlacing && steps < 600)
        Step(), ++steps;
    ASSERT_LT(steps, 600);
    Step();
    const CFloatPoint carriage = field->GetBrickLayer().GetPosition();
    const int row = static_cast<int>(carriage.m_y) - 13;
    // The bar spans the field on the carriage's row: grey steel from wall to wall.
    int steel = 0;
    for (int x = 20; x < 492; ++x) {
        const Rgb c = Shown(x, row);
        steel += std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b}) < 48 && c.r + c.g + c.b > 240;
    }
    EXPECT_GT(steel, 472 * 9 / 10) << "row " << row;
    // The carriage's trolley sits on it above the brick being laid, and the brick appears when the
    // carriage has played its frames.
    const Rgb trolley = Shown(static_cast<int>(carriage.m_x) - 3, static_cast<int>(carriage.m_y) - 12);
    EXPECT_GT(trolley.r + trolley.g + trolley.b, 240);
    const uint32_t placed = field->GetBrickLayer().GetPlacedCount();
    for (steps = 0; field->GetBrickLayer().GetPlacedCount() == placed && steps < 120; ++steps)
        Step();
    EXPECT_GT(steps, 2) << "placing plays the carriage's frames";
    EXPECT_LT(steps, 120);
}

TEST_P(FieldLooks, GameOverShowsItsPictureCentredInTheField)
{
    PlayMovingParts();
    const RedArea before = FindRed();
    EXPECT_LT(before.count, 100);
    CPlayfield* field = m_game->GetPlayfield();
    field->SetLives(0);
    // The ball leaves the ship with the fire button and is lost at once.
    Queue(platform::Event::Mouse(platform::EventType::MouseMove, 300, 300));
    Queue(platform::Event::Mouse(platform::EventType::MouseDown, 300, 300, platform::kMouseLeft));
    Step(2);
    Queue(platform::Event::Mouse(platform::EventType::MouseUp, 300, 300, platform::kMouseLeft));
    Step(10);
    Type("KillMeNow");
    for (int steps = 0; steps < 60 && !field->IsGameOver(); ++steps)
        Step();
    ASSERT_TRUE(field->IsGameOver());
    Step(30);
    // The red lettering, centred across the field (x 11 to 501) and down the screen.
    const RedArea after = FindRed();
    EXPECT_GT(after.count, 1500) << "before: " << before.count;
    EXPECT_NEAR((after.left + after.right) / 2.0, 256.0, 4.0);
    EXPECT_NEAR((after.top + after.bottom) / 2.0, 240.0, 12.0);
}

INSTANTIATE_TEST_SUITE_P(Depths, FieldLooks, ::testing::Values(8u, 16u, 24u, 32u),
                         [](const ::testing::TestParamInfo<uint32_t>& info) {
                             return std::to_string(info.param) + "Bits";
                         });
#endif
