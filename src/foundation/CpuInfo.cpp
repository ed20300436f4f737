#include "foundation/CpuInfo.h"

#include <atomic>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace {

std::atomic<uint32_t> s_signature{0};
// -1: answer from the processor; 0 or 1: the test override.
std::atomic<int> s_mmxOverride{-1};

struct CpuProbe
{
    uint32_t signature = 0;
    bool mmx = false;
};

CpuProbe ReadProcessor()
{
    CpuProbe probe;
#if defined(__x86_64__) || defined(__i386__)
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx)) {
        probe.signature = eax & 0x3FFF;
        probe.mmx = (edx >> 23 & 1) != 0;
    }
#endif
    return probe;
}

} // namespace

bool CpuHasMmx()
{
    static const bool s_mmx = [] {
        const CpuProbe probe = ReadProcessor();
        s_signature.store(probe.signature);
        return probe.mmx;
    }();
    const int answer = s_mmxOverride.load();
    return answer < 0 ? s_mmx : answer != 0;
}

void OverrideCpuHasMmx(std::optional<bool> answer)
{
    s_mmxOverride.store(answer ? (*answer ? 1 : 0) : -1);
}

bool CpuHasAvx2()
{
#if defined(__x86_64__) || defined(__i386__)
    // The compiler's probe also checks that the operating system saves the wide registers.
    // It may be asked during static initialisation, before the runtime has read the processor.
    static const bool s_avx2 = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return s_avx2;
#else
    return false;
#endif
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
