#pragma once
// A push button whose click flips its checked state; in a radio group a click checks it (and so
// unchecks the others), and a checked member cannot be unchecked by clicking.
#include "ui/JButton.h"

class CJCheckButton : public CJButton
{
public:
    using CJButton::CJButton;

    // Only an unchecked, enabled button clicks; false otherwise.
    bool Activate() override;
    // Nothing for a checked radio member; else the sound, the flipped state and the click.
    void Click() override;
    // "UI/Button Switch.wav".
    void PlayClickSound() override;
};
