#pragma once
// Which renderer shows the pages: a GPU's renderer scales the page for next to nothing, but a GL
// that rasterises on the processor (Mesa's llvmpipe under a virtual X server, for one) costs several
// times what SDL's own software renderer does, and drags its window surface through GL as well.
// The choice is made from what the machine has, unless the environment says otherwise:
//   VANTOREL_RENDERER=software   SDL's software renderer, the window surface without GL
//   VANTOREL_RENDERER=gpu        SDL's accelerated renderer, whatever rasterises it
//   VANTOREL_RENDERER=auto       (or unset) the accelerated one unless its GL is a software one
// The automatic choice tries the accelerated renderer in a short-lived process of its own, which
// reports what it found (a probe report): a GL once loaded keeps its library and its rasteriser's
// threads for the life of the process, so the game never loads one it will not draw with.
#include <string>

namespace platform {

enum class RendererOverride
{
    Auto,
    Software,
    Accelerated,
};

// The override an environment value names; anything else (unset, empty, unknown) is Auto.
RendererOverride ParseRendererOverride(const char* value);

// Whether GL's renderer string (glGetString(GL_RENDERER)) names a rasteriser that runs on the
// processor; false for null.
bool IsSoftwareRasterizer(const char* glRenderer);

// A probe report: "none" when no accelerated renderer could be made; "gl " and GL's renderer
// string for a GL renderer; "other " and the driver's name for any other.
std::string MakeProbeReport(bool made, const char* driverName, const char* glRenderer);

// Whether a probe report speaks for the accelerated renderer: one was made and it is not a GL
// rasterising on the processor. A report that is empty or unreadable (the probe died or hung)
// does not.
bool ProbeReportKeepsAccelerated(const std::string& report);

} // namespace platform
