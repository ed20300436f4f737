#pragma once
// What stands in for a commercial until the commercial list exists: one demo clip, played back
// into the game's back buffer, with no captions.
//
// The rule a caller must know: the game only borrows it; the owner keeps it alive while the demo
// plays.
#include "foundation/SharedString.h"

class CFrameInterface;

class CStandInCommercial
{
public:
    explicit CStandInCommercial(const char* clipFile) : m_clip(clipFile) {}

    // Starts playback of the clip into the target; false (nothing started) when the clip cannot
    // be opened.
    bool Play(CFrameInterface* target);
    // Ends playback; the demo recorder's finish callback runs.
    void Stop();
    // The captions come with the commercials.
    void UpdateCaptions(float /*seconds*/) {}
    void ClearCaptions() {}
    const char* GetClip() const { return m_clip.CStr(); }

private:
    CSharedString m_clip;
};
