#pragma once
// The screen blend mode of a bright 5-5-5 screen: each channel raised by the level's step.
// The screen frame sets the level and draws through g_brightenBlitter555 in place of the copy blend
// mode; ScreenLevelBlitter.h tells what it draws and that the level holds for the whole class.
#include "blit/modes/ScreenLevelBlitter.h"

class CBrightenBlitter555 : public CScreenLevelBlitter
{
public:
    CBrightenBlitter555();
    ~CBrightenBlitter555() override;
};

extern CBrightenBlitter555 g_brightenBlitter555;
