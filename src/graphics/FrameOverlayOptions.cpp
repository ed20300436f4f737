#include "graphics/FrameOverlayOptions.h"

#include "objects/ObjectArrayProperty.h"

namespace {

constexpr const char* kOverlaysLabel = "Text Overlays";

} // namespace

IMPLEMENT_CLASS_RECORD(CFrameOverlayOptions, CObject, 0.0f)
void CFrameOverlayOptions::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CObjectArrayProperty(kOverlaysLabel, &CFrameOverlayOptions::m_overlayCount,
                                                 &CFrameOverlayOptions::m_overlays,
                                                 &CFrameOverlayOptions::m_overlayCapacity, nullptr, 0));
}

void CFrameOverlayOptions::DrawTextOverlays(CFrameInterface* frame, const CTextSubstitutionList* substitutions) const
{
    for (uint32_t i = 0; i < m_overlayCount; ++i)
        m_overlays[i].Draw(frame, substitutions);
}

uint32_t CFrameOverlayOptions::AddTextOverlay(const CFrameOverlayTextOverlay& overlay)
{
    // The array property grows the array as the text reader does, so both keep one layout.
    const auto* overlays = static_cast<const CObjectArrayProperty*>(GetClassRecord()->FindProperty(kOverlaysLabel));
    // The overlay may be one of ours, which growing the array moves: copy it first.
    CFrameOverlayTextOverlay copy;
    copy.CopyPropertiesFrom(&overlay);
    const uint32_t index = m_overlayCount;
    overlays->Resize(this, index + 1);
    m_overlays[index].CopyPropertiesFrom(&copy);
    return index;
}
