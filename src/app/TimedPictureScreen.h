#pragma once
// A full-screen picture (the company logo, a splash screen) shown for a minimum time. Pictures are
// not drawn yet: frames and the screen's fades come with the display; the object keeps its timing.
class CFrame;
class CFrameOverlayOptions;

class CTimedPictureScreen
{
public:
    CTimedPictureScreen() = default;

    // Shows the frame (not owned), after the previous picture has had its time.
    void Show(CFrame* frame, bool convert, CFrameOverlayOptions* overlays);
    // Waits for the display time, then lets the picture go.
    void Finish();
    void ReleasePicture() { m_frame = nullptr; }

    float GetDisplayTime() const { return m_displayTime; }
    CFrame* GetPicture() const { return m_frame; }

private:
    float m_displayTime = 3.0f;
    CFrame* m_frame = nullptr;
};
