#include "SynthTrack.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTwoPi = 6.283185307179586;

// The note's loudness t seconds after its start; 0 once it has faded.
double Envelope(const Note& note, double t)
{
    auto held = [&note](double at) {
        const double rise = note.attack > 0 ? std::min(1.0, at / note.attack) : 1.0;
        const double fall = note.decay > 0 && at > note.attack ? std::exp(-(at - note.attack) / note.decay) : 1.0;
        return rise * fall;
    };
    if (t < note.length)
        return held(t);
    if (note.release <= 0 || t >= note.length + note.release)
        return 0;
    return held(note.length) * (1 - (t - note.length) / note.release);
}

double Oscillator(Waveform wave, double phase, double noise)
{
    switch (wave) {
    case Waveform::Sine:
        return std::sin(kTwoPi * phase);
    case Waveform::Triangle:
        return phase < 0.5 ? 4 * phase - 1 : 3 - 4 * phase;
    case Waveform::Square:
        return phase < 0.5 ? 1 : -1;
    case Waveform::Saw:
        return 2 * phase - 1;
    case Waveform::Noise:
        return noise;
    }
    return 0;
}

} // namespace

double MidiFrequency(int note)
{
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

CSynthTrack::CSynthTrack(double seconds, bool loops)
    : m_samples(static_cast<size_t>(std::lround(std::max(0.0, seconds) * kSampleRate)), 0.0), m_loops(loops)
{
}

double CSynthTrack::NextNoise()
{
    m_noise = m_noise * 1664525u + 1013904223u;
    return static_cast<double>(m_noise >> 8) / 8388608.0 - 1.0;
}

void CSynthTrack::Play(const Note& note)
{
    if (m_samples.empty())
        return;
    const size_t count = m_samples.size();
    const size_t first = static_cast<size_t>(std::lround(note.start * kSampleRate));
    const size_t span = static_cast<size_t>(std::ceil((note.length + note.release) * kSampleRate));
    const double glide = note.endFrequency > 0 ? std::log(note.endFrequency / note.frequency) : 0.0;
    double phase = 0;
    double filtered = 0;
    for (size_t i = 0; i < span; ++i) {
        size_t at = first + i;
        if (at >= count) {
            if (!m_loops)
                break;
            at %= count;
        }
        const double t = static_cast<double>(i) / kSampleRate;
        const double raw = Oscillator(note.wave, phase, note.wave == Waveform::Noise ? NextNoise() : 0.0);
        filtered += note.brightness * (raw - filtered);
        m_samples[at] += filtered * note.volume * Envelope(note, t);
        const double progress = note.length > 0 ? std::min(1.0, t / note.length) : 1.0;
        const double frequency = note.frequency * std::exp(glide * progress);
        phase += frequency / kSampleRate;
        phase -= std::floor(phase);
    }
}

void CSynthTrack::AddEchoes(const std::vector<std::pair<double, double>>& delaysAndLevels)
{
    const std::vector<double> dry = m_samples;
    const size_t count = dry.size();
    for (const auto& [delay, level] : delaysAndLevels) {
        const size_t shift = static_cast<size_t>(std::lround(delay * kSampleRate));
        for (size_t i = 0; i < count; ++i) {
            if (i < shift && !m_loops)
                continue;
            m_samples[i] += level * dry[(i + count - shift % count) % count];
        }
    }
}

std::vector<double> CSynthTrack::GetCentred() const
{
    std::vector<double> centred = m_samples;
    if (centred.empty())
        return centred;
    if (m_loops) {
        // A loop has no silent ends to keep: its mean goes, and it still repeats without a seam.
        double sum = 0;
        for (double s : centred)
            sum += s;
        const double mean = sum / static_cast<double>(centred.size());
        for (double& s : centred)
            s -= mean;
        return centred;
    }
    // A one-shot keeps its silent start and settles back to silence at its end: a one-pole
    // high-pass at kOffsetCutoff takes out the offset and passes every note of the data set.
    const double pole = std::exp(-kTwoPi * kOffsetCutoff / kSampleRate);
    double previousIn = 0, previousOut = 0;
    for (double& s : centred) {
        const double out = s - previousIn + pole * previousOut;
        previousIn = s;
        previousOut = out;
        s = out;
    }
    return centred;
}

double CSynthTrack::GetPeak() const
{
    double loudest = 0;
    for (double s : GetCentred())
        loudest = std::max(loudest, std::fabs(s));
    return loudest;
}

std::vector<int16_t> CSynthTrack::ToPcm(double peak) const
{
    const std::vector<double> centred = GetCentred();
    double loudest = 0;
    for (double s : centred)
        loudest = std::max(loudest, std::fabs(s));
    const double scale = loudest > 0 ? peak * 32767.0 / loudest : 0.0;
    std::vector<int16_t> pcm(centred.size());
    for (size_t i = 0; i < centred.size(); ++i)
        pcm[i] = static_cast<int16_t>(std::clamp(std::lround(centred[i] * scale), -32767l, 32767l));
    return pcm;
}
