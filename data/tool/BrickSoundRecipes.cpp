#include "BrickSoundRecipes.h"

#include "SoundLevels.h"
#include "SynthTrack.h"

namespace {

// Two inharmonic partials that ring on after a sharp tick: struck metal.
std::vector<int16_t> MakeClank()
{
    CSynthTrack track(0.3, false);
    track.Play({.start = 0, .length = 0.004, .wave = Waveform::Noise, .volume = 0.6, .attack = 0.0005,
                .decay = 0.002, .release = 0.004, .brightness = 0.9});
    track.Play({.start = 0, .length = 0.02, .frequency = 1870, .volume = 0.4, .attack = 0.001, .decay = 0.06,
                .release = 0.2});
    track.Play({.start = 0, .length = 0.02, .frequency = 2710, .volume = 0.25, .attack = 0.001, .decay = 0.04,
                .release = 0.15});
    return track.ToPcm(kEffectPeak);
}

// A low, short knock.
std::vector<int16_t> MakeThud()
{
    CSynthTrack track(0.12, false);
    track.Play({.start = 0, .length = 0.03, .frequency = 140, .endFrequency = 90, .wave = Waveform::Triangle,
                .volume = 0.6, .attack = 0.001, .decay = 0.02, .release = 0.05});
    track.Play({.start = 0, .length = 0.008, .wave = Waveform::Noise, .volume = 0.3, .attack = 0.0005,
                .decay = 0.004, .release = 0.01, .brightness = 0.25});
    return track.ToPcm(kEffectPeak);
}

// A knock that slides up: the brick is shoved aside.
std::vector<int16_t> MakeNudge()
{
    CSynthTrack track(0.2, false);
    track.Play({.start = 0, .length = 0.12, .frequency = 180, .endFrequency = 420, .wave = Waveform::Square,
                .volume = 0.35, .attack = 0.002, .decay = 0.08, .release = 0.05, .brightness = 0.3});
    track.Play({.start = 0, .length = 0.1, .wave = Waveform::Noise, .volume = 0.2, .attack = 0.01, .decay = 0.05,
                .release = 0.04, .brightness = 0.15});
    return track.ToPcm(kEffectPeak);
}

// A dry crackle of splinters.
std::vector<int16_t> MakeDamaged()
{
    CSynthTrack track(0.18, false);
    for (int i = 0; i < 5; ++i)
        track.Play({.start = 0.018 * i + 0.004 * (i % 2), .length = 0.006, .wave = Waveform::Noise,
                    .volume = 0.55 - 0.08 * i, .attack = 0.0005, .decay = 0.004, .release = 0.008,
                    .brightness = 0.6});
    track.Play({.start = 0, .length = 0.03, .frequency = 520, .endFrequency = 380, .wave = Waveform::Saw,
                .volume = 0.25, .attack = 0.001, .decay = 0.02, .release = 0.03, .brightness = 0.4});
    return track.ToPcm(kEffectPeak);
}

// A short bang with a falling boom.
std::vector<int16_t> MakeExplode()
{
    CSynthTrack track(0.36, false);
    track.Play({.start = 0, .length = 0.08, .wave = Waveform::Noise, .volume = 0.6, .attack = 0.001, .decay = 0.08,
                .release = 0.22, .brightness = 0.35});
    track.Play({.start = 0, .length = 0.1, .frequency = 110, .endFrequency = 45, .volume = 0.6, .attack = 0.002,
                .decay = 0.1, .release = 0.15});
    return track.ToPcm(kEffectPeak);
}

} // namespace

void AppendBrickSoundRecipes(std::vector<SoundRecipe>& recipes)
{
    const SoundRecipe bricks[] = {
        {"Brick Clank.wav", MakeClank},     {"Brick Thud.wav", MakeThud},       {"Brick Nudge.wav", MakeNudge},
        {"Brick Damaged.wav", MakeDamaged}, {"Brick Explode.wav", MakeExplode},
    };
    recipes.insert(recipes.end(), std::begin(bricks), std::end(bricks));
}
