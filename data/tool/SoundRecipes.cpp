#include "SoundRecipes.h"

#include "BrickSoundRecipes.h"
#include "PlaySoundRecipes.h"
#include "SoundLevels.h"
#include "SynthTrack.h"

namespace {

// A bright rising blip: a button was pressed.
std::vector<int16_t> MakeButtonAction()
{
    CSynthTrack track(0.12, false);
    track.Play({.start = 0, .length = 0.045, .frequency = 660, .endFrequency = 990, .wave = Waveform::Triangle,
                .volume = 0.6, .decay = 0.03, .release = 0.03, .brightness = 0.6});
    track.Play({.start = 0.015, .length = 0.03, .frequency = 1320, .volume = 0.3, .decay = 0.02, .release = 0.02});
    return track.ToPcm(kEffectPeak);
}

// A short tick: a choice switched.
std::vector<int16_t> MakeButtonSwitch()
{
    CSynthTrack track(0.08, false);
    track.Play({.start = 0, .length = 0.008, .wave = Waveform::Noise, .volume = 0.5, .attack = 0.0005,
                .decay = 0.004, .release = 0.006, .brightness = 0.35});
    track.Play({.start = 0.002, .length = 0.02, .frequency = 1500, .volume = 0.35, .decay = 0.012, .release = 0.02});
    return track.ToPcm(kFrequentEffectPeak);
}

// A rising swish: a page flipped.
std::vector<int16_t> MakeButtonFlip()
{
    CSynthTrack track(0.18, false);
    track.Play({.start = 0, .length = 0.1, .frequency = 400, .endFrequency = 1100, .wave = Waveform::Triangle,
                .volume = 0.35, .attack = 0.02, .decay = 0.08, .release = 0.05, .brightness = 0.5});
    track.Play({.start = 0, .length = 0.09, .wave = Waveform::Noise, .volume = 0.25, .attack = 0.03, .decay = 0.05,
                .release = 0.06, .brightness = 0.2});
    return track.ToPcm(kEffectPeak);
}

// A low falling buzz: the input was refused.
std::vector<int16_t> MakePlayerError()
{
    CSynthTrack track(0.32, false);
    track.Play({.start = 0, .length = 0.1, .frequency = 196, .wave = Waveform::Square, .volume = 0.45,
                .attack = 0.004, .release = 0.02, .brightness = 0.3});
    track.Play({.start = 0.12, .length = 0.14, .frequency = 147, .endFrequency = 139, .wave = Waveform::Square,
                .volume = 0.45, .attack = 0.004, .decay = 0.2, .release = 0.04, .brightness = 0.3});
    return track.ToPcm(kEffectPeak);
}

// A short pop with a click: a brick bursts.
std::vector<int16_t> MakePopBrick()
{
    CSynthTrack track(0.16, false);
    track.Play({.start = 0, .length = 0.05, .frequency = 900, .endFrequency = 300, .volume = 0.6, .attack = 0.001,
                .decay = 0.03, .release = 0.04});
    track.Play({.start = 0, .length = 0.01, .wave = Waveform::Noise, .volume = 0.4, .attack = 0.0005, .decay = 0.005,
                .release = 0.01, .brightness = 0.7});
    return track.ToPcm(kFrequentEffectPeak);
}

// A heavy clunk with a ring: the brick layer sets a brick in place.
std::vector<int16_t> MakeBrickPlaced()
{
    CSynthTrack track(0.14, false);
    track.Play({.start = 0, .length = 0.03, .frequency = 180, .endFrequency = 120, .wave = Waveform::Square,
                .volume = 0.5, .attack = 0.001, .decay = 0.03, .release = 0.03, .brightness = 0.3});
    track.Play({.start = 0.01, .length = 0.06, .frequency = 1760, .volume = 0.2, .decay = 0.05, .release = 0.04});
    return track.ToPcm(kFrequentEffectPeak);
}

// Two notes up, or two down: a toggle brick turns on, or off.
std::vector<int16_t> MakeToggle(int first, int second)
{
    CSynthTrack track(0.14, false);
    track.Play({.start = 0, .length = 0.04, .frequency = MidiFrequency(first), .wave = Waveform::Triangle,
                .volume = 0.5, .attack = 0.002, .release = 0.02, .brightness = 0.5});
    track.Play({.start = 0.05, .length = 0.05, .frequency = MidiFrequency(second), .wave = Waveform::Triangle,
                .volume = 0.5, .attack = 0.002, .decay = 0.04, .release = 0.03, .brightness = 0.5});
    return track.ToPcm(kEffectPeak);
}

std::vector<int16_t> MakeBrickTurnedOn()
{
    return MakeToggle(79, 84);
}

std::vector<int16_t> MakeBrickTurnedOff()
{
    return MakeToggle(84, 79);
}

// A shimmering sweep: a brick changes into another.
std::vector<int16_t> MakeBrickChange()
{
    CSynthTrack track(0.3, false);
    track.Play({.start = 0, .length = 0.22, .frequency = 500, .endFrequency = 1500, .wave = Waveform::Triangle,
                .volume = 0.35, .attack = 0.02, .decay = 0.1, .release = 0.06, .brightness = 0.6});
    track.Play({.start = 0.02, .length = 0.2, .wave = Waveform::Noise, .volume = 0.15, .attack = 0.05, .decay = 0.1,
                .release = 0.05, .brightness = 0.8});
    return track.ToPcm(kEffectPeak);
}

// A soft bounce: the ball meets the ship or a wall.
std::vector<int16_t> MakeBounce()
{
    CSynthTrack track(0.12, false);
    track.Play({.start = 0, .length = 0.05, .frequency = 520, .endFrequency = 380, .wave = Waveform::Triangle,
                .volume = 0.6, .attack = 0.001, .decay = 0.04, .release = 0.04, .brightness = 0.5});
    return track.ToPcm(kFrequentEffectPeak);
}

// Three rising notes: a ball more.
std::vector<int16_t> MakeExtraBall()
{
    CSynthTrack track(0.4, false);
    const int notes[] = {72, 76, 79};
    for (int i = 0; i < 3; ++i)
        track.Play({.start = 0.08 * i, .length = 0.07, .frequency = MidiFrequency(notes[i]), .wave = Waveform::Square,
                    .volume = 0.4, .attack = 0.002, .decay = 0.1, .release = 0.05, .brightness = 0.35});
    return track.ToPcm(kEffectPeak);
}

// A note sequence of square-ish tones: the flow of a game announces itself with short tunes.
std::vector<int16_t> MakeTune(double seconds, const std::vector<int>& notes, double spacing, double length,
                              Waveform wave)
{
    CSynthTrack track(seconds, false);
    for (size_t i = 0; i < notes.size(); ++i)
        track.Play({.start = spacing * static_cast<double>(i), .length = length,
                    .frequency = MidiFrequency(notes[i]), .wave = wave, .volume = 0.45, .attack = 0.003,
                    .decay = 0.25, .release = 0.06, .brightness = 0.4});
    return track.ToPcm(kEffectPeak);
}

// A rising fanfare of four notes: a round begins.
std::vector<int16_t> MakeStartRound()
{
    return MakeTune(0.48, {60, 64, 67, 72}, 0.08, 0.12, Waveform::Square);
}

// A bright upward chirp: the ball is served.
std::vector<int16_t> MakeBallInPlay()
{
    CSynthTrack track(0.25, false);
    track.Play({.start = 0, .length = 0.16, .frequency = 500, .endFrequency = 1400, .wave = Waveform::Triangle,
                .volume = 0.6, .attack = 0.005, .decay = 0.2, .release = 0.05, .brightness = 0.6});
    return track.ToPcm(kEffectPeak);
}

// A little cadence: the round is cleared.
std::vector<int16_t> MakeLevelEnding()
{
    return MakeTune(0.49, {67, 72, 76, 79, 76, 79, 84}, 0.05, 0.06, Waveform::Square);
}

// A falling slide: a ball is lost.
std::vector<int16_t> MakeLostBall()
{
    CSynthTrack track(0.45, false);
    track.Play({.start = 0, .length = 0.3, .frequency = 700, .endFrequency = 120, .wave = Waveform::Square,
                .volume = 0.5, .attack = 0.005, .decay = 0.6, .release = 0.1, .brightness = 0.35});
    return track.ToPcm(kEffectPeak);
}

// Four slow falling notes: the game is over.
std::vector<int16_t> MakeGameOver()
{
    return MakeTune(0.49, {67, 63, 60, 55}, 0.09, 0.12, Waveform::Triangle);
}

// A coin-like double ping: a bonus is counted.
std::vector<int16_t> MakeScore()
{
    return MakeTune(0.3, {83, 88}, 0.07, 0.12, Waveform::Square);
}

// A long rising run: the whole game is completed.
std::vector<int16_t> MakeCompletedGame()
{
    return MakeTune(0.49, {60, 64, 67, 72, 76, 79, 84}, 0.05, 0.06, Waveform::Square);
}

// Two soft descending chimes: the game is paused.
std::vector<int16_t> MakeTimeout()
{
    return MakeTune(0.45, {76, 69}, 0.12, 0.18, Waveform::Triangle);
}

// A twentieth of a second of silence.
// A soft rising chime: the pointer came over a menu button.
std::vector<int16_t> MakeButtonHover()
{
    CSynthTrack track(0.1, false);
    track.Play({.start = 0, .length = 0.05, .frequency = 880, .endFrequency = 1175, .wave = Waveform::Triangle,
                .volume = 0.35, .attack = 0.005, .decay = 0.04, .release = 0.03, .brightness = 0.4});
    return track.ToPcm(kFrequentEffectPeak);
}

// A tiny tock: a menu ball met a wall.
std::vector<int16_t> MakeMenuBallBounce()
{
    CSynthTrack track(0.05, false);
    track.Play({.start = 0, .length = 0.015, .frequency = 1250, .endFrequency = 900, .volume = 0.3, .attack = 0.0005,
                .decay = 0.012, .release = 0.015, .brightness = 0.3});
    return track.ToPcm(kMenuBallPeak);
}

std::vector<int16_t> MakeSilence()
{
    return std::vector<int16_t>(CSynthTrack::kSampleRate / 20, 0);
}

} // namespace

const std::vector<SoundRecipe>& GetSoundRecipes()
{
    static const std::vector<SoundRecipe> recipes = [] {
        std::vector<SoundRecipe> list = {
            {"UI/Button Action.wav", MakeButtonAction},
            {"UI/Button Switch.wav", MakeButtonSwitch},
            {"UI/Button Flip.wav", MakeButtonFlip},
            {"UI/Button Hover.wav", MakeButtonHover},
            {"UI/Menu Ball Bounce.wav", MakeMenuBallBounce},
            {"Player Error.wav", MakePlayerError},
            {"Pop Brick.wav", MakePopBrick},
            {"Brick Placed.wav", MakeBrickPlaced},
            {"Brick Turned On.wav", MakeBrickTurnedOn},
            {"Brick Turned Off.wav", MakeBrickTurnedOff},
            {"Brick Change.wav", MakeBrickChange},
            {"Start Round.wav", MakeStartRound},
            {"Ball In Play.wav", MakeBallInPlay},
            {"Level Ending Tune.WAV", MakeLevelEnding},
            {"Lost Ball.WAV", MakeLostBall},
            {"Game Over.WAV", MakeGameOver},
            {"Score.wav", MakeScore},
            {"Completed Game.wav", MakeCompletedGame},
            {"Timeout.wav", MakeTimeout},
            {"Bounce.wav", MakeBounce, SoundForm::ImaAdpcm},
            {"Extra Ball.ogg", MakeExtraBall, SoundForm::OggVorbis},
            {"!None.wav", MakeSilence},
        };
        AppendPlaySoundRecipes(list);
        AppendBrickSoundRecipes(list);
        return list;
    }();
    return recipes;
}
