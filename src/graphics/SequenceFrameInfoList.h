#pragma once
// The header of a sequence's source file: the load flags, blit type and rate the sequence is
// rebuilt with, whether its frames are run-length encoded then, and one frame info per frame
// (null for a missing frame). The header owns its frame infos.
#include "objects/Object.h"

#include <cstdint>

class CFrameInfo;

class CSequenceFrameInfoList : public CObject
{
    DECLARE_CLASS_RECORD(CSequenceFrameInfoList)

    CSequenceFrameInfoList();
    ~CSequenceFrameInfoList() override;

    // Appends the info (taken over; null for a missing frame).
    void AddFrameInfo(CFrameInfo* info);
    uint32_t GetFrameInfoCount() const { return m_frameInfoCount; }
    // Null for a missing frame and past the end.
    const CFrameInfo* GetFrameInfo(uint32_t i) const { return i < m_frameInfoCount ? m_frameInfos[i] : nullptr; }

    uint8_t m_wasRunLength = 0;
    uint32_t m_flags = 0;
    uint32_t m_blitType = 0;
    float m_framesPerSecond = 0.0f;

private:
    uint32_t m_frameInfoCount = 0;
    CFrameInfo** m_frameInfos = nullptr;
};
