#include "blit/modes/FilterScaleBlitter.h"

#include "blit/modes/CopyBlitter.h"
#include "blit/modes/FilterResampler.h"
#include "graphics/Frame.h"
#include "graphics/ScreenFrame.h"
#include "graphics/stages/DepthConvertStage.h"

CFilterScaleBlitter g_filterScaleBlitter;

namespace {

// Holds the display's brightness at 0 while the source is copied, so that the copy takes the
// palette's own colours; the brightness in force comes back afterwards.
class CBrightnessHeldAtZero
{
public:
    CBrightnessHeldAtZero() : m_screen(CScreenFrame::GetDisplayFrame())
    {
        if (m_screen) {
            m_saved = m_screen->GetBrightness();
            m_screen->SetBrightness(0.0f);
        }
    }
    ~CBrightnessHeldAtZero()
    {
        if (m_screen)
            m_screen->SetBrightness(m_saved);
    }
    CBrightnessHeldAtZero(const CBrightnessHeldAtZero&) = delete;
    CBrightnessHeldAtZero& operator=(const CBrightnessHeldAtZero&) = delete;

private:
    CScreenFrame* m_screen;
    float m_saved = 0.0f;
};

void FilterScale(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                 const CIntRect* destinationRect, bool toPalette)
{
    const int32_t width = destinationRect->GetWidth(), height = destinationRect->GetHeight();
    if (sourceRect->IsEmpty() || width <= 0 || height <= 0)
        return;
    // The routine's rectangles are pixel coordinates; the frames' own operations below take
    // coordinates relative to their hot spots.
    CFrame copied;
    copied.Create(sourceRect->GetWidth(), sourceRect->GetHeight(), 16);
    if (!copied.GetPixels())
        return;
    {
        CBrightnessHeldAtZero brightness;
        copied.BlitUnclipped(source, *sourceRect, CIntRect{0, 0, sourceRect->GetWidth(), sourceRect->GetHeight()},
                             &g_copyBlitter);
    }
    CFrame scaled;
    scaled.Create(width, height, 16);
    if (scaled.GetWidth() != width || scaled.GetHeight() != height)
        return;
    CFilterResampler::GetShared().Resample(&scaled, &copied);
    if (toPalette) {
        CDepthConvertStage dithered(true, 8);
        dithered.ApplyAll(&scaled);
    }
    destination->DrawFrameAt(&scaled, destinationRect->m_left + destination->GetLeft(),
                             destinationRect->m_top + destination->GetTop(), &g_copyBlitter);
}

} // namespace

CFilterScaleBlitter::CFilterScaleBlitter()
{
    RegisterRoutine(8, 0, 8, 0, &FilterScaleBlit8);
    RegisterRoutine(16, 0, 16, 0, &FilterScaleBlit16);
}

CFilterScaleBlitter::~CFilterScaleBlitter() = default;

bool CFilterScaleBlitter::IsUnscaled() const
{
    return false;
}

void FilterScaleBlit8(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                      const CIntRect* destinationRect, CBlitter*)
{
    FilterScale(source, sourceRect, destination, destinationRect, true);
}

void FilterScaleBlit16(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                       const CIntRect* destinationRect, CBlitter*)
{
    FilterScale(source, sourceRect, destination, destinationRect, false);
}
