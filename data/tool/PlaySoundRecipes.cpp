#include "PlaySoundRecipes.h"

#include "SoundLevels.h"
#include "SynthTrack.h"

namespace {

// A crackle of short noise bursts over a buzzing tone: the electricity of the catcher. The
// looping ones keep their bursts inside the track so that they repeat without a click.
std::vector<int16_t> MakeElectric(double seconds, double hum, int bursts, double volume)
{
    CSynthTrack track(seconds, false);
    track.Play({.start = 0, .length = seconds - 0.03, .frequency = hum, .wave = Waveform::Saw, .volume = volume,
                .attack = 0.02, .release = 0.025, .brightness = 0.25});
    for (int i = 0; i < bursts; ++i)
        track.Play({.start = 0.01 + (seconds - 0.06) * i / bursts, .length = 0.012, .wave = Waveform::Noise,
                    .volume = 0.5, .attack = 0.001, .decay = 0.006, .release = 0.01, .brightness = 0.8});
    return track.ToPcm(kEffectPeak);
}

std::vector<int16_t> MakeCanCatch()
{
    return MakeElectric(0.4, 120, 5, 0.25);
}

std::vector<int16_t> MakeHold()
{
    return MakeElectric(0.4, 180, 9, 0.35);
}

// A sharp zap falling in pitch: the catcher took a ball.
std::vector<int16_t> MakeCatch()
{
    CSynthTrack track(0.2, false);
    track.Play({.start = 0, .length = 0.08, .frequency = 1800, .endFrequency = 300, .wave = Waveform::Saw,
                .volume = 0.5, .attack = 0.001, .decay = 0.06, .release = 0.04, .brightness = 0.5});
    track.Play({.start = 0, .length = 0.05, .wave = Waveform::Noise, .volume = 0.4, .attack = 0.001, .decay = 0.02,
                .release = 0.03, .brightness = 0.9});
    return track.ToPcm(kEffectPeak);
}

// A soft rushing puff: an exhaust fires.
std::vector<int16_t> MakeThrust()
{
    CSynthTrack track(0.22, false);
    track.Play({.start = 0, .length = 0.12, .wave = Waveform::Noise, .volume = 0.5, .attack = 0.02, .decay = 0.08,
                .release = 0.06, .brightness = 0.12});
    return track.ToPcm(kFrequentEffectPeak);
}

// A falling laser zip; the big gun's is lower and heavier, with a thump.
std::vector<int16_t> MakeFireGun()
{
    CSynthTrack track(0.15, false);
    track.Play({.start = 0, .length = 0.08, .frequency = 2200, .endFrequency = 600, .wave = Waveform::Square,
                .volume = 0.45, .attack = 0.001, .decay = 0.05, .release = 0.03, .brightness = 0.5});
    return track.ToPcm(kFrequentEffectPeak);
}

std::vector<int16_t> MakeFireBigGun()
{
    CSynthTrack track(0.3, false);
    track.Play({.start = 0, .length = 0.16, .frequency = 900, .endFrequency = 150, .wave = Waveform::Saw,
                .volume = 0.5, .attack = 0.002, .decay = 0.12, .release = 0.05, .brightness = 0.4});
    track.Play({.start = 0, .length = 0.06, .frequency = 70, .volume = 0.6, .attack = 0.001, .decay = 0.05,
                .release = 0.05});
    return track.ToPcm(kEffectPeak);
}

// A metallic snap sliding up (the shield grows) or down (it shrinks).
std::vector<int16_t> MakeSnap(double from, double to)
{
    CSynthTrack track(0.2, false);
    track.Play({.start = 0, .length = 0.01, .wave = Waveform::Noise, .volume = 0.5, .attack = 0.0005,
                .decay = 0.005, .release = 0.01, .brightness = 0.7});
    track.Play({.start = 0.005, .length = 0.1, .frequency = from, .endFrequency = to, .wave = Waveform::Triangle,
                .volume = 0.5, .attack = 0.002, .decay = 0.08, .release = 0.05, .brightness = 0.6});
    return track.ToPcm(kEffectPeak);
}

std::vector<int16_t> MakeSnapLarger()
{
    return MakeSnap(400, 900);
}

std::vector<int16_t> MakeSnapSmaller()
{
    return MakeSnap(900, 400);
}

// A tiny crackle: sparks fly from a contact.
std::vector<int16_t> MakeDefaultSpark()
{
    CSynthTrack track(0.08, false);
    for (int i = 0; i < 3; ++i)
        track.Play({.start = 0.012 * i, .length = 0.006, .wave = Waveform::Noise, .volume = 0.5 - 0.1 * i,
                    .attack = 0.0005, .decay = 0.004, .release = 0.006, .brightness = 0.9});
    return track.ToPcm(kFrequentEffectPeak);
}

// A pick-up jingle: the notes one after another in the waveform.
std::vector<int16_t> MakeJingle(const std::vector<int>& notes, double spacing, Waveform wave)
{
    const double seconds = spacing * static_cast<double>(notes.size()) + 0.15;
    CSynthTrack track(seconds, false);
    for (size_t i = 0; i < notes.size(); ++i)
        track.Play({.start = spacing * static_cast<double>(i), .length = spacing * 0.9,
                    .frequency = MidiFrequency(notes[i]), .wave = wave, .volume = 0.45, .attack = 0.003,
                    .decay = 0.15, .release = 0.05, .brightness = 0.45});
    return track.ToPcm(kEffectPeak);
}

// A glide between two pitches: the balls slow down or speed up.
std::vector<int16_t> MakeGlide(double from, double to)
{
    CSynthTrack track(0.35, false);
    track.Play({.start = 0, .length = 0.25, .frequency = from, .endFrequency = to, .wave = Waveform::Triangle,
                .volume = 0.5, .attack = 0.005, .decay = 0.3, .release = 0.06, .brightness = 0.5});
    return track.ToPcm(kEffectPeak);
}

std::vector<int16_t> MakeSlow()
{
    return MakeGlide(880, 330);
}

std::vector<int16_t> MakeFast()
{
    return MakeGlide(330, 990);
}

std::vector<int16_t> MakeCatcher()
{
    return MakeJingle({72, 79, 84}, 0.06, Waveform::Saw);
}

// A roaring whoosh with a rising tone: the balls catch fire.
std::vector<int16_t> MakeFireBall()
{
    CSynthTrack track(0.4, false);
    track.Play({.start = 0, .length = 0.28, .wave = Waveform::Noise, .volume = 0.5, .attack = 0.03, .decay = 0.2,
                .release = 0.08, .brightness = 0.3});
    track.Play({.start = 0, .length = 0.25, .frequency = 200, .endFrequency = 600, .wave = Waveform::Saw,
                .volume = 0.25, .attack = 0.02, .release = 0.08, .brightness = 0.3});
    return track.ToPcm(kEffectPeak);
}

std::vector<int16_t> MakeMultiply3()
{
    return MakeJingle({76, 79, 84}, 0.07, Waveform::Square);
}

std::vector<int16_t> MakeMultiply8()
{
    return MakeJingle({72, 76, 79, 84, 88, 91}, 0.04, Waveform::Square);
}

std::vector<int16_t> MakeGunDeploy()
{
    return MakeJingle({60, 67, 72}, 0.06, Waveform::Square);
}

std::vector<int16_t> MakeBigGun()
{
    return MakeJingle({48, 55, 60, 67}, 0.07, Waveform::Saw);
}

// A high electric whine: the balls become rail balls.
std::vector<int16_t> MakeRailBall()
{
    CSynthTrack track(0.4, false);
    track.Play({.start = 0, .length = 0.3, .frequency = 600, .endFrequency = 2400, .wave = Waveform::Saw,
                .volume = 0.4, .attack = 0.01, .release = 0.06, .brightness = 0.35});
    return track.ToPcm(kEffectPeak);
}

std::vector<int16_t> MakeNormalBall()
{
    return MakeJingle({72, 72}, 0.08, Waveform::Triangle);
}

std::vector<int16_t> MakeSmallBall()
{
    return MakeJingle({91, 96}, 0.05, Waveform::Triangle);
}

// A long rumbling blast: an explosion, lower and longer for the ship than for a bomb shot down.
std::vector<int16_t> MakeExplosion(double seconds, double brightness, double boom)
{
    CSynthTrack track(seconds, false);
    track.Play({.start = 0, .length = seconds * 0.3, .wave = Waveform::Noise, .volume = 0.6, .attack = 0.001,
                .decay = seconds * 0.3, .release = seconds * 0.55, .brightness = brightness});
    track.Play({.start = 0, .length = seconds * 0.4, .frequency = boom, .endFrequency = boom * 0.5, .volume = 0.6,
                .attack = 0.002, .decay = seconds * 0.3, .release = seconds * 0.4});
    return track.ToPcm(kEffectPeak);
}

std::vector<int16_t> MakeShipExplode()
{
    return MakeExplosion(0.48, 0.15, 60);
}

std::vector<int16_t> MakeBombExplode()
{
    return MakeExplosion(0.4, 0.3, 90);
}

// A falling bomb's warble, repeated while it falls.
std::vector<int16_t> MakeBombDropped()
{
    CSynthTrack track(0.4, false);
    track.Play({.start = 0, .length = 0.16, .frequency = 1400, .endFrequency = 1000, .wave = Waveform::Triangle,
                .volume = 0.4, .attack = 0.01, .release = 0.02, .brightness = 0.5});
    track.Play({.start = 0.2, .length = 0.16, .frequency = 1400, .endFrequency = 1000, .wave = Waveform::Triangle,
                .volume = 0.4, .attack = 0.01, .release = 0.02, .brightness = 0.5});
    return track.ToPcm(kEffectPeak);
}

} // namespace

void AppendPlaySoundRecipes(std::vector<SoundRecipe>& recipes)
{
    const SoundRecipe play[] = {
        {"Electric/Can Catch.wav", MakeCanCatch},
        {"Electric/Hold.wav", MakeHold},
        {"Electric/Catch.wav", MakeCatch},
        {"Thrust.wav", MakeThrust},
        {"Fire Gun.wav", MakeFireGun},
        {"Fire Big Gun.wav", MakeFireBigGun},
        {"Snap On Larger Shiled.wav", MakeSnapLarger},
        {"Snap On Smaller Shiled.wav", MakeSnapSmaller},
        {"Default Spark.wav", MakeDefaultSpark},
        {"Slow.wav", MakeSlow},
        {"Fast.wav", MakeFast},
        {"Power Ups/Catcher.wav", MakeCatcher},
        {"Fire Ball.wav", MakeFireBall},
        {"Multiply 3.wav", MakeMultiply3},
        {"Multiply 8.wav", MakeMultiply8},
        {"Power Ups/Gun Deploy.wav", MakeGunDeploy},
        {"Power Ups/Big Gun.wav", MakeBigGun},
        {"Rail Ball.wav", MakeRailBall},
        {"Normal Ball.wav", MakeNormalBall},
        {"Small Ball.wav", MakeSmallBall},
        {"Ship Explode.wav", MakeShipExplode},
        {"Bomb Dropped.wav", MakeBombDropped},
        {"Bomb Explode.wav", MakeBombExplode},
    };
    recipes.insert(recipes.end(), std::begin(play), std::end(play));
}
