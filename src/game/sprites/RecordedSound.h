#pragma once
// Sounds of the game world that a demo being recorded receives: each play writes the record
// "PlaySoundFromStream" (the sound as a reference into the sound list) before the sound starts,
// and playing the demo back plays the same entry of the sound list.
//
// The rule a caller must know: index 0 of the sound list is the silent "!None.wav" and, like -1,
// means no sound: neither plays nor records.

class CSoundBuffer;

// Plays the sound list's entry of that name (FindSoundIndex); the buffer that plays, or null for
// none.
CSoundBuffer* PlaySoundRecorded(const char* name);
// The same by index; null for 0, -1 or an index past the list.
CSoundBuffer* PlaySoundByIndexRecorded(int index);
