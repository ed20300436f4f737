#pragma once
// RIFF WAVE files of IMA ADPCM (format tag 0x11), mono, in the layout sox writes: blocks of 256
// bytes, each a header (the first sample and the step index) and 504 coded samples, and a "fact"
// chunk with the count of samples.
#include <cstdint>
#include <vector>

// The samples coded block by block; each code is the one whose decoded sample comes closest.
std::vector<uint8_t> EncodeImaAdpcmWave(const std::vector<int16_t>& samples, uint32_t sampleRate);
