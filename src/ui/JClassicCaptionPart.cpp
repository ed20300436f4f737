#include "ui/JClassicCaptionPart.h"

#include "graphics/Font.h"
#include "graphics/FrameInterface.h"
#include "ui/JWindow.h"
#include "ui/WindowToolkitState.h"

void CJClassicCaptionPart::Draw(CFrameInterface* frame)
{
    CJWindow* window = m_window;
    CFont* font = window->GetFont();
    if (!frame)
        return;
    const int32_t w = window->GetWidth(), h = window->GetHeight();
    if (!window->IsTransparent())
        CJWindow::FillWithTexture(frame, window->GetBackgroundTexture(), {0, 0, w, h}, 0, 0);
    CJWindow::DrawBevel(font, frame, {0, 0, w, h}, true, 15, 0);
    if (!font || !*window->GetText())
        return;
    const int32_t line = font->GetLineHeight(), unit = line / 5;
    using State = CWindowToolkitState;
    State& toolkit = State::Get();
    if (toolkit.GetTexture(State::kWindowTitleTile) && !window->IsTransparent())
        CJWindow::FillWithTexture(frame,
                                  toolkit.GetTexture(window->IsActive() ? State::kWindowTitleTile
                                                                        : State::kInactiveWindowTitleTile),
                                  {3, 3, w - 3, line + 4 * unit}, 0, 0);
    window->DrawText(frame, w / 2, 2 * unit + 1, kJustifyCentre);
    // The engraved line follows the frame's depth: an 8-bit frame has no blending, so its palette
    // is remapped toward darker and lighter greys instead.
    const int32_t row = line + 4 * unit + 1;
    const CIntRect dark{1, row, w, row + 1}, light{1, row + 1, w, row + 2};
    if (frame->GetBitsPerPixel() == 8) {
        frame->ApplyRemapTableToRect(dark, toolkit.GetBevelRemapTable(State::kDark));
        frame->ApplyRemapTableToRect(light, toolkit.GetBevelRemapTable(State::kLight));
    } else {
        frame->FillRect(dark, toolkit.GetBevelColor(State::kDark));
        frame->FillRect(light, toolkit.GetBevelColor(State::kLight));
    }
}
