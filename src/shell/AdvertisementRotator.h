#pragma once
// The advertisement panel beside the field: every frame of the frame list whose name contains
// "Advertisement" in turn, 10 seconds each, the change shown as six 18-pixel slats turning over
// 1.5 seconds. It draws into the game's background frame, so it asks for the panel's area to be
// rebuilt whenever what it shows changes.
//
// The rule a caller must know: with no advertisement frame the rotator holds nothing and draws
// nothing; Update, Next and Draw are then harmless.
#include "graphics/IntRect.h"

#include <cstdint>
#include <functional>
#include <vector>

class CFrameInterface;
class CItemList;

class CAdvertisementRotator
{
public:
    static constexpr int32_t kLeft = 524;
    static constexpr int32_t kTop = 337;
    static constexpr int32_t kSize = 108;
    static constexpr int32_t kSlatWidth = 18;
    static constexpr int kSlatCount = 6;
    static constexpr float kShowSeconds = 10.0f;
    static constexpr float kTurnSeconds = 1.5f;

    // The area of the panel: (524, 337)-(632, 445).
    static CIntRect GetArea() { return CIntRect{kLeft, kTop, kLeft + kSize, kTop + kSize}; }

    using Invalidate = std::function<void(const CIntRect&)>;
    // Collects the frame list's advertisements in list order; invalidate receives the panel's
    // area whenever it must be redrawn (may be empty: nothing is asked).
    CAdvertisementRotator(const CItemList& frames, Invalidate invalidate);
    // A given list of frame-list indices (for a list built elsewhere).
    CAdvertisementRotator(std::vector<uint32_t> advertisements, Invalidate invalidate);

    void Update(float seconds);
    // The next advertisement at once.
    void Next();
    // The current advertisement at (524, 337), or the turning slats while it changes; frames are
    // taken from the frame list.
    void Draw(CFrameInterface* target);

    float GetFade() const { return m_fade; }
    float GetTimeLeft() const { return m_timeLeft; }
    uint32_t GetCurrent() const { return m_current; }
    uint32_t GetPrevious() const { return m_previous; }
    size_t GetCount() const { return m_advertisements.size(); }

    // The width of strip k's part that still shows the previous advertisement at turn progress
    // p (0 at the start of the change, 1 at its end): round(18 t), t = 1 before the strip starts
    // turning, else 1 - min(2 (p - k / 12), 1).
    static int32_t GetOldPartWidth(int slat, float progress);
    // The share t of the old picture in strip k at progress p (0..1).
    static float GetOldShare(int slat, float progress);

private:
    void Advance();
    void Request() const;

    std::vector<uint32_t> m_advertisements;
    Invalidate m_invalidate;
    size_t m_position = 0;
    uint32_t m_current = 0;
    uint32_t m_previous = 0;
    float m_timeLeft = kShowSeconds;
    float m_fade = 0.0f;
};
