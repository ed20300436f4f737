#include "app/TimedPictureScreen.h"

#include "app/ApplicationBase.h"
#include "app/Keyboard.h"
#include "app/Mouse.h"
#include "app/WindowProc.h"
#include "blit/modes/CopyBlitter.h"
#include "graphics/Frame.h"
#include "graphics/FrameOverlayOptions.h"
#include "graphics/ScreenFrame.h"
#include "platform/Time.h"

namespace {

constexpr uint32_t kPagesPerStep = 4;
constexpr float kFadeInSeconds = 0.5f;
constexpr float kFadeOutSeconds = 0.5f;
constexpr uint32_t kPaletteFadeMs = 500;

CScreenFrame* GetDisplay()
{
    return g_application ? g_application->GetDisplay() : nullptr;
}

} // namespace

CTimedPictureScreen::Holder::~Holder()
{
    if (m_ownsFrame)
        delete m_frame;
}

CTimedPictureScreen::~CTimedPictureScreen()
{
    ReleasePicture();
}

CFrame* CTimedPictureScreen::GetPicture() const
{
    return m_holder ? m_holder->m_frame : nullptr;
}

void CTimedPictureScreen::ReleasePicture()
{
    delete m_holder;
    m_holder = nullptr;
}

uint32_t CTimedPictureScreen::TakeElapsed(uint32_t& last)
{
    uint32_t now = platform::GetTickCount();
    if (now == last) {
        platform::Sleep(1);
        now = platform::GetTickCount();
    }
    // Unsigned subtraction: right across the tick count's wrap.
    const uint32_t elapsed = now - last;
    last = now;
    return elapsed;
}

void CTimedPictureScreen::DrawCentered(CFrameInterface* target)
{
    target->Clear();
    CFrame* picture = GetPicture();
    if (!picture)
        return;
    picture->GetBounds(m_sourceRect);
    m_targetRect = m_sourceRect;
    m_targetRect.Offset((target->GetWidth() - picture->GetWidth()) / 2, (target->GetHeight() - picture->GetHeight()) / 2);
    m_blitter = &g_copyBlitter;
    target->Blit(picture, m_sourceRect, m_targetRect, m_blitter);
}

void CTimedPictureScreen::DrawStep(CScreenFrame* display)
{
    for (uint32_t page = 0; page < kPagesPerStep; ++page) {
        if (display->Lock() == CScreenFrame::kLockDone) {
            DrawCentered(display);
            display->Unlock();
        }
        display->Present();
    }
    if (g_application)
        g_application->IncrementDrawCount();
}

void CTimedPictureScreen::Show(CFrame* frame, bool convert, CFrameOverlayOptions* overlays,
                               const CTextSubstitutionList* substitutions)
{
    ShowHolder(new Holder{frame, false}, convert, overlays, substitutions);
}

void CTimedPictureScreen::ShowHolder(Holder* holder, bool convert, CFrameOverlayOptions* overlays,
                                     const CTextSubstitutionList* substitutions)
{
    if (!holder)
        return;
    if (!holder->m_frame || !holder->m_frame->GetPixels()) {
        delete holder;
        return;
    }
    Finish();
    m_holder = holder;

    CScreenFrame* display = GetDisplay();
    if (convert && display) {
        CFrame* picture = m_holder->m_frame;
        const uint32_t depth = display->GetBitsPerPixel();
        if (!m_holder->m_ownsFrame || picture->GetBitsPerPixel() != depth) {
            auto* copy = new CFrame;
            copy->Create(display->GetWidth(), display->GetHeight(), depth);
            CIntRect bounds;
            picture->GetBounds(bounds);
            CIntRect at = bounds;
            at.Offset(-bounds.m_left, -bounds.m_top);
            copy->Blit(picture, bounds, at, &g_copyBlitter);
            if (depth == 8 && picture->HasPalette())
                copy->SetPalette(*picture->GetPalette());
            delete m_holder;
            m_holder = new Holder{copy, true};
        }
        if (overlays)
            overlays->DrawTextOverlays(m_holder->m_frame, substitutions);
    }
    if (!display)
        return;

    CFrame* picture = m_holder->m_frame;
    if (!picture->HasPalette()) {
        // Black at once, then a fade-in drawn step by step.
        display->StartFadeOut(1.0f);
        display->UpdateFade(1.0f);
        display->StartFadeIn(kFadeInSeconds);
        uint32_t last = platform::GetTickCount();
        while (display->GetFadeLevel() < 1.0f) {
            DrawStep(display);
            display->UpdateFade(static_cast<float>(TakeElapsed(last)) / 1000.0f);
        }
        DrawStep(display);
    } else {
        DrawStep(display);
        display->FadeToPalette(picture, &m_sourceRect, &m_targetRect, m_blitter, picture->GetPalette(), kPaletteFadeMs,
                               true);
    }
}

void CTimedPictureScreen::Finish()
{
    WaitUntilDone();
    CScreenFrame* display = GetDisplay();
    CFrame* picture = GetPicture();
    if (display && picture && !picture->HasPalette()) {
        display->StartFadeOut(kFadeOutSeconds);
        uint32_t last = platform::GetTickCount();
        while (display->GetFadeLevel() > 0.0f) {
            display->UpdateFade(static_cast<float>(TakeElapsed(last)) / 1000.0f);
            DrawStep(display);
        }
        DrawStep(display);
    } else if (display) {
        display->FadeToBlack(picture, &m_sourceRect, &m_targetRect, m_blitter, kPaletteFadeMs);
    }
    ReleasePicture();
}

void CTimedPictureScreen::WaitUntilDone()
{
    g_keyboard.ClearAll();
    uint32_t now = platform::GetTickCount();
    // Only a press during the wait counts (a button held from before must be let go first), and
    // one let go again before the next look counts too.
    CMouse::PressCounts seen = g_mouse.GetPressCounts();
    const uint64_t limit = static_cast<uint64_t>(m_displayTime * 1000.0f);
    if (m_startTime != 0 && now - m_startTime < limit) {
        for (;;) {
            PumpWindowMessages();
            now = platform::GetTickCount();
            if (g_keyboard.TakeAnyKeyPress())
                break;
            if (g_mouse.TakePressMask(seen))
                break;
            if (now - m_startTime >= limit)
                break;
            platform::Sleep(1);
        }
    }
    g_keyboard.ClearAll();
    m_startTime = now;
}
