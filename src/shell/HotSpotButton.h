#pragma once
// An invisible, borderless button over a part of a picture: clicking there acts like a button.
#include "ui/JButton.h"

class CHotSpotButton : public CJButton
{
public:
    CHotSpotButton(CJWindow* parent, int32_t width, int32_t height);

    // Nothing of its own: the picture under it shows.
    void Draw(COffsetClippedProxyFrame* frame) override;
};
