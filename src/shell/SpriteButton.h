#pragma once
// A push button that shows an animated sprite centred in it instead of a theme's face, and its
// text only once told to.
//
// The rule a caller must know: the sprite and its slots belong to the button.
#include "ui/JButton.h"

#include <memory>

class CAnimatedSprite;

class CSpriteButton : public CJButton
{
public:
    CSpriteButton(CJWindow* parent, const char* text);
    ~CSpriteButton() override;

    // The sprite at the button's centre, then the text when shown, from x 100 and centred
    // vertically.
    void Draw(COffsetClippedProxyFrame* frame) override;

    CAnimatedSprite& GetSprite() const { return *m_sprite; }
    bool IsTextShown() const { return m_textShown; }
    void ShowText(bool shown) { m_textShown = shown; }

private:
    std::unique_ptr<CAnimatedSprite> m_sprite;
    bool m_textShown = false;
};
