// The game object's part in the main menu's toy: the balls move and draw while the menu shows.
#include "app/Mouse.h"
#include "foundation/R250Random.h"
#include "graphics/Frame.h"
#include "graphics/Sequence.h"
#include "graphics/SequenceCollection.h"
#include "objects/DataNames.h"
#include "shell/Game.h"
#include "shell/MenuBalls.h"

namespace {

constexpr const char* kBallSequence = dataname::sequence::kMenuBall;

CSequence* FindBallSequence()
{
    return CSequenceCollection::GetInstance().FindSequence(kBallSequence);
}

} // namespace

void CGame::ResetMenuBalls()
{
    CMenuBalls& balls = GetMenuBalls();
    CSequence* sequence = FindBallSequence();
    CFrame* first = sequence && sequence->GetFrameCount() ? sequence->GetFrame(0) : nullptr;
    balls.SetBallRadius(first ? static_cast<float>(first->GetWidth()) / 2.0f : 0.0f);
    balls.Reset(g_generalRandom);
}

void CGame::UpdateMenuBalls(float seconds)
{
    CSequence* sequence = FindBallSequence();
    const uint32_t frames = sequence ? sequence->GetFrameCount() : 0;
    const float phaseStep =
        frames ? sequence->GetFramesPerSecond() * seconds / static_cast<float>(frames) : 0.0f;
    GetMenuBalls().Update(seconds, g_mouse.GetPositionFloat(), phaseStep, g_generalRandom);
}

void CGame::DrawMenuBalls(CFrameInterface* target)
{
    GetMenuBalls().Draw(target, FindBallSequence());
}
