#pragma once
// The processor class and the feature tests that choose between pixel kernels. The first
// CpuHasMmx reads the processor once (CPUID leaf 1) and caches what it found.
#include <cstdint>
#include <optional>

// True when the processor reports MMX (CPUID leaf 1, EDX bit 23): every x86-64 processor does.
// False where there is no CPUID, or while a test override says so.
bool CpuHasMmx();
// Makes CpuHasMmx answer the given value instead of the processor (std::nullopt: the processor
// again), so that tests can construct blend modes that pick their plain routines.
void OverrideCpuHasMmx(std::optional<bool> answer);
// True when the processor and the operating system support AVX2 (false off x86).
bool CpuHasAvx2();
// Processor class 1 to 9 from the signature cached by the first CpuHasMmx (class 6 before it).
int GetCpuClass();
// The class of a signature (family in bits 8-11, model in bits 4-7).
int GetCpuClassForSignature(uint32_t signature);
// The cached signature (CPUID leaf 1, EAX, low 14 bits), 0 before the first CpuHasMmx or where
// there is no CPUID.
uint32_t GetCpuSignature();
