#include "SoundTestSupport.h"

#include "OggVorbisFile.h"

#include <vorbis/vorbisfile.h>

#include <cmath>
#include <cstdio>

namespace soundtest {

std::vector<int16_t> TestSignal(int channels, int frames, uint32_t seed)
{
    std::vector<int16_t> samples;
    uint32_t noise = seed | 1;
    for (int f = 0; f < frames; ++f)
        for (int c = 0; c < channels; ++c) {
            noise = noise * 1664525u + 1013904223u;
            const double t = f / 22050.0;
            double value = 12000 * std::sin(2 * M_PI * (440 + 110 * c) * t) +
                           8000 * std::sin(2 * M_PI * (50 + 4000 * t) * t) +
                           static_cast<double>(static_cast<int32_t>(noise) >> 20);
            // A short burst at full scale, so the codecs reach their limits.
            if (f % 1500 < 40)
                value = (f % 2) ? 32767 : -32768;
            samples.push_back(static_cast<int16_t>(std::lround(std::max(-32768.0, std::min(32767.0, value)))));
        }
    return samples;
}

std::string EncodeOgg(int channels, int rate, const std::vector<int16_t>& samples)
{
    const std::vector<uint8_t> bytes = EncodeOggVorbis(samples, static_cast<uint32_t>(rate), channels, 0.3f, 7);
    return std::string(bytes.begin(), bytes.end());
}

std::string DecodeOggFile(const std::string& path)
{
    std::string pcm;
    OggVorbis_File file;
    if (ov_fopen(path.c_str(), &file) != 0)
        return pcm;
    char buffer[4096];
    int stream = 0;
    for (long got; (got = ov_read(&file, buffer, sizeof(buffer), 0, 2, 1, &stream)) != 0;)
        if (got > 0)
            pcm.append(buffer, static_cast<size_t>(got));
    ov_clear(&file);
    return pcm;
}

bool HaveTool(const char* tool)
{
    return testsupport::RunCommand(std::string("command -v ") + tool + " >/dev/null 2>&1") == 0;
}

bool EncodeOggChain(const testsupport::TempDir& dir, const std::vector<OggLink>& links, std::string& chained,
                    std::string& decoded)
{
    if (!HaveTool("oggenc") || !HaveTool("oggdec"))
        return false;
    chained.clear();
    decoded.clear();
    for (size_t i = 0; i < links.size(); ++i) {
        const OggLink& link = links[i];
        const std::string name = dir / ("link" + std::to_string(i));
        testsupport::WriteFileBytes(name + ".wav", WaveBytes(link.channels, 16, link.rate,
                                                             Pcm16(TestSignal(link.channels, link.frames, 11 + i))));
        if (testsupport::RunCommand("oggenc -Q -s " + std::to_string(100 + i) + " '" + name + ".wav' -o '" + name +
                                    ".ogg' && oggdec -Q -R -o '" + name + ".raw' '" + name + ".ogg'") != 0)
            return false;
        chained += testsupport::ReadFileBytes(name + ".ogg");
        decoded += testsupport::ReadFileBytes(name + ".raw");
    }
    return true;
}

std::string ReadAll(CWaveSource& source, uint32_t piece)
{
    std::string pcm;
    std::string buffer(piece, '\0');
    for (uint32_t got; (got = source.Read(buffer.data(), piece)) > 0;)
        pcm.append(buffer, 0, got);
    return pcm;
}

} // namespace soundtest
