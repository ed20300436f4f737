#include "game/PlayfieldTexts.h"

#include "game/ship/MessageDisplay.h"

namespace playfieldtext {

CLocalizedString g_begin("Begin");
CLocalizedString g_round("Round", "Means level or stage as in Round 5");
CLocalizedString g_roundComplete("Round Complete");
CLocalizedString g_noShipBonus("No Ship Bonus");
CLocalizedString g_bonusPoints("Bonus Points");
CLocalizedString g_gameOver("Game Over");
CLocalizedString g_outOfBounds("Out of bounds penalty");
CLocalizedString g_cheating("You are cheating");
CLocalizedString g_points("Points", "means score");
CLocalizedString g_notHighEnough("Your score of %s is not high enough to qualify you for the high scores list.");
CLocalizedString g_cheated("Your score of %s does not qualify you for the high scores list because you cheated.");
CLocalizedString g_ranks("Your score of %s ranks number %d in the high scores list");
CLocalizedString g_personalBest(" and is your personal best");

void Show(const char* text, int32_t kind, float seconds, bool blink)
{
    if (CMessageDisplay* display = GetMessageDisplay())
        display->Show(text, kind, seconds, blink);
}

void AddLines(const char* text, int32_t kind)
{
    if (CMessageDisplay* display = GetMessageDisplay())
        display->AddLines(text, kind);
}

void KeepAtLeast(float seconds)
{
    if (CMessageDisplay* display = GetMessageDisplay())
        display->KeepAtLeast(seconds);
}

} // namespace playfieldtext
