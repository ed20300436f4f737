#pragma once
// The playfield's texts (localisable) and its way of announcing them on the message display.
//
// The rule a caller must know: with no message display the announcements are dropped.
#include "foundation/LocalizedString.h"

#include <cstdint>

namespace playfieldtext {

extern CLocalizedString g_begin;
extern CLocalizedString g_round;
extern CLocalizedString g_roundComplete;
extern CLocalizedString g_noShipBonus;
extern CLocalizedString g_bonusPoints;
extern CLocalizedString g_gameOver;
extern CLocalizedString g_outOfBounds;
extern CLocalizedString g_cheating;
extern CLocalizedString g_points;
extern CLocalizedString g_notHighEnough;
extern CLocalizedString g_cheated;
extern CLocalizedString g_ranks;
extern CLocalizedString g_personalBest;

// Message kinds: the small font and the large one.
constexpr int32_t kSmall = 0;
constexpr int32_t kLarge = 1;

void Show(const char* text, int32_t kind, float seconds, bool blink = false);
void AddLines(const char* text, int32_t kind);
void KeepAtLeast(float seconds);

} // namespace playfieldtext
