#pragma once
// An animation: frames in order (an entry may be null) with a frame rate, a blit type chosen by
// name, a render offset and the options that steer how its images are processed when loaded.
// Sequences are the items of the "Sequences" collection; a sprite draws the frame its sequence
// picks for the present time, or for a fraction of the animation, through the sequence's blitter.
//
// On disk a sequence "<group>/<name>" is its "Properties.txt" in the folder "<group>/-<name>", a
// source image "Cache/<group>/<name>.Sequence" that holds every frame side by side under a
// header, and a cache of the frames converted for one display depth. Load reads the cache while
// it carries the source's time stamp, and otherwise rebuilds it from the source.
//
// The one rule: the sequence owns its frames; a frame handed out stays valid until the sequence
// is loaded again, reset, or destroyed.
#include "graphics/IntRect.h"
#include "objects/Object.h"

#include <cstdint>
#include <vector>

class CBlitter;
class CFrame;
class CFrameLoadStage;
class CSharedString;

// What SaveSourceImage records besides the frames.
struct CSequenceSourceOptions
{
    bool m_wasRunLength = true; // the rebuilt frames are run-length encoded
    bool m_lossless = false;    // the strip's source record: lossless, or JPEG colours when smaller
    uint32_t m_quality = 65;    // JPEG quality of the lossy record
};

class CSequence : public CObject
{
    DECLARE_CLASS_RECORD(CSequence)

    // Load-flag bits ("Load/..." and "Image/Loss Less").
    static constexpr uint32_t kCenterHotSpot = 0x1;
    static constexpr uint32_t kBlendedWithBlack = 0x2;
    static constexpr uint32_t kCropColor0 = 0x4;
    static constexpr uint32_t kUse8BitAlpha = 0x8;
    static constexpr uint32_t kDoDither = 0x10;
    static constexpr uint32_t kLossLess = 0x20;
    static constexpr uint32_t kNoBlitType = 0xFFFFFFFFu;

    CSequence();
    ~CSequence() override;

    // Reads the depth cache named for the stage list's depth (the display's without a list).
    // False, with no frames, when it is missing, stale (another class version) or damaged.
    virtual bool LoadCached(const char* folder, const char* name, const CFrameLoadStage* stages = nullptr);
    // Moves every frame's top-left corner by (-dx, -dy); nothing when both are 0.
    virtual void ApplyOffset(int32_t dx, int32_t dy);
    // Null past the last frame.
    virtual CFrame* GetFrame(uint32_t i) const;
    // The frame for the present time: the 24-bit tick count times the rate, so that sequences of
    // one rate run in step. Null without frames.
    virtual CFrame* GetCurrentFrame() const;
    // Frame floor(count x fraction): the last one from 1.0 on, the first for fractions below 0.
    // Null without frames.
    virtual CFrame* GetFrameAtFraction(float fraction) const;
    virtual uint32_t GetFrameCount() const;
    virtual float GetFramesPerSecond() const;
    // Applies the render offset to the frames, then takes the union of their bounds.
    virtual void ComputeBounds();
    // Rebuilds the frames from "Cache/<folder>/<name>.Sequence" and rewrites the depth cache,
    // stamped with the source's time. False, with no frames, when the source is missing, its
    // header damaged or a frame's rectangle reaches outside the strip (a damaged strip gives null
    // frames).
    virtual bool BuildFromSource(const char* folder, const char* name, const CFrameLoadStage* stages = nullptr);
    // Writes "Cache/<folder>/<name>.Sequence": the header, then every frame drawn into one 32-bit
    // strip. Frames must be plain 32-bit until the copy blitter converts depths. False, leaving
    // any old file as it was, when no frame has pixels or the file cannot be written.
    virtual bool SaveSourceImage(const char* folder, const char* name, const CSequenceSourceOptions& options);
    // The depth cache while it is current, else the source (with compressed caches on); the
    // cache alone with them off. False when neither gives the frames.
    virtual bool Load(const char* folder, const char* name, const CFrameLoadStage* stages);

    // The older line "Load Black Bias=n": a non-zero n selects "Blend Black Bias".
    void ReadCustomProperties(const char* label, const char* value, CObjectTextStream& stream) override;
    // The bounds, then per frame a byte 1 and its frame block, or a byte 0 for a missing or empty one.
    bool WriteCustomBinary(CVirtualFile& stream) const override;
    bool ReadCustomBinary(CVirtualFile& stream) override;
    uint32_t GetObjectSize() const override;
    // The defaults of the properties; the frames go with the frame count.
    void SetPropertiesToDefaults() override;

    // The blit-type list's blend mode at the blit-type index; null for none.
    CBlitter* GetBlitter() const;
    // Appends the frame (taken over; null stands for a missing frame) after running the stage
    // list over it, and recomputes the bounds without the offset.
    void AddFrame(CFrame* frame, CFrameLoadStage* stages = nullptr);
    void FreeFrames();

    // The extension of the files that name sequences at start-up: "SEQUENCE" (source images) with
    // compressed caches, else the cache extension of the display depth; null for other depths.
    static const char* GetCacheExtension();
    // The depth cache "Cache/<folder>/..." of the stage list's depth (the display's without a
    // list): "<name>.seq", "-<name>.seq16" ("<name>.seq16" with compressed caches off),
    // "-<name>.seq24", "-<name>.seq32", the "-" before the name's last component. False, with an
    // empty name, for other depths.
    static bool GetCacheFileName(CSharedString& out, const char* folder, const char* name,
                                 const CFrameLoadStage* stages);
    static void GetSourceFileName(CSharedString& out, const char* folder, const char* name);
    // "<folder>/-<name>/Properties.txt", the "-" before the name's last component.
    static void GetPropertiesFileName(CSharedString& out, const char* folder, const char* name);
    // Writes the binary form; false when the file cannot be created or did not take every byte.
    bool SaveCache(const char* path) const;

    // Reads the properties (after a reset, which drops the frames) from the sequence's
    // "Properties.txt"; a missing file is created with the defaults, and one that can be neither
    // read nor created ends the program ("Can't Read Or Save Properties").
    void ReadProperties(const char* folder, const char* name);
    // Writes the sequence's "Properties.txt"; false when it cannot be written.
    bool SaveProperties(const char* folder, const char* name) const;
    // Fills list (a head) with the stages that build this sequence's frames from images: the
    // given list, or the sequences' default (alpha threshold, crop, un-premultiply, depth
    // conversion, run-length encoding), adjusted by the load flags and the blit type.
    void GetLoadStages(CFrameLoadStage& list, const CFrameLoadStage* given) const;

    const CIntRect& GetBounds() const { return m_bounds; }
    uint32_t GetLoadFlags() const { return m_loadFlags; }
    void SetLoadFlags(uint32_t flags) { m_loadFlags = flags; }
    uint32_t GetBlitTypeIndex() const { return m_blitType; }
    void SetBlitTypeIndex(uint32_t index) { m_blitType = index; }
    // The blit type by name; false, with the type unchanged, for a name the list lacks.
    bool SetBlitTypeByName(const char* name);
    void SetFramesPerSecond(float rate) { m_framesPerSecond = rate; }
    int32_t GetXOffset() const { return m_xOffset; }
    int32_t GetYOffset() const { return m_yOffset; }
    // Move the frames from the old offset to the new one and recompute the bounds.
    void SetXOffset(int32_t offset);
    void SetYOffset(int32_t offset);
    uint32_t GetQuality() const { return m_quality; }

protected:
    // The union of the frames' bounds as they are.
    void RecomputeBounds();
    // Frames and frame count agree again after the frames changed.
    void SyncFrameCount() { m_frameCount = static_cast<uint32_t>(m_frames.size()); }

    std::vector<CFrame*> m_frames;
    CIntRect m_bounds;
    uint32_t m_loadFlags = kCenterHotSpot;
    uint32_t m_blitType = kNoBlitType;
    float m_framesPerSecond = 15.0f;
    uint32_t m_frameCount = 0;
    int32_t m_xOffset = 0;
    int32_t m_yOffset = 0;
    uint32_t m_quality = 65;
};
