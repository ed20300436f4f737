#pragma once
// The words the player can type during the game (debug displays and cheats), and the two display
// settings some of them switch: the points display factor and the ball speed display.
//
// The rule a caller must know: RegisterGameTypedWords registers every word once per process (a
// second call adds nothing); the handlers act only on what exists (no game object, no playfield or
// no ball: nothing happens).
#include <cstdint>

// The word that switches the points display between 1 and 57 times the score.
inline constexpr const char* kCrazyPointsWord = "crazypoints";

// 1 or 57: what the score board's score is multiplied by for display only.
int GetPointsDisplayFactor();
void SetPointsDisplayFactor(int factor);
// Whether the score board also shows the round's average ball speed (off at start).
bool IsBallSpeedDisplayOn();
void SetBallSpeedDisplay(bool on);

void RegisterGameTypedWords();

// The handlers, in registration order (also called by tests).
namespace typedwords {
void CheatExpand();
void CheatCatch();
void CheatShrink();
void CheatReverse();
void CheatGun();
void FlipAdvertisement();
void CheatMiss();
void DebugRight();
void DebugLeft();
void CrazyPoints();
void CheatSplit();
void CheatFire();
void CheatSmall();
void CheatRail();
void ShowBackground();
void ShowFrameRate();
void ShowBallSpeed();
void CheatNext();
void KillMeNow();
} // namespace typedwords
