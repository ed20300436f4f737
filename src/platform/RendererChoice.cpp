#include "platform/RendererChoice.h"

#include <cctype>
#include <string>

namespace platform {

namespace {

std::string Lower(const char* text)
{
    std::string lower;
    for (const char* c = text; *c; ++c)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
    return lower;
}

} // namespace

RendererOverride ParseRendererOverride(const char* value)
{
    if (!value)
        return RendererOverride::Auto;
    const std::string name = Lower(value);
    if (name == "software")
        return RendererOverride::Software;
    if (name == "gpu" || name == "accelerated")
        return RendererOverride::Accelerated;
    return RendererOverride::Auto;
}

bool IsSoftwareRasterizer(const char* glRenderer)
{
    if (!glRenderer)
        return false;
    const std::string name = Lower(glRenderer);
    // Mesa's llvmpipe, softpipe and swrast, Microsoft's and Apple's fall-backs, SwiftShader.
    for (const char* known : {"llvmpipe", "softpipe", "swrast", "software rasterizer", "software renderer",
                              "gdi generic", "swiftshader", "lavapipe"})
        if (name.find(known) != std::string::npos)
            return true;
    return false;
}

std::string MakeProbeReport(bool made, const char* driverName, const char* glRenderer)
{
    if (!made)
        return "none";
    if (glRenderer)
        return std::string("gl ") + glRenderer;
    return std::string("other ") + (driverName ? driverName : "");
}

bool ProbeReportKeepsAccelerated(const std::string& report)
{
    if (report.rfind("gl ", 0) == 0)
        return !IsSoftwareRasterizer(report.c_str() + 3);
    return report.rfind("other ", 0) == 0;
}

} // namespace platform
