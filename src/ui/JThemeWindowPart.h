#pragma once
// The part a theme makes for a static text control; the classic theme's has no behaviour.
#include "ui/JThemePart.h"

class CJThemeWindowPart : public CJThemePart
{
public:
    explicit CJThemeWindowPart(CJWindow* window) : CJThemePart(window) {}
};
