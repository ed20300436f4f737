#include "ImaAdpcmWave.h"

#include "foundation/ByteOrder.h"
#include "platform/ImaAdpcmDecoder.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr uint32_t kBlockBytes = 256;
constexpr uint32_t kHeaderBytes = 4;
constexpr uint32_t kBlockSamples = 1 + (kBlockBytes - kHeaderBytes) * 2;   // 505

void AppendChunk(std::vector<uint8_t>& file, const char* id, const std::vector<uint8_t>& body)
{
    uint8_t header[8];
    std::memcpy(header, id, 4);
    StoreU32Le(header + 4, static_cast<uint32_t>(body.size()));
    file.insert(file.end(), header, header + 8);
    file.insert(file.end(), body.begin(), body.end());
}

// One block from first on; samples past the end repeat the last one. index carries from block
// to block, as the encoder's step adapts across them.
void EncodeBlock(const std::vector<int16_t>& samples, size_t first, int& index, uint8_t* block)
{
    auto sampleAt = [&samples](size_t i) { return samples[i < samples.size() ? i : samples.size() - 1]; };
    int value = sampleAt(first);
    StoreU16Le(block, static_cast<uint16_t>(value));
    block[2] = static_cast<uint8_t>(index);
    block[3] = 0;
    std::memset(block + kHeaderBytes, 0, kBlockBytes - kHeaderBytes);
    for (uint32_t n = 0; n + 1 < kBlockSamples; ++n) {
        const int target = sampleAt(first + 1 + n);
        int bestCode = 0, bestValue = value, bestIndex = index, bestError = -1;
        for (int code = 0; code < 16; ++code) {
            int v = value, i = index;
            platform::ImaAdpcmDecoder::ApplyCode(code, v, i);
            const int error = std::abs(v - target);
            if (bestError < 0 || error < bestError) {
                bestCode = code;
                bestValue = v;
                bestIndex = i;
                bestError = error;
            }
        }
        value = bestValue;
        index = bestIndex;
        // Mono: sample n of the block's codes lies in byte n / 2, low nibble first.
        block[kHeaderBytes + n / 2] |= static_cast<uint8_t>((n & 1) ? bestCode << 4 : bestCode);
    }
}

} // namespace

std::vector<uint8_t> EncodeImaAdpcmWave(const std::vector<int16_t>& samples, uint32_t sampleRate)
{
    const size_t blocks = (samples.size() + kBlockSamples - 1) / kBlockSamples;
    std::vector<uint8_t> data(blocks * kBlockBytes);
    int index = 0;
    for (size_t b = 0; b < blocks; ++b)
        EncodeBlock(samples, b * kBlockSamples, index, data.data() + b * kBlockBytes);

    std::vector<uint8_t> format(20);
    StoreU16Le(&format[0], 0x11);
    StoreU16Le(&format[2], 1);
    StoreU32Le(&format[4], sampleRate);
    StoreU32Le(&format[8], sampleRate * kBlockBytes / kBlockSamples);
    StoreU16Le(&format[12], kBlockBytes);
    StoreU16Le(&format[14], 4);
    StoreU16Le(&format[16], 2);   // the extra bytes: samples per block
    StoreU16Le(&format[18], kBlockSamples);
    std::vector<uint8_t> fact(4);
    StoreU32Le(fact.data(), static_cast<uint32_t>(samples.size()));

    std::vector<uint8_t> file = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    AppendChunk(file, "fmt ", format);
    AppendChunk(file, "fact", fact);
    AppendChunk(file, "data", data);
    StoreU32Le(&file[4], static_cast<uint32_t>(file.size() - 8));
    return file;
}
