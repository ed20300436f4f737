#pragma once
// The sounds of the data set, synthesised: the window toolkit's and the player's short effects
// and the start music's loop. Each gives mono 16-bit samples at CSynthTrack::kSampleRate.
#include <cstdint>
#include <vector>

struct SoundRecipe
{
    const char* name; // the file name in the sound folder
    std::vector<int16_t> (*make)();
};

// "UI/Button Action.wav", "UI/Button Switch.wav", "UI/Button Flip.wav", "Player Error.wav".
const std::vector<SoundRecipe>& GetSoundRecipes();

// Four bars of an upbeat tune that repeat without a seam.
std::vector<int16_t> MakeIntroLoop();
