#pragma once
// RIFF WAVE files of 16-bit PCM, as the sound layer reads them.
#include <cstdint>
#include <vector>

// The samples (interleaved when there are two channels) as a WAVE file of the rate.
std::vector<uint8_t> EncodeWave16(const std::vector<int16_t>& samples, uint32_t sampleRate, uint16_t channels);
