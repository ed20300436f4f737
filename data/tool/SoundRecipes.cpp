#include "SoundRecipes.h"

#include "SynthTrack.h"

#include <cstddef>
#include <iterator>

namespace {

// Effects peak a little under full scale, so that several at once rarely clip in the mixer.
constexpr double kEffectPeak = 0.7;
constexpr double kMusicPeak = 0.8;

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
    return track.ToPcm(kEffectPeak);
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

// The tune's chords: bass root and three pad notes (MIDI numbers), one chord a bar.
struct Chord
{
    int bass;
    int tones[3];
};

constexpr Chord kChords[] = {
    {45, {57, 60, 64}}, // A minor
    {41, {57, 60, 65}}, // F major
    {48, {55, 60, 64}}, // C major
    {43, {55, 59, 62}}, // G major
};
constexpr double kBeat = 60.0 / 128.0;
constexpr int kBeatsPerBar = 4;
// The arpeggio's walk over the chord tones and their octave, one step a sixteenth.
constexpr int kArpeggio[16] = {0, 1, 2, 3, 2, 1, 0, 1, 2, 3, 2, 1, 0, 1, 2, 3};

void PlayBar(CSynthTrack& track, const Chord& chord, double barStart)
{
    const double sixteenth = kBeat / 4;
    for (int tone : chord.tones)
        track.Play({.start = barStart, .length = kBeat * kBeatsPerBar, .frequency = MidiFrequency(tone),
                    .wave = Waveform::Triangle, .volume = 0.1, .attack = 0.08, .release = 0.25, .brightness = 0.4});
    for (int eighth = 0; eighth < 2 * kBeatsPerBar; ++eighth)
        track.Play({.start = barStart + eighth * kBeat / 2, .length = kBeat / 2 * 0.8,
                    .frequency = MidiFrequency(chord.bass), .wave = Waveform::Saw, .volume = 0.32,
                    .attack = 0.004, .decay = 0.25, .release = 0.03, .brightness = 0.18});
    for (int step = 0; step < 16; ++step) {
        const int index = kArpeggio[step];
        const int note = (index < 3 ? chord.tones[index] : chord.tones[0] + 12) + 12;
        track.Play({.start = barStart + step * sixteenth, .length = sixteenth * 0.9, .frequency = MidiFrequency(note),
                    .wave = Waveform::Square, .volume = 0.09, .attack = 0.002, .decay = 0.07, .release = 0.02,
                    .brightness = 0.3});
    }
    for (int beat = 0; beat < kBeatsPerBar; ++beat) {
        const double at = barStart + beat * kBeat;
        // Kick on every beat, snare on the second and fourth, hi-hat between the beats.
        track.Play({.start = at, .length = 0.12, .frequency = 150, .endFrequency = 45, .volume = 0.75,
                    .attack = 0.001, .decay = 0.09, .release = 0.03});
        if (beat % 2 == 1) {
            track.Play({.start = at, .length = 0.1, .wave = Waveform::Noise, .volume = 0.28, .attack = 0.001,
                        .decay = 0.05, .release = 0.04, .brightness = 0.55});
            track.Play({.start = at, .length = 0.06, .frequency = 190, .wave = Waveform::Triangle, .volume = 0.25,
                        .attack = 0.001, .decay = 0.04, .release = 0.02});
        }
        track.Play({.start = at + kBeat / 2, .length = 0.02, .wave = Waveform::Noise, .volume = 0.12,
                    .attack = 0.0005, .decay = 0.015, .release = 0.015, .brightness = 0.9});
    }
}

} // namespace

const std::vector<SoundRecipe>& GetSoundRecipes()
{
    static const std::vector<SoundRecipe> recipes = {
        {"UI/Button Action.wav", MakeButtonAction},
        {"UI/Button Switch.wav", MakeButtonSwitch},
        {"UI/Button Flip.wav", MakeButtonFlip},
        {"Player Error.wav", MakePlayerError},
    };
    return recipes;
}

std::vector<int16_t> MakeIntroLoop()
{
    const double bar = kBeat * kBeatsPerBar;
    CSynthTrack track(bar * std::size(kChords), true);
    for (size_t i = 0; i < std::size(kChords); ++i)
        PlayBar(track, kChords[i], bar * static_cast<double>(i));
    // A dotted-eighth echo gives the plain voices some room.
    track.AddEchoes({{kBeat * 0.75, 0.22}, {kBeat * 1.5, 0.1}});
    return track.ToPcm(kMusicPeak);
}
