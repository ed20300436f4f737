#include "app/DemoRecorder.h"

#include "app/ApplicationBase.h"
#include "app/ReplayCallback.h"
#include "app/ReplayStream.h"
#include "foundation/OpenFlags.h"
#include "foundation/VirtualFile.h"
#include "foundation/Win32Services.h"

#include <vector>

namespace {

// Set by the record that ends a frame.
bool s_endOfFrame = false;

void EndOfFrameBlockReader(CReplayStream&)
{
    s_endOfFrame = true;
}

void ReInitFromStream(CReplayStream& stream)
{
    CDemoRecorder::GetInstance();
    stream.ResetObjectTables();
}

CReplayCallback s_endOfFrameReader(&EndOfFrameBlockReader, "EndOfFrameBlockReader", 3);
CReplayCallback s_reInitReader(&ReInitFromStream, "CDemoRecorder::ReInitFromStream", 3);

void SetFramesPerDraw(unsigned frames)
{
    if (g_application)
        g_application->SetFramesPerDraw(frames);
}

} // namespace

CDemoRecorder* CDemoRecorder::GetInstance()
{
    static CDemoRecorder s_instance;
    return &s_instance;
}

CDemoRecorder::CDemoRecorder()
    : m_stream(new CReplayStream)
{
    m_stream->RegisterFunctions(0);
}

CDemoRecorder::~CDemoRecorder()
{
    delete m_stream;
    delete m_finishCallback;
}

bool CDemoRecorder::AppendFileBytes(const char* fileName, uint32_t openFlags, bool startPlaying)
{
    CVirtualFile file;
    if (!file.Open(fileName, openFlags | VF_READ))
        return false;
    if (startPlaying) {
        m_stream->ResetObjectTables();
        m_state = kPlaying;
        SetFramesPerDraw(2);
        m_stream->Clear();
    }
    std::vector<uint8_t> bytes(file.GetSize());
    bytes.resize(file.Read(bytes.data(), static_cast<uint32_t>(bytes.size())));
    m_stream->AppendBytes(bytes.data(), static_cast<uint32_t>(bytes.size()));
    file.Close();
    return true;
}

bool CDemoRecorder::StartPlayback(void* context, const char* fileName, uint32_t openFlags)
{
    if (!AppendFileBytes(fileName, openFlags, true))
        return false;
    m_context = context;
    return true;
}

bool CDemoRecorder::AppendFile(const char* fileName, uint32_t openFlags)
{
    return AppendFileBytes(fileName, openFlags, false);
}

void CDemoRecorder::PlayFrame()
{
    m_inFrame = true;
    if (m_state != kPlaying)
        return;
    // The last frame is drawn before playback ends: the end is found by the call after it.
    if (!m_stream->HasBytesLeft(1)) {
        Finish();
        return;
    }
    s_endOfFrame = false;
    while (m_stream->HasBytesLeft(1)) {
        if (!m_stream->ExecuteNextRecord()) {
            Finish();
            return;
        }
        if (s_endOfFrame)
            break;
    }
}

void CDemoRecorder::EndFrame()
{
    m_inFrame = false;
    if (m_state == kRecording)
        m_stream->BeginRecord(&s_endOfFrameReader, CReplayStream::kStateRecord);
}

void CDemoRecorder::Finish()
{
    m_state = kIdle;
    if (m_finishCallback)
        m_finishCallback->OnPlaybackFinished();
    SetFramesPerDraw(1);
}

void CDemoRecorder::Stop()
{
    Finish();
}

void CDemoRecorder::SetFinishCallback(CDemoFinishCallback* callback)
{
    if (callback == m_finishCallback)
        return;
    delete m_finishCallback;
    m_finishCallback = callback;
}

void CDemoRecorder::StartRecording()
{
    m_stream->Clear();
    m_stream->ResetObjectTables();
    m_state = kRecording;
    m_stream->BeginRecord(&s_reInitReader, CReplayStream::kStateRecord);
}

bool CDemoRecorder::SaveRecording(const char* fileName, uint32_t openFlags)
{
    if (m_state != kRecording)
        return false;
    m_state = kIdle;
    CVirtualFile file;
    if (!file.Open(fileName, openFlags | VF_CREATE | VF_WRITE))
        return false;
    const uint32_t length = m_stream->GetLength();
    const bool written = file.Write(m_stream->GetBytes(), length) == length;
    return file.Close() && written;
}

bool CDemoRecorder::IsRecordingRequested()
{
    return HasCommandLineOption("/RecordDemo");
}
