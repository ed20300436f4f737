#pragma once
// The sound effects of the data set, synthesised: the window toolkit's, the player's and a few of
// the game's. Each gives mono 16-bit samples at CSynthTrack::kSampleRate, stored in one of the
// forms the sound layer reads.
#include <cstdint>
#include <vector>

enum class SoundForm
{
    Pcm,       // RIFF WAVE, 16-bit PCM
    ImaAdpcm,  // RIFF WAVE, IMA ADPCM
    OggVorbis, // Ogg Vorbis (the game asks for it by the ".wav" name)
};

struct SoundRecipe
{
    const char* name; // the file name in the sound folder
    std::vector<int16_t> (*make)();
    SoundForm form = SoundForm::Pcm;
};

// "UI/Button Action.wav", "UI/Button Switch.wav", "UI/Button Flip.wav", "Player Error.wav",
// "Pop Brick.wav", the tunes and cues of the flow of a game ("Start Round.wav", "Ball In
// Play.wav", "Level Ending Tune.WAV", "Lost Ball.WAV", "Game Over.WAV", "Score.wav", "Completed
// Game.wav", "Timeout.wav"), "Bounce.wav" (IMA ADPCM), "Extra Ball.ogg" and the silent
// "!None.wav", which sorts first and stands for "no sound"; then the sounds of play
// (PlaySoundRecipes.h) and of the bricks (BrickSoundRecipes.h).
const std::vector<SoundRecipe>& GetSoundRecipes();
