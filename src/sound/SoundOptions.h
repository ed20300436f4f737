#pragma once
// The sound settings. For now the defaults are applied as they stand; reading and writing the
// settings file comes with the Sound Options dialog.

// Applies the sound settings to the sound system and the application's music volume (hundredths
// of a decibel); called once at start-up, after the sound system's Init.
void LoadSoundOptions();
