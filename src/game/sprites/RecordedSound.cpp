#include "game/sprites/RecordedSound.h"

#include "app/ReplayCallback.h"
#include "app/ReplayStream.h"
#include "game/sprites/WorldRecordFields.h"
#include "sound/SoundList.h"

namespace {

bool PlaysSomething(const CSoundList& sounds, int index)
{
    return index > 0 && static_cast<uint32_t>(index) < sounds.GetCount();
}

void PlaySoundFromStream(CReplayStream& stream)
{
    CSoundList& sounds = CSoundList::GetInstance();
    const int index = stream.ReadObjectReference(&sounds);
    if (PlaysSomething(sounds, index))
        sounds.PlaySoundByIndex(index);
}

CReplayCallback s_playSoundFromStream(&PlaySoundFromStream, "PlaySoundFromStream", 3);

} // namespace

CSoundBuffer* PlaySoundRecorded(const char* name)
{
    return PlaySoundByIndexRecorded(CSoundList::GetInstance().FindSoundIndex(name, -1));
}

CSoundBuffer* PlaySoundByIndexRecorded(int index)
{
    CSoundList& sounds = CSoundList::GetInstance();
    if (!PlaysSomething(sounds, index))
        return nullptr;
    if (CReplayStream* stream = worldrecord::GetRecordingStream()) {
        stream->BeginRecord(&s_playSoundFromStream, CReplayStream::kStateRecord);
        stream->WriteObjectReference(index, &sounds);
    }
    return sounds.PlaySoundByIndex(index);
}
