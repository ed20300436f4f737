#pragma once
// The SDL2 backend: the real window, events, display, sound device, clipboard and message boxes.
// This header does not include SDL, so the program entry can choose the backend.
#include "platform/Backend.h"

#include <memory>
#include <string>

namespace platform::sdl {

// Starts SDL's video; null when it cannot (no display), with the reason in whyNot.
std::unique_ptr<Backend> CreateSdlBackend(std::string& whyNot);

} // namespace platform::sdl
