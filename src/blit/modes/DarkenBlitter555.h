#pragma once
// The screen blend mode of a dim 5-5-5 screen: each channel lowered by the level's step.
// The screen frame sets the level and draws through g_darkenBlitter555 in place of the copy blend
// mode; ScreenLevelBlitter.h tells what it draws and that the level holds for the whole class.
#include "blit/modes/ScreenLevelBlitter.h"

class CDarkenBlitter555 : public CScreenLevelBlitter
{
public:
    CDarkenBlitter555();
    ~CDarkenBlitter555() override;
};

extern CDarkenBlitter555 g_darkenBlitter555;
