// Plays arbitrary bytes as a demo through the demo recorder, with replay functions that read every
// kind of field: bit fields of widths the stream chooses, flags, colours, quantised points, raw
// bytes and words, and item references against two lists. Playback must end, every read must stay
// inside the stream, and the item numbers answered must be items of the list or -1. The same bytes
// are then appended as a second clip to a playing stream.
//
// The seed corpus is made by recording: run the corpus runner with VANTOREL_WRITE_SEEDS naming the
// folder (fuzz/corpus/fuzz_replay_stream) and it records the seeds there before its first input.
#include "app/DemoRecorder.h"
#include "app/ReplayCallback.h"
#include "app/ReplayStream.h"
#include "foundation/FileBuf.h"
#include "foundation/OpenFlags.h"
#include "graphics/Color.h"
#include "objects/ValueNameList.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

CStringList& Sprites()
{
    static CStringList* s_list = [] {
        auto* list = new CStringList;
        for (const char* name : {"Ball", "Brick", "Ship", "Laser", "Spark"})
            list->Add(name, 0);
        return list;
    }();
    return *s_list;
}

CStringList& Sounds()
{
    static CStringList* s_list = [] {
        auto* list = new CStringList;
        list->Add("Bounce.wav", 0);
        return list;
    }();
    return *s_list;
}

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckReference(int32_t index, const CStringList& list)
{
    Check(index == -1 || (index >= 0 && static_cast<uint32_t>(index) < list.GetCount()));
}

void CheckPosition(const CReplayStream& stream)
{
    Check(stream.GetReadPosition() <= stream.GetLength());
}

void DrawFromStream(CReplayStream& stream)
{
    CheckReference(stream.ReadObjectReference(&Sprites()), Sprites());
    CFloatPoint point;
    stream.ReadQuantizedPoint(point, -190, 830, 0, 0);
    Check(point.m_x >= -190 && point.m_x <= 830 && point.m_y >= -190 && point.m_y <= 830);
    if (stream.ReadBool())
        stream.ReadBits(stream.ReadBits(5) + 1);
    CheckPosition(stream);
}

void SoundFromStream(CReplayStream& stream)
{
    CheckReference(stream.ReadObjectReference(&Sounds()), Sounds());
    CheckPosition(stream);
}

void FillFromStream(CReplayStream& stream)
{
    CColor color;
    stream.ReadColor(color);
    CFloatPoint point;
    stream.ReadQuantizedPoint(point, 0, 7, -4, 3);
    Check(point.m_x >= 0 && point.m_x <= 7 && point.m_y >= -4 && point.m_y <= 3);
    uint8_t byte = 0;
    uint32_t dword = 0;
    uint64_t qword = 0;
    stream.ReadByte(byte);
    stream.ReadDword(dword);
    stream.ReadQword(qword);
    CheckPosition(stream);
}

CReplayCallback s_draw(&DrawFromStream, "Fuzz::DrawFromStream", 3);
CReplayCallback s_sound(&SoundFromStream, "Fuzz::SoundFromStream", 3);
CReplayCallback s_fill(&FillFromStream, "Fuzz::FillFromStream", 3);

// Plays the bytes to their end; the frames played are bounded by the bytes.
void Play(const uint8_t* data, size_t size, bool appendAgain)
{
    CFileBuf buffer;
    buffer.Write(data, static_cast<uint32_t>(size));
    const CSharedString name = buffer.MakeBufferName(".dem");
    CDemoRecorder* recorder = CDemoRecorder::GetInstance();
    Check(recorder->StartPlayback(nullptr, name.CStr(), 0));
    if (appendAgain)
        Check(recorder->AppendFile(name.CStr(), 0));
    const size_t limit = 2 * size + 2;
    size_t frames = 0;
    while (recorder->IsPlaying()) {
        Check(frames++ <= limit);
        recorder->PlayFrame();
        recorder->EndFrame();
        CheckPosition(*recorder->GetStream());
    }
}

// Records a few frames of every record and saves them as a seed.
void Record(const std::string& path, int frames, bool withNone)
{
    CDemoRecorder* recorder = CDemoRecorder::GetInstance();
    CReplayStream* stream = recorder->GetStream();
    recorder->StartRecording();
    for (int f = 0; f < frames; ++f) {
        recorder->PlayFrame();
        stream->BeginRecord(&s_draw, CReplayStream::kDrawRecord);
        stream->WriteObjectReference(withNone && f == 1 ? -1 : f % 5, &Sprites());
        stream->WriteQuantizedPoint(CFloatPoint{static_cast<float>(f * 40 - 100), 300}, -190, 830, 0, 0);
        stream->WriteBool(f % 2 == 1);
        if (f % 2 == 1) {
            stream->WriteBits(11, 5);
            stream->WriteBits(0xABC, 12);
        }
        stream->BeginRecord(&s_sound, CReplayStream::kStateRecord);
        stream->WriteObjectReference(0, &Sounds());
        stream->BeginRecord(&s_fill, CReplayStream::kDrawRecord);
        CColor color;
        color.Set(static_cast<uint8_t>(f * 50), 128, 255);
        stream->WriteColor(color);
        stream->WriteQuantizedPoint(CFloatPoint{3, -2}, 0, 7, -4, 3);
        stream->WriteByte(static_cast<uint8_t>(f));
        stream->WriteDword(0xDEADBEEF);
        stream->WriteQword(0x0123456789ABCDEFull);
        recorder->EndFrame();
    }
    recorder->SaveRecording(path.c_str(), VF_VERBATIM);
}

void WriteSeeds(const std::string& folder)
{
    Record(folder + "/one-frame.dem", 1, false);
    Record(folder + "/six-frames.dem", 6, true);
    std::ofstream(folder + "/empty.dem", std::ios::binary);
    std::ofstream(folder + "/bad-index.dem", std::ios::binary) << "\xFF\xFF\xFF\xFF";
    // A reference whose count is the largest there is.
    std::ofstream(folder + "/huge-count.dem", std::ios::binary).write("\x02\xFF\xFF\xFF\xFF\x01\x00\x00\x00", 9);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool s_seedsWritten = false;
    if (!s_seedsWritten) {
        s_seedsWritten = true;
        if (const char* folder = std::getenv("VANTOREL_WRITE_SEEDS"))
            WriteSeeds(folder);
    }
    Play(data, size, false);
    Play(data, size, true);
    return 0;
}
