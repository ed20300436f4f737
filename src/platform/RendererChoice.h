#pragma once
// Which renderer shows the pages: a GPU's renderer scales the page for next to nothing, but a GL
// that rasterises on the processor (Mesa's llvmpipe under a virtual X server, for one) costs several
// times what SDL's own software renderer does, and drags its window surface through GL as well.
// The choice is made from what the machine has, unless the environment says otherwise:
//   VANTOREL_RENDERER=software   SDL's software renderer, the window surface without GL
//   VANTOREL_RENDERER=gpu        SDL's accelerated renderer, whatever rasterises it
//   VANTOREL_RENDERER=auto       (or unset) the accelerated one unless its GL is a software one
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

} // namespace platform
