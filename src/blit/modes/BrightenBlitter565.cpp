#include "blit/modes/BrightenBlitter565.h"

CBrightenBlitter565 g_brightenBlitter565;

CBrightenBlitter565::CBrightenBlitter565() : CScreenLevelBlitter(ScreenLevelOp::Brighten565)
{
}

CBrightenBlitter565::~CBrightenBlitter565() = default;
