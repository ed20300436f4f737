// The renderer's choice: the environment's override, and which GL renderer strings name a
// rasteriser that runs on the processor.
#include "platform/RendererChoice.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

using namespace platform;

namespace {

TEST(RendererChoice, TheOverrideIsReadWithoutRegardToCase)
{
    const std::pair<const char*, RendererOverride> cases[] = {
        {nullptr, RendererOverride::Auto},          {"", RendererOverride::Auto},
        {"auto", RendererOverride::Auto},           {"opengl", RendererOverride::Auto},
        {"software", RendererOverride::Software},   {"SOFTWARE", RendererOverride::Software},
        {"gpu", RendererOverride::Accelerated},     {"Accelerated", RendererOverride::Accelerated},
        {"software ", RendererOverride::Auto},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(ParseRendererOverride(value), expected) << (value ? value : "(unset)");
}

TEST(RendererChoice, SoftwareRasterisersAreKnownByTheirRendererString)
{
    for (const char* software : {"llvmpipe (LLVM 15.0.6, 256 bits)", "Gallium 0.4 on softpipe", "Mesa DRI Intel swrast",
                                 "Software Rasterizer", "Apple Software Renderer", "GDI Generic",
                                 "Google SwiftShader", "LLVMPIPE"})
        EXPECT_TRUE(IsSoftwareRasterizer(software)) << software;
    for (const char* gpu : std::initializer_list<const char*>{"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", "AMD Radeon RX 6600 (radeonsi, navi23)",
                            "NVIDIA GeForce GTX 1080/PCIe/SSE2", "virgl", "", nullptr})
        EXPECT_FALSE(IsSoftwareRasterizer(gpu)) << (gpu ? gpu : "(null)");
}

TEST(RendererChoice, OnlyAReportOfARealAcceleratedRendererKeepsIt)
{
    // What the probe process writes, read back; a probe that died or hung reports nothing.
    const std::pair<std::string, bool> cases[] = {
        {MakeProbeReport(true, "opengl", "AMD Radeon RX 6600 (radeonsi, navi23)"), true},
        {MakeProbeReport(true, "opengl", "llvmpipe (LLVM 15.0.6, 256 bits)"), false},
        {MakeProbeReport(true, "opengles2", nullptr), true},
        {MakeProbeReport(false, "opengl", "AMD Radeon"), false},
        {"", false},
        {"gl", false},
        {"garbage", false},
    };
    for (const auto& [report, keeps] : cases)
        EXPECT_EQ(ProbeReportKeepsAccelerated(report), keeps) << report;
}

} // namespace
