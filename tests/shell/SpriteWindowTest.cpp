// The sprite window: placement of its sprite by the bounds, its size, and ownership of the sprite.
#include "game/sprites/Sprite.h"
#include "graphics/Frame.h"
#include "graphics/Sequence.h"
#include "shell/SpriteWindow.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A one-frame sequence of the size with the hot spot at (-originX, -originY) from the corner.
std::unique_ptr<CSequence> Block(uint16_t width, uint16_t height, int16_t originX, int16_t originY)
{
    auto* frame = new CFrame;
    frame->Create(width, height, 16);
    frame->SetOrigin(originX, originY);
    auto sequence = std::make_unique<CSequence>();
    sequence->AddFrame(frame);
    return sequence;
}

CSprite* SpriteOf(CSequence* sequence)
{
    auto* sprite = new CSprite;
    sprite->SetSequence(sequence);
    return sprite;
}

TEST(SpriteWindow, PlacesTheBoundsAtTheOriginAndTakesTheirSize)
{
    struct Case
    {
        uint16_t width, height;
        int16_t originX, originY;
        float x, y;
    } cases[] = {{20, 10, -10, -5, 10, 5}, {20, 10, 0, 0, 0, 0}, {7, 3, -7, -3, 7, 3}, {8, 8, 2, 4, -2, -4}};
    for (const Case& c : cases) {
        auto sequence = Block(c.width, c.height, c.originX, c.originY);
        SpriteWindow window(nullptr, SpriteOf(sequence.get()));
        EXPECT_EQ(window.GetWidth(), c.width);
        EXPECT_EQ(window.GetHeight(), c.height);
        EXPECT_EQ(window.GetSprite()->GetPosition().m_x, c.x);
        EXPECT_EQ(window.GetSprite()->GetPosition().m_y, c.y);
        EXPECT_EQ(window.GetSprite()->GetIntPosition().m_x, static_cast<int32_t>(c.x));
        EXPECT_STREQ(window.GetText(), "~SpriteWindow");
    }
}

TEST(SpriteWindow, ReplacingDeletesTheOldSpriteAndNoneKeepsTheSize)
{
    auto big = Block(20, 10, -10, -5);
    auto small = Block(4, 2, -2, -1);
    SpriteWindow window(nullptr, SpriteOf(big.get()));
    // The sanitizer's leak check catches a sprite that is not deleted.
    window.SetSprite(SpriteOf(small.get()));
    EXPECT_EQ(window.GetWidth(), 4);
    EXPECT_EQ(window.GetHeight(), 2);
    window.SetSprite(nullptr);
    EXPECT_EQ(window.GetSprite(), nullptr);
    EXPECT_EQ(window.GetWidth(), 4);
    window.Update(1.0f / 60.0f);
    window.Draw(nullptr);
}

} // namespace
