#pragma once
// The settings of the alpha theme: its fonts, colours and the borders of windows and buttons,
// stored as the theme's "Options".
//
// The rule a caller must know: fonts fall back (heading and static text to the general font, the
// general font to the toolkit's default font); the pressed and hover button borders are optional.
#include "graphics/Color.h"
#include "objects/Object.h"

#include <cstdint>

class CFont;
class CSkinBorder;

class CAlphaSkinData : public CObject
{
    DECLARE_CLASS_RECORD(CAlphaSkinData)

    CAlphaSkinData();
    ~CAlphaSkinData() override;

    CFont* GetGeneralFont() const;
    CFont* GetStaticTextFont() const;
    CFont* GetHeadingFont() const;
    const CColor& GetShortcutHighlightColor() const { return m_shortcutHighlight; }
    const CColor& GetBackgroundColor() const { return m_background; }
    const CColor& GetSelectColor() const { return m_select; }
    int32_t GetHeadingOffset() const { return m_headingOffset; }
    CSkinBorder* GetWindowBorder() const { return m_windowBorder; }
    CSkinBorder* GetButtonBorder() const { return m_buttonBorder; }
    // Null when the skin has none.
    CSkinBorder* GetPressedButtonBorder() const { return m_pressedButtonBorder; }
    CSkinBorder* GetHoverButtonBorder() const { return m_hoverButtonBorder; }

private:
    uint32_t m_generalFont = 0;
    CColor m_shortcutHighlight;
    CColor m_background;
    CColor m_select;
    uint32_t m_staticTextFont = 0;
    uint32_t m_headingFont = 0;
    int32_t m_headingOffset = 0;
    CSkinBorder* m_windowBorder = nullptr;
    CSkinBorder* m_buttonBorder = nullptr;
    CSkinBorder* m_pressedButtonBorder = nullptr;
    CSkinBorder* m_hoverButtonBorder = nullptr;
};
