#pragma once
// A starting point of the new-game dialog: the checkpoint's picture with its label ("set-round",
// both from 1) at the bottom-right corner, dimmed while the player has not reached it (it stays
// clickable, so that a click can say why it is locked).
#include "ui/JButton.h"

class CRoundButton : public CJButton
{
public:
    // Thumbnail size of a checkpoint without a picture.
    static constexpr int32_t kBlankWidth = 96;
    static constexpr int32_t kBlankHeight = 72;

    // image may be null.
    CRoundButton(CJWindow* parent, uint32_t set, uint32_t roundNumber, CFrame* image, bool locked);

    // The button, then the label right-aligned at the bottom-right inside the margin.
    void Draw(COffsetClippedProxyFrame* frame) override;

    const CSharedString& GetLabel() const { return m_label; }

private:
    CSharedString m_label;
};
