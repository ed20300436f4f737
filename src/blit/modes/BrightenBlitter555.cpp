#include "blit/modes/BrightenBlitter555.h"

CBrightenBlitter555 g_brightenBlitter555;

CBrightenBlitter555::CBrightenBlitter555() : CScreenLevelBlitter(ScreenLevelOp::Brighten555)
{
}

CBrightenBlitter555::~CBrightenBlitter555() = default;
