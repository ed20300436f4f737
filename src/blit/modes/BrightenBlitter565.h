#pragma once
// The screen blend mode of a bright 5-6-5 screen: each channel raised by the level's step.
// The screen frame sets the level and draws through g_brightenBlitter565 in place of the copy blend
// mode; ScreenLevelBlitter.h tells what it draws and that the level holds for the whole class.
#include "blit/modes/ScreenLevelBlitter.h"

class CBrightenBlitter565 : public CScreenLevelBlitter
{
public:
    CBrightenBlitter565();
    ~CBrightenBlitter565() override;
};

extern CBrightenBlitter565 g_brightenBlitter565;
