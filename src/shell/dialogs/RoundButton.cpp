#include "shell/dialogs/RoundButton.h"

#include "graphics/Font.h"
#include "graphics/OffsetClippedProxyFrame.h"

#include <cstdio>

CRoundButton::CRoundButton(CJWindow* parent, uint32_t set, uint32_t roundNumber, CFrame* image, bool locked)
    : CJButton(parent, "", nullptr)
{
    char label[32];
    std::snprintf(label, sizeof label, "%u-%u", set + 1, roundNumber + 1);
    m_label = label;
    if (image)
        SetImage(image, false);
    else
        SetSize(kBlankWidth, kBlankHeight);
    SetDisabledLook(locked);
}

void CRoundButton::Draw(COffsetClippedProxyFrame* frame)
{
    CJButton::Draw(frame);
    CFont* font = GetFont();
    if (!font)
        return;
    const int32_t margin = GetRowSpacing();
    font->DrawText(frame, GetWidth() - margin, GetHeight() - margin - font->GetHeight(), m_label.CStr(), 2);
}
