#pragma once
// A mono track that notes are mixed into, then turned into 16-bit samples: the instrument for
// the data set's sounds and music. Each note is an oscillator with a pitch glide, an envelope
// (linear attack, exponential decay while held, linear release) and a one-pole low-pass filter.
// Noise comes from a generator of the track's own, so the same notes always give the same samples.
//
// The rule a caller must know: in a looping track a note that runs past the end goes on from
// the start, so that the track repeats without a seam.
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

enum class Waveform
{
    Sine,
    Triangle,
    Square,
    Saw,
    Noise,
};

struct Note
{
    double start = 0;         // seconds into the track
    double length = 0.1;      // seconds held before the release
    double frequency = 440;   // Hz at the start
    double endFrequency = 0;  // Hz reached at the end of the length (0: no glide)
    Waveform wave = Waveform::Sine;
    double volume = 0.5;      // peak amplitude, 1 is full scale
    double attack = 0.002;    // seconds
    double decay = 0;         // time constant of the fall while held, seconds (0: none)
    double release = 0.02;    // seconds of fade to silence after the length
    double brightness = 1;    // low-pass: 1 passes everything, towards 0 ever duller
};

// The frequency of a MIDI note number (69 is the A of 440 Hz).
double MidiFrequency(int note);

class CSynthTrack
{
public:
    static constexpr uint32_t kSampleRate = 22050;

    CSynthTrack(double seconds, bool loops);

    void Play(const Note& note);
    // Adds each sample's echoes: copies delayed by each of the delays, at the given levels.
    void AddEchoes(const std::vector<std::pair<double, double>>& delaysAndLevels);
    // Below this a one-shot track's content counts as offset (Hz): the lowest note of the data
    // set, the kick's glide, ends at 45 Hz.
    static constexpr double kOffsetCutoff = 20.0;

    // The track without offset, scaled so that its loudest sample reaches peak (of full scale),
    // as 16-bit samples. A mix of such tracks stays centred on silence.
    std::vector<int16_t> ToPcm(double peak) const;
    // The loudest sample's magnitude before scaling, without offset.
    double GetPeak() const;
    size_t GetSampleCount() const { return m_samples.size(); }

private:
    double NextNoise();
    // The samples without a constant offset: a looping track loses its mean, a one-shot goes
    // through a high-pass at kOffsetCutoff.
    std::vector<double> GetCentred() const;

    std::vector<double> m_samples;
    bool m_loops;
    uint32_t m_noise = 0x2545F491u;
};
