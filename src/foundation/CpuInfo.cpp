#include "foundation/CpuInfo.h"

#include <atomic>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace {

std::atomic<uint32_t> s_signature{0};

uint32_t ReadSignature()
{
#if defined(__x86_64__) || defined(__i386__)
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx))
        return eax & 0x3FFF;
#endif
    return 0;
}

} // namespace

bool CpuHasMmx()
{
    static const uint32_t s_read = [] {
        const uint32_t signature = ReadSignature();
        s_signature.store(signature);
        return signature;
    }();
    (void)s_read;
    return false;
}

uint32_t GetCpuSignature()
{
    return s_signature.load();
}

int GetCpuClass()
{
    return GetCpuClassForSignature(GetCpuSignature());
}

int GetCpuClassForSignature(uint32_t signature)
{
    const uint32_t family = signature >> 8 & 0xF;
    const uint32_t model = signature >> 4 & 0xF;
    switch (family) {
    case 0:
        return 6;
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
        return 1;
    case 6:
        switch (model) {
        case 1: return 2;
        case 3: return 3;
        case 5: return 4;
        case 7: return 5;
        default: return 6;
        }
    case 15:
        switch (model) {
        case 0: return 8;
        case 2: return 9;
        default: return 7;
        }
    default:
        return 6;
    }
}
