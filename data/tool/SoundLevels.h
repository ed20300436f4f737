#pragma once
// The peak levels of the data set's sounds, of full scale: the mix's gain staging. Two songs play
// at once (the music player's and the music mixer's), at the default music volume of -8 dB, under
// the effects at full volume, and effects overlap: an effect that repeats many times a second
// overlaps itself. At these levels the sum of ordinary play stays under full scale.

// Every song.
constexpr double kSongPeak = 0.5;
// An effect.
constexpr double kEffectPeak = 0.4;
// An effect that repeats many times a second while it plays: the ball's bounce, the sparks of
// every contact, a brick bursting or being laid, the ship's thrust, the hovered menu buttons.
constexpr double kFrequentEffectPeak = 0.2;
// The menu balls' tock: a dozen balls and more bounce in the pen, and the tocks that fall into
// one period of the sound device start together and add up in step.
constexpr double kMenuBallPeak = 0.15;
