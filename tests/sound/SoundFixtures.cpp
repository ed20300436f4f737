#include "SoundTestSupport.h"

#include <vorbis/vorbisenc.h>
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
    std::string bytes;
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, rate, 0.3f) != 0) {
        vorbis_info_clear(&info);
        return bytes;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 7);
    ogg_page page;
    ogg_packet packet, commentPacket, codePacket;
    vorbis_analysis_headerout(&dsp, &comment, &packet, &commentPacket, &codePacket);
    ogg_stream_packetin(&stream, &packet);
    ogg_stream_packetin(&stream, &commentPacket);
    ogg_stream_packetin(&stream, &codePacket);
    auto append = [&bytes](const ogg_page& p) {
        bytes.append(reinterpret_cast<const char*>(p.header), static_cast<size_t>(p.header_len));
        bytes.append(reinterpret_cast<const char*>(p.body), static_cast<size_t>(p.body_len));
    };
    while (ogg_stream_flush(&stream, &page))
        append(page);
    const size_t frames = samples.size() / static_cast<size_t>(channels);
    for (size_t done = 0;;) {
        const int n = static_cast<int>(std::min<size_t>(1024, frames - done));
        if (n > 0) {
            float** buffer = vorbis_analysis_buffer(&dsp, n);
            for (int i = 0; i < n; ++i)
                for (int c = 0; c < channels; ++c)
                    buffer[c][i] = samples[(done + static_cast<size_t>(i)) * static_cast<size_t>(channels) +
                                           static_cast<size_t>(c)] / 32768.0f;
        }
        vorbis_analysis_wrote(&dsp, n);
        done += static_cast<size_t>(n);
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page))
                    append(page);
            }
        }
        if (n == 0)
            break;
    }
    while (ogg_stream_flush(&stream, &page))
        append(page);
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return bytes;
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

std::string ReadAll(CWaveSource& source, uint32_t piece)
{
    std::string pcm;
    std::string buffer(piece, '\0');
    for (uint32_t got; (got = source.Read(buffer.data(), piece)) > 0;)
        pcm.append(buffer, 0, got);
    return pcm;
}

} // namespace soundtest
