#include "foundation/Crc32.h"

#include <array>

namespace {

constexpr std::array<uint32_t, 256> MakeCrcTable()
{
    std::array<uint32_t, 256> table{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1) ? (0xEDB88320u ^ (c >> 1)) : (c >> 1);
        table[i] = c;
    }
    return table;
}

constexpr std::array<uint32_t, 256> s_crcTable = MakeCrcTable();

} // namespace

uint32_t Crc32Update(uint32_t running, const void* bytes, size_t n)
{
    const auto* p = static_cast<const uint8_t*>(bytes);
    for (size_t i = 0; i < n; ++i)
        running = s_crcTable[(running ^ p[i]) & 0xFF] ^ (running >> 8);
    return running;
}

uint32_t Crc32End(uint32_t running)
{
    return ~running;
}

uint32_t Crc32(const void* bytes, size_t n)
{
    if (n == 0)
        return 0;
    return Crc32End(Crc32Update(0xFFFFFFFFu, bytes, n));
}
