#pragma once
// A full-screen picture (the company logo, a splash screen) centred on the display: it fades in,
// stays for a minimum time that a key press or a new mouse click cuts short, and fades out when
// the next picture comes or the caller finishes it. It draws on the display surface directly,
// outside the application's tick, pumping window messages while it waits.
//
// The display time of a picture counts from the end of the previous wait, so each picture of a
// sequence gets its own time.
#include "graphics/IntRect.h"

#include <cstdint>

class CBlitter;
class CFrame;
class CFrameInterface;
class CFrameOverlayOptions;
class CScreenFrame;
class CTextSubstitutionList;

class CTimedPictureScreen
{
public:
    // A picture, and whether deleting the holder deletes it.
    struct Holder
    {
        CFrame* m_frame = nullptr;
        bool m_ownsFrame = false;
        ~Holder();
    };

    static constexpr float kDefaultDisplayTime = 3.0f;

    CTimedPictureScreen() = default;
    ~CTimedPictureScreen();
    CTimedPictureScreen(const CTimedPictureScreen&) = delete;
    CTimedPictureScreen& operator=(const CTimedPictureScreen&) = delete;

    // Shows the frame (not owned) as ShowHolder does.
    void Show(CFrame* frame, bool convert, CFrameOverlayOptions* overlays,
              const CTextSubstitutionList* substitutions = nullptr);
    // Takes the holder. A holder without an image is deleted and the current picture stays.
    // Otherwise the current picture is finished first; with convert the picture is copied into a
    // frame of the display's depth and size (unless it is owned and of that depth already) and
    // the overlays' texts are drawn on it, their macros ("%score") filled from the substitutions
    // when given. Then it fades in.
    void ShowHolder(Holder* holder, bool convert, CFrameOverlayOptions* overlays,
                    const CTextSubstitutionList* substitutions = nullptr);
    // Waits for the display time, fades the picture out and lets it go.
    void Finish();
    // Waits until the picture has had its display time, a key is pressed or a mouse button that
    // was not held before is pressed; the keyboard is cleared afterwards.
    void WaitUntilDone();
    // Clears the target and draws the picture centred on it with the copy blitter.
    void DrawCentered(CFrameInterface* target);
    void ReleasePicture();

    float GetDisplayTime() const { return m_displayTime; }
    // The least time the following pictures stay, in seconds (a negative time counts as 0).
    void SetDisplayTime(float seconds) { m_displayTime = seconds > 0.0f ? seconds : 0.0f; }
    CFrame* GetPicture() const;
    // The tick count at which the current display time began; 0 before the first wait.
    uint32_t GetStartTime() const { return m_startTime; }
    const CIntRect& GetSourceRect() const { return m_sourceRect; }
    const CIntRect& GetTargetRect() const { return m_targetRect; }

private:
    // Draws the picture on four presented pages (so that every page of a flip chain shows it).
    void DrawStep(CScreenFrame* display);
    // Milliseconds since last (then last = now); a clock that has not moved is waited for.
    static uint32_t TakeElapsed(uint32_t& last);

    uint32_t m_startTime = 0;
    float m_displayTime = kDefaultDisplayTime;
    CIntRect m_sourceRect;
    CIntRect m_targetRect;
    CBlitter* m_blitter = nullptr;
    Holder* m_holder = nullptr;
};
