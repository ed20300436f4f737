#pragma once
// CRC-32 as zip and ISO-HDLC use it (reflected polynomial 0xEDB88320).
#include <cstddef>
#include <cstdint>

// Feeds bytes to a running value that starts at 0xFFFFFFFF.
uint32_t Crc32Update(uint32_t running, const void* bytes, size_t n);
// The final CRC of a running value: its complement.
uint32_t Crc32End(uint32_t running);
// The CRC of a buffer in one call (0 for n = 0).
uint32_t Crc32(const void* bytes, size_t n);
