#pragma once
// The base of the four screen blend modes that brighten or darken (CBrightenBlitter555,
// CDarkenBlitter555, CBrightenBlitter565, CDarkenBlitter565), and the routines that all five
// screen blend modes register. On a 16-bit screen the screen frame draws through one of them
// instead of the copy blend mode, so that the screen's brightness (and a 5-5-5 layout) applies
// while a frame is copied to it. None has a name in the blit-type list.
//
// Each class registers, for a 16-bit plain destination: 8-bit sources through the palette-to-pixel
// table of its layout, 24-bit sources packed for its layout (neither stepped), and 16-bit sources
// converted and stepped; the 16-bit routine is the grouped form where CpuHasMmx held at
// construction (always the plain form for CDarkenBlitter565). No colour key; the opacity changes
// nothing.
//
// The rule a caller must know: the steps belong to the class, not to the instance. SetLevel
// before each blit; it holds for every instance of that class until the next SetLevel.
#include "blit/Blitter.h"
#include "blit/modes/ScreenLevelRows.h"

#include <cstdint>

// Registers the three routines of a screen blend mode of that operation.
void RegisterScreenLevelRoutines(CBlitter& blitter, ScreenLevelOp op);

// The steps in force for the class of each operation (all 0 until its first SetLevel).
ScreenLevelSteps GetScreenLevelSteps(ScreenLevelOp op);

class CScreenLevelBlitter : public CBlitter
{
public:
    ~CScreenLevelBlitter() override;

    // The level, clamped to 0..255, is kept and the class's steps become level >> 3 and level >> 2.
    void SetLevel(int32_t level);
    // The last level set here (0 before any).
    int32_t GetScreenLevel() const { return m_screenLevel; }
    ScreenLevelOp GetOperation() const { return m_operation; }

protected:
    explicit CScreenLevelBlitter(ScreenLevelOp operation);

private:
    ScreenLevelOp m_operation;
    int32_t m_screenLevel = 0;
};
