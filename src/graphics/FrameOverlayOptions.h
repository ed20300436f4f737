#pragma once
// The texts put over a full-screen picture (a splash screen, the completed-game screen): a list
// of text overlays, drawn in their order, so a later one covers an earlier one where they meet.
// Read from "<name>.FOO" files of the overlay options list:
//
//     CFrameOverlayOptions
//     {
//         Text Overlays=Array
//         {
//             Array Count=1
//             Array Item=CFrameOverlayTextOverlay
//             {
//                 Text Font=Small Blue
//                 Text HotSpot Coordinates=40,400
//                 Text Wrapping Width=560
//                 Text String=Your score: %score
//                 Pixels Between Lines=2
//                 Justification=Justify Center
//             }
//         }
//     }
#include "graphics/FrameOverlayTextOverlay.h"

class CFrameOverlayOptions : public CObject
{
    DECLARE_CLASS_RECORD(CFrameOverlayOptions)
    CFrameOverlayOptions() { InitOwnProperties(); }
    ~CFrameOverlayOptions() override { DestroyOwnProperties(); }

    // Draws every text overlay on the frame in array order, each text passed through the
    // substitutions when they are given. Nothing happens without a frame.
    void DrawTextOverlays(CFrameInterface* frame, const CTextSubstitutionList* substitutions) const;
    // Appends a copy of the overlay; returns its index.
    uint32_t AddTextOverlay(const CFrameOverlayTextOverlay& overlay);

    uint32_t GetTextOverlayCount() const { return m_overlayCount; }
    // Overlay i; null past the count.
    CFrameOverlayTextOverlay* GetTextOverlay(uint32_t i) const { return i < m_overlayCount ? &m_overlays[i] : nullptr; }

private:
    uint32_t m_overlayCount;
    CFrameOverlayTextOverlay* m_overlays;
    uint32_t m_overlayCapacity;
};
