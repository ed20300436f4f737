#pragma once
// A toolkit window that shows one sprite, such as a ship preview inside a dialog: each window
// update runs the sprite's step, each draw draws it, and the window takes the size of the sprite's
// bounds with the bounds' top-left corner at its origin.
//
// The rule a caller must know: the window owns its sprite (none allowed) and deletes it when it is
// replaced or the window goes.
#include "ui/JWindow.h"

class CSprite;

class SpriteWindow : public CJWindow
{
public:
    SpriteWindow(CJWindow* parent, CSprite* sprite);
    ~SpriteWindow() override;

    void Update(float seconds) override;
    // The sprite, then the children; nothing of its own without a sprite.
    void Draw(COffsetClippedProxyFrame* frame) override;

    // Deletes the sprite shown before; a new one is placed and the window resized to its bounds,
    // null keeps the size.
    void SetSprite(CSprite* sprite);
    CSprite* GetSprite() const { return m_sprite; }

private:
    CSprite* m_sprite = nullptr;
};
