#pragma once
// The screen blend mode of a dim 5-6-5 screen: each channel lowered by the level's step.
// The screen frame sets the level and draws through g_darkenBlitter565 in place of the copy blend
// mode; ScreenLevelBlitter.h tells what it draws and that the level holds for the whole class.
#include "blit/modes/ScreenLevelBlitter.h"

class CDarkenBlitter565 : public CScreenLevelBlitter
{
public:
    CDarkenBlitter565();
    ~CDarkenBlitter565() override;
};

extern CDarkenBlitter565 g_darkenBlitter565;
