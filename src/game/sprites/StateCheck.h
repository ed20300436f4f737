#pragma once
// The state check of the game world: a developer's aid that writes the state of every sprite and
// behaviour as 32-bit words to a stream, or, in compare mode, reads the words back and flags any
// difference, so that two runs of the same game can be compared step by step.
//
// The rule a caller must know: nothing happens until a stream is given (the program never opens
// one), so the sprites' SyncState calls cost nothing in play.
#include <cstdint>

class CVirtualFile;

class CStateCheck
{
public:
    enum class Mode
    {
        Write,
        Compare,
    };

    // The stream the words go to or come from (not owned; null stops the check) and the mode.
    static void SetStream(CVirtualFile* stream, Mode mode);
    static CVirtualFile* GetStream();
    static Mode GetMode();

    // Writes the word, or reads one back and compares it; a word that differs or cannot be read
    // sets the mismatch flag.
    static void SyncWord(uint32_t word);
    // The float's bits, or the integer's, as one word.
    static void SyncFloat(float value);
    static void SyncInt(int32_t value) { SyncWord(static_cast<uint32_t>(value)); }

    static bool HasMismatch();
    static void ClearMismatch();
};
