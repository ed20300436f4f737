#pragma once
// The processor class and the MMX test that choose between pixel kernels.
#include <cstdint>

// Reads the processor signature once (CPUID leaf 1) and caches it. Always false: the pixel
// kernels exist only in their plain form, so the blend modes must never pick MMX routines.
bool CpuHasMmx();
// Processor class 1 to 9 from the signature cached by the first CpuHasMmx (class 6 before it).
int GetCpuClass();
// The class of a signature (family in bits 8-11, model in bits 4-7).
int GetCpuClassForSignature(uint32_t signature);
// The cached signature (CPUID leaf 1, EAX, low 14 bits), 0 before the first CpuHasMmx or where
// there is no CPUID.
uint32_t GetCpuSignature();
