#pragma once
// A drawn picture in the form the frame list loads it from: the source image file
// "Cache/<folder>/<name>.Frame" (the origin, then the engine's source image record of the 32-bit
// image). The program converts it for the display on first use and keeps that as its cache.
//
// The rule a caller must know: the bytes are those the engine's own frame writer makes, so a
// picture reads back exactly as drawn when it is stored lossless.
#include "ContentSet.h"
#include "Image.h"

// The file's bytes: the origin from the hot spot, then the lossless record when lossless is set,
// else the lossy one when the engine's rule finds it clearly smaller. Empty for an empty picture
// or when the record cannot be written.
CContentSet::Bytes EncodeFrameSourceFile(const CImage& image, bool lossless);
