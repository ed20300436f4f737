#pragma once
// Buttons of the game's dialogs take the size of their text from their theme's button part,
// since a button does not size itself.
class CJButton;

// Sizes the button to its text (nothing without a theme part); answers the button.
CJButton* SizeToText(CJButton* button);

template <class Button>
Button* SizedButton(Button* button)
{
    SizeToText(button);
    return button;
}
