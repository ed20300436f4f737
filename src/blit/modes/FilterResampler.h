#pragma once
// The separable cubic resampler of the filtered scaling blend mode: scales a whole 16-bit 5-6-5
// image to another size, first along the rows into an intermediate image (destination width x
// source height), then down its columns. The filter is Mitchell-Netravali with B = C = 1/3
// (support 2, widened by the reduction factor when shrinking); every output channel is the sum,
// in double precision, of its contributors' channels times their weights, packed back through
// tables that round and clamp. The contributor lists of each axis are kept and rebuilt only when
// that axis's sizes change. Edges are mirrored.
//
// The rule a caller must know: weights are not normalised, and each pass unpacks channels to
// their 8-bit places (0..248, 0..252) while packing scales by 31/255 and 63/255, so even a 1:1
// resample blurs slightly and takes a step off bright channels (white becomes 0xEFBD).
#include <cstdint>
#include <vector>

class CFrameInterface;

struct FilterContributor
{
    int32_t sourceIndex; // always inside the source
    float weight;
};
using FilterContributorList = std::vector<FilterContributor>;

class CFilterResampler
{
public:
    CFilterResampler();

    // Fills the whole destination with the whole source scaled to the destination's size. Nothing
    // is written unless both are plain 16-bit frames with pixels and neither is empty.
    void Resample(CFrameInterface* destination, CFrameInterface* source);

    // The lists of one axis for outputSize outputs from sourceSize pixels, scale = outputSize /
    // sourceSize: per output i, the source pixels j from ceil(c - r) to floor(c + r), c = i / scale,
    // r = 2 (enlarging or equal) or 2 / scale (shrinking), weighted by Filter(c - j) or
    // Filter((c - j) * scale) * scale; indexes before the start or past the end are mirrored
    // (-j, 2n - j - 1) and then held inside the source. Nothing for a size of 0.
    void BuildHorizontalContributors(uint32_t sourceSize, uint32_t outputSize, float scale);
    void BuildVerticalContributors(uint32_t sourceSize, uint32_t outputSize, float scale);
    const std::vector<FilterContributorList>& GetHorizontalContributors() const { return m_horizontal.lists; }
    const std::vector<FilterContributorList>& GetVerticalContributors() const { return m_vertical.lists; }
    // How often each axis's lists have been built.
    uint32_t GetHorizontalBuildCount() const { return m_horizontal.builds; }
    uint32_t GetVerticalBuildCount() const { return m_vertical.builds; }

    // The Mitchell-Netravali cubic (B = C = 1/3) at distance t: 0 from |t| = 2 on.
    static float Filter(double t);
    // The resampler the blit routines share, made on first use.
    static CFilterResampler& GetShared();

private:
    struct Axis
    {
        std::vector<FilterContributorList> lists;
        float scale = 0.0f;
        uint32_t outputSize = 0;
        uint32_t sourceSize = 0;
        uint32_t builds = 0;

        bool Matches(uint32_t source, uint32_t output, float s) const
        {
            return s == scale && output == outputSize && source == sourceSize;
        }
    };
    static void BuildContributors(Axis& axis, uint32_t sourceSize, uint32_t outputSize, float scale);

    Axis m_horizontal;
    Axis m_vertical;
    std::vector<uint16_t> m_intermediate; // destination width x source height
};
