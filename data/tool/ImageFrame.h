#pragma once
// A drawn picture as the engine's plain 32-bit frame, which the engine's writers take: the
// picture's bytes are already in the frame's B, G, R, A order, so only the rows are laid out.
//
// The rule a caller must know: the frame's origin is the picture's hot spot negated, so the frame
// draws with its hot spot where the picture's lies.
#include "Image.h"
#include "graphics/Frame.h"

#include <memory>

// The frame, or null for an empty picture or when its pixels cannot be had.
std::unique_ptr<CFrame> MakeImageFrame(const CImage& image);
