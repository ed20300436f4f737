#pragma once
// Ogg Vorbis files made with libvorbisenc, as the sound layer streams them. The same samples,
// quality and serial number always give the same bytes (the encoder has no randomness, and the
// comment header carries nothing but the library's vendor text).
#include <cstdint>
#include <vector>

// The samples (interleaved when there are two channels) encoded at a variable bit rate of the
// quality (-0.1 to 1.0) as one logical stream with that serial number. Empty when the encoder
// refuses the format or the quality.
std::vector<uint8_t> EncodeOggVorbis(const std::vector<int16_t>& samples, uint32_t sampleRate, int channels,
                                     float quality, int serial);
