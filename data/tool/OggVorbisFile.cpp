#include "OggVorbisFile.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>

namespace {

// The encoder's state, released in the order libvorbis asks for.
struct Encoder
{
    vorbis_info info;
    vorbis_comment comment;
    vorbis_dsp_state dsp;
    vorbis_block block;
    ogg_stream_state stream;
    bool started = false;

    Encoder()
    {
        vorbis_info_init(&info);
        vorbis_comment_init(&comment);
    }
    ~Encoder()
    {
        if (started) {
            ogg_stream_clear(&stream);
            vorbis_block_clear(&block);
            vorbis_dsp_clear(&dsp);
        }
        vorbis_comment_clear(&comment);
        vorbis_info_clear(&info);
    }
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;
};

void AppendPage(std::vector<uint8_t>& bytes, const ogg_page& page)
{
    bytes.insert(bytes.end(), page.header, page.header + page.header_len);
    bytes.insert(bytes.end(), page.body, page.body + page.body_len);
}

} // namespace

std::vector<uint8_t> EncodeOggVorbis(const std::vector<int16_t>& samples, uint32_t sampleRate, int channels,
                                     float quality, int serial)
{
    std::vector<uint8_t> bytes;
    Encoder e;
    if (channels < 1 || vorbis_encode_init_vbr(&e.info, channels, static_cast<long>(sampleRate), quality) != 0)
        return bytes;
    vorbis_analysis_init(&e.dsp, &e.info);
    vorbis_block_init(&e.dsp, &e.block);
    ogg_stream_init(&e.stream, serial);
    e.started = true;

    ogg_packet identification, comments, codebooks, packet;
    vorbis_analysis_headerout(&e.dsp, &e.comment, &identification, &comments, &codebooks);
    ogg_stream_packetin(&e.stream, &identification);
    ogg_stream_packetin(&e.stream, &comments);
    ogg_stream_packetin(&e.stream, &codebooks);
    ogg_page page;
    // The headers on pages of their own, so that audio starts on a fresh page.
    while (ogg_stream_flush(&e.stream, &page))
        AppendPage(bytes, page);

    const size_t frames = samples.size() / static_cast<size_t>(channels);
    constexpr size_t kChunk = 1024;
    for (size_t done = 0;;) {
        // A chunk of 0 frames tells the encoder the stream has ended.
        const size_t n = std::min(kChunk, frames - done);
        if (n > 0) {
            float** buffer = vorbis_analysis_buffer(&e.dsp, static_cast<int>(n));
            for (size_t i = 0; i < n; ++i)
                for (int c = 0; c < channels; ++c)
                    buffer[c][i] = samples[(done + i) * static_cast<size_t>(channels) + static_cast<size_t>(c)] / 32768.0f;
        }
        vorbis_analysis_wrote(&e.dsp, static_cast<int>(n));
        done += n;
        while (vorbis_analysis_blockout(&e.dsp, &e.block) == 1) {
            vorbis_analysis(&e.block, nullptr);
            vorbis_bitrate_addblock(&e.block);
            while (vorbis_bitrate_flushpacket(&e.dsp, &packet)) {
                ogg_stream_packetin(&e.stream, &packet);
                while (ogg_stream_pageout(&e.stream, &page))
                    AppendPage(bytes, page);
            }
        }
        if (n == 0)
            break;
    }
    while (ogg_stream_flush(&e.stream, &page))
        AppendPage(bytes, page);
    return bytes;
}
