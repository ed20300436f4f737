#pragma once
// One line of text put over a full-screen picture: a font of the font list (held by its index,
// written by its name), the hot spot at which the text box begins, the box's width, the gap
// between lines, the justification and the localisable text. The text may hold macros such as
// "%score" that the drawing caller's substitution list fills in.
#include "foundation/LocalizedString.h"
#include "objects/Object.h"
#include "objects/Point.h"

class CEnumTable;
class CFrameInterface;
class CTextSubstitutionList;

class CFrameOverlayTextOverlay : public CObject
{
    DECLARE_CLASS_RECORD(CFrameOverlayTextOverlay)
    CFrameOverlayTextOverlay() { InitOwnProperties(); }
    ~CFrameOverlayTextOverlay() override { DestroyOwnProperties(); }

    // Draws the text word-wrapped on the frame with its font; the substitutions (when given) are
    // applied to the displayed text first. Nothing is drawn without a frame or when the font list
    // has no font.
    void Draw(CFrameInterface* frame, const CTextSubstitutionList* substitutions) const;

    // The justification names "Justify Left", "Justify Center" and "Justify Right", whose values
    // are the font's justifications.
    static CEnumTable& GetJustifications();

    uint32_t m_font;
    CIntPoint m_hotSpot;
    uint32_t m_wrappingWidth;
    uint32_t m_lineSpacing;
    uint32_t m_justification;
    CLocalizableText m_text;
};
