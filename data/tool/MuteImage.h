#pragma once
// The interface image "Mute" of the frame list: a speaker with a small red cross beside it on a
// transparent background, shown by the sound options' mute buttons. The button's face shows
// through the background, so a pressed (muted) button is told by the skin's pressed face.
#include "ContentSet.h"
#include "Image.h"

#include <string>

CImage PaintMuteImage();

// Adds it as the frame list's source image "Cache/Resources/Mute.Frame". False, with error set,
// when it cannot be encoded or is there already.
bool AddMuteImage(CContentSet& set, std::string& error);
