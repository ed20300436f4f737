#include "SongRecipes.h"

#include "SoundLevels.h"
#include "SynthTrack.h"

#include <cstddef>

namespace {

constexpr int kBeatsPerBar = 4;
constexpr int kRest = -1;

// A bar's harmony: bass root and three pad notes (MIDI numbers).
struct Chord
{
    int bass;
    int tones[3];
};

// What plays in every bar of a song; a part at volume 0 is left out.
struct Groove
{
    double bpm = 120;
    std::vector<Chord> chords; // one a bar
    Waveform padWave = Waveform::Triangle;
    double pad = 0.1;
    double padBrightness = 0.4;
    double padAttack = 0.08;
    Waveform bassWave = Waveform::Saw;
    double bass = 0.32;
    double bassBrightness = 0.18;
    // Sixteenths over the chord tones an octave up (3 is the root an octave higher still).
    const int* arpeggio = nullptr;
    Waveform arpWave = Waveform::Square;
    double arp = 0.09;
    double arpBrightness = 0.3;
    double kick = 0.75;
    double snare = 0.28;
    double hat = 0.12;
    double rumble = 0;                                 // a dull noise swell under each bar
    std::vector<std::pair<double, double>> echoes;     // delay in beats, level
};

constexpr int kWalk[16] = {0, 1, 2, 3, 2, 1, 0, 1, 2, 3, 2, 1, 0, 1, 2, 3};
constexpr int kClimb[16] = {0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3};
constexpr int kSparse[16] = {0, kRest, kRest, 2, kRest, kRest, 1, kRest, 3, kRest, kRest, 2, kRest, 1, kRest, kRest};
constexpr int kDrops[16] = {3, kRest, 2, kRest, 1, kRest, 0, kRest, 2, kRest, 3, kRest, 1, kRest, 0, 1};

void PlayBar(CSynthTrack& track, const Groove& groove, const Chord& chord, double barStart)
{
    const double beat = 60.0 / groove.bpm;
    const double sixteenth = beat / 4;
    if (groove.pad > 0)
        for (int tone : chord.tones)
            track.Play({.start = barStart, .length = beat * kBeatsPerBar, .frequency = MidiFrequency(tone),
                        .wave = groove.padWave, .volume = groove.pad, .attack = groove.padAttack, .release = 0.25,
                        .brightness = groove.padBrightness});
    if (groove.bass > 0)
        for (int eighth = 0; eighth < 2 * kBeatsPerBar; ++eighth)
            track.Play({.start = barStart + eighth * beat / 2, .length = beat / 2 * 0.8,
                        .frequency = MidiFrequency(chord.bass), .wave = groove.bassWave, .volume = groove.bass,
                        .attack = 0.004, .decay = 0.25, .release = 0.03, .brightness = groove.bassBrightness});
    if (groove.arpeggio && groove.arp > 0)
        for (int step = 0; step < 16; ++step) {
            const int index = groove.arpeggio[step];
            if (index == kRest)
                continue;
            const int note = (index < 3 ? chord.tones[index] : chord.tones[0] + 12) + 12;
            track.Play({.start = barStart + step * sixteenth, .length = sixteenth * 0.9,
                        .frequency = MidiFrequency(note), .wave = groove.arpWave, .volume = groove.arp,
                        .attack = 0.002, .decay = 0.07, .release = 0.02, .brightness = groove.arpBrightness});
        }
    for (int b = 0; b < kBeatsPerBar; ++b) {
        const double at = barStart + b * beat;
        // Kick on every beat, snare on the second and fourth, hi-hat between the beats.
        if (groove.kick > 0)
            track.Play({.start = at, .length = 0.12, .frequency = 150, .endFrequency = 45, .volume = groove.kick,
                        .attack = 0.001, .decay = 0.09, .release = 0.03});
        if (groove.snare > 0 && b % 2 == 1) {
            track.Play({.start = at, .length = 0.1, .wave = Waveform::Noise, .volume = groove.snare, .attack = 0.001,
                        .decay = 0.05, .release = 0.04, .brightness = 0.55});
            track.Play({.start = at, .length = 0.06, .frequency = 190, .wave = Waveform::Triangle,
                        .volume = groove.snare * 0.9, .attack = 0.001, .decay = 0.04, .release = 0.02});
        }
        if (groove.hat > 0)
            track.Play({.start = at + beat / 2, .length = 0.02, .wave = Waveform::Noise, .volume = groove.hat,
                        .attack = 0.0005, .decay = 0.015, .release = 0.015, .brightness = 0.9});
    }
    if (groove.rumble > 0)
        track.Play({.start = barStart, .length = beat * kBeatsPerBar * 0.7, .wave = Waveform::Noise,
                    .volume = groove.rumble, .attack = beat * 2, .release = beat * 1.5, .brightness = 0.02});
}

// The whole song as a looping track: its tails wrap round to the start.
CSynthTrack PlayGroove(const Groove& groove)
{
    const double bar = 60.0 / groove.bpm * kBeatsPerBar;
    CSynthTrack track(bar * static_cast<double>(groove.chords.size()), true);
    for (size_t i = 0; i < groove.chords.size(); ++i)
        PlayBar(track, groove, groove.chords[i], bar * static_cast<double>(i));
    std::vector<std::pair<double, double>> echoes;
    for (const auto& [beats, level] : groove.echoes)
        echoes.emplace_back(beats * 60.0 / groove.bpm, level);
    track.AddEchoes(echoes);
    return track;
}

std::vector<int16_t> MakeTheme()
{
    Groove groove{.bpm = 96,
                  .chords = {{38, {50, 53, 57}}, {34, {50, 53, 58}}, {41, {48, 53, 57}}, {36, {48, 52, 55}}},
                  .padWave = Waveform::Sine, .pad = 0.14, .padBrightness = 0.3, .padAttack = 0.4,
                  .bassWave = Waveform::Triangle, .bass = 0.22, .bassBrightness = 0.3,
                  .arpeggio = kSparse, .arpWave = Waveform::Sine, .arp = 0.08, .arpBrightness = 1,
                  .kick = 0.4, .snare = 0, .hat = 0.05, .echoes = {{0.75, 0.3}, {1.5, 0.15}}};
    return PlayGroove(groove).ToPcm(kSongPeak);
}

std::vector<int16_t> MakeInfinityFast()
{
    Groove groove{.bpm = 132,
                  .chords = {{40, {52, 55, 59}}, {36, {52, 55, 60}}, {43, {50, 55, 59}}, {38, {50, 54, 57}}},
                  .bassWave = Waveform::Square, .bass = 0.28, .arpeggio = kClimb, .arpWave = Waveform::Saw,
                  .arp = 0.1, .arpBrightness = 0.45, .kick = 0.8, .snare = 0.3, .hat = 0.14,
                  .echoes = {{0.5, 0.2}}};
    return PlayGroove(groove).ToPcm(kSongPeak);
}

std::vector<int16_t> MakeRockfast()
{
    // Power chords: root, fifth and octave, chugged by a dull saw.
    Groove groove{.bpm = 150,
                  .chords = {{40, {52, 59, 64}}, {43, {55, 62, 67}}, {45, {57, 64, 69}}, {36, {48, 55, 60}}},
                  .padWave = Waveform::Saw, .pad = 0.16, .padBrightness = 0.25, .padAttack = 0.01, .bass = 0.36,
                  .kick = 0.85, .snare = 0.35, .hat = 0.16, .echoes = {}};
    return PlayGroove(groove).ToPcm(kSongPeak);
}

std::vector<int16_t> MakeWaterFast()
{
    Groove groove{.bpm = 120,
                  .chords = {{41, {53, 57, 60}}, {38, {50, 53, 57}}, {34, {50, 53, 58}}, {36, {52, 55, 60}}},
                  .bassWave = Waveform::Sine, .bass = 0.3, .arpeggio = kDrops, .arpWave = Waveform::Sine,
                  .arp = 0.12, .arpBrightness = 1, .kick = 0.6, .snare = 0.2, .hat = 0.1,
                  .echoes = {{0.75, 0.25}, {1.5, 0.12}}};
    return PlayGroove(groove).ToPcm(kSongPeak);
}

// The space piece: the full mix, and the medium and ambient mixes as parts of it at the same
// levels, so that a crossfade only takes parts away or brings them in.
enum class SpaceMix
{
    Full,
    Medium,
    Ambient,
};

Groove SpaceGroove(SpaceMix mix)
{
    Groove groove{.bpm = 110,
                  .chords = {{45, {57, 60, 64}}, {43, {55, 59, 62}}, {41, {53, 57, 60}}, {40, {52, 56, 59}}},
                  .pad = 0.12, .bass = 0.3, .arpeggio = kWalk, .arpWave = Waveform::Saw, .arp = 0.08,
                  .kick = 0.7, .snare = 0.25, .hat = 0.12, .rumble = 0.3, .echoes = {{0.75, 0.2}}};
    if (mix != SpaceMix::Full)
        groove.arp = groove.kick = groove.snare = 0;
    if (mix == SpaceMix::Ambient)
        groove.bass = groove.hat = 0;
    return groove;
}

std::vector<int16_t> MakeSpaceMix(SpaceMix mix)
{
    const double fullPeak = PlayGroove(SpaceGroove(SpaceMix::Full)).GetPeak();
    const CSynthTrack track = PlayGroove(SpaceGroove(mix));
    return track.ToPcm(kSongPeak * track.GetPeak() / fullPeak);
}

} // namespace

std::vector<int16_t> MakeIntroLoop()
{
    Groove groove{.bpm = 128,
                  .chords = {{45, {57, 60, 64}}, {41, {57, 60, 65}}, {48, {55, 60, 64}}, {43, {55, 59, 62}}},
                  .arpeggio = kWalk,
                  .echoes = {{0.75, 0.22}, {1.5, 0.1}}};
    return PlayGroove(groove).ToPcm(kSongPeak);
}

const std::vector<SongRecipe>& GetSongRecipes()
{
    static const std::vector<SongRecipe> recipes = {
        {"Intro.ogg", MakeIntroLoop},
        {"Theme.ogg", MakeTheme},
        {"Infinity Fast.ogg", MakeInfinityFast},
        {"Rockfast.ogg", MakeRockfast},
        {"Water Fast.ogg", MakeWaterFast},
        {"SpaceRumble fast.ogg", [] { return MakeSpaceMix(SpaceMix::Full); }},
        {"Space/SpaceRumble norm.ogg", [] { return MakeSpaceMix(SpaceMix::Medium); }},
        {"Space/SpaceRumble slow.ogg", [] { return MakeSpaceMix(SpaceMix::Ambient); }},
    };
    return recipes;
}
