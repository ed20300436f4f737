#pragma once
// One caption of a commercial: a text that appears a given time after the previous caption began,
// for a given time, at a given height (or centred) in the game's timed message.
//
// The rule a caller must know: the delay counts from the previous line's start, not from the
// start of the commercial.
#include "foundation/LocalizedString.h"
#include "objects/Object.h"

#include <cstdint>

class CCommercialLine : public CObject
{
    DECLARE_CLASS_RECORD(CCommercialLine)

    // "Y Position" that centres the caption vertically ("Center").
    static constexpr uint32_t kCentre = 0xFFFFFFFFu;

    CCommercialLine();
    ~CCommercialLine() override;

    float GetDelay() const { return m_delay; }
    void SetDelay(float seconds) { m_delay = seconds; }
    const CLocalizableText& GetText() const { return m_text; }
    void SetText(const char* text) { m_text.SetSourceText(CSharedString(text)); }
    uint32_t GetYPosition() const { return m_yPosition; }
    void SetYPosition(uint32_t y) { m_yPosition = y; }
    float GetDuration() const { return m_duration; }
    void SetDuration(float seconds) { m_duration = seconds; }

private:
    float m_delay = 2.0f;
    CLocalizableText m_text;
    uint32_t m_yPosition = kCentre;
    float m_duration = 4.0f;
};
