#pragma once
// A load-processing stage, and the head of a list of them. A freshly decoded image passes through
// the stages of its list in ascending stage type: hot spot, alpha clean-up, crop, un-premultiply,
// run-length encoding, palette, depth conversion. A list is a chain of stages kept sorted by
// type, each type at most once; its head is a stage of type 0 that does nothing.
//
// The one rule: a stage owns the rest of its chain, so deleting the head deletes the list. List
// operations are called on the head; a locked list refuses every change.
#include "graphics/IntRect.h"

#include <cstdint>

class CFrame;
class CFrameInterface;

// Stage types, and the request codes of AddStage (9 and 12 make stages of types 8 and 11).
enum : int32_t
{
    kStageListHead = 0,
    kStageCenterHotSpot = 2,
    kStageAlphaThreshold = 3,
    kStageBlackBias = 4,
    kStageDarkCutoff = 5,
    kStageCrop = 6,
    kStageUnpremultiply = 7,
    kStageRunLength = 8,
    kRequestRunLengthAlpha = 9,
    kStageBuildPalette = 10,
    kStageDepthConvert = 11,
    kRequestDitheredDepthConvert = 12,
};

class CFrameLoadStage
{
public:
    // A list head.
    CFrameLoadStage();
    virtual ~CFrameLoadStage();
    CFrameLoadStage(const CFrameLoadStage&) = delete;
    CFrameLoadStage& operator=(const CFrameLoadStage&) = delete;

    // A new stage of the same class and parameters, not linked; null when memory runs out.
    virtual CFrameLoadStage* Clone() const;
    // Processes the frame in place; rect is {0, 0, width, height}. The head does nothing (true).
    // Stages work on CFrame objects only and answer false for any other frame.
    virtual bool Apply(CFrameInterface* frame, const CIntRect& rect);

    // Creates and inserts the stage of a request code 2..12. False, with the list unchanged, when
    // locked, when a stage of that type is present, for another code, or when memory runs out.
    bool AddStage(int32_t request);
    // Links the stage at its place in type order and takes it. False (the stage not taken) when
    // locked or when the list holds a stage of that type.
    bool InsertStage(CFrameLoadStage* stage);
    // Inserts clones of every stage of the other list; types already present are dropped.
    void AddStagesFrom(const CFrameLoadStage& other);
    // Unlinks and deletes the first stage of that type; false when locked or absent.
    bool RemoveStage(int32_t type);
    // Deletes every stage after this one (nothing while locked).
    void Clear();
    bool HasStage(int32_t type) const { return FindStage(type) != nullptr; }
    // The first stage of that type after this one, or null.
    CFrameLoadStage* FindStage(int32_t type) const;
    // The target of the first depth conversion after this stage; else the preferred depth when
    // above 0; else the display depth (8 until the display sets it).
    int32_t GetTargetDepth() const;
    // Applies every stage from this one on, each with {0, 0, width, height} of the frame as it
    // then is. Every stage runs; true only when all returned true.
    bool ApplyAll(CFrameInterface* frame);

    int32_t GetType() const { return m_type; }
    CFrameLoadStage* GetNext() const { return m_next; }
    int32_t GetPreferredDepth() const { return m_preferredDepth; }
    // The depth the list aims at without a conversion stage; every stage of the list (and every
    // stage inserted later) sees it.
    void SetPreferredDepth(int32_t depth);
    bool IsLocked() const { return m_locked != 0; }
    void SetLocked(bool locked) { m_locked = locked ? 1 : 0; }

protected:
    explicit CFrameLoadStage(int32_t type);
    // The frame as a CFrame, or null for other frames and for null.
    static CFrame* AsFrame(CFrameInterface* frame);

private:
    CFrameLoadStage* m_next = nullptr;
    int32_t m_type = kStageListHead;
    int32_t m_preferredDepth = -1;
    uint8_t m_locked = 0;
};
