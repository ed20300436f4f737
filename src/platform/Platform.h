#pragma once
// The platform layer: the services the engine needs from the operating system, shaped by the
// engine's own use of them. Engine code includes this header (or one of the headers below) and
// never talks to SDL or the OS directly.
#include "platform/Backend.h"
#include "platform/Charset.h"
#include "platform/Events.h"
#include "platform/Files.h"
#include "platform/Http.h"
#include "platform/HttpTransfer.h"
#include "platform/KeyTable.h"
#include "platform/PeriodicTimer.h"
#include "platform/Process.h"
#include "platform/SingleInstanceLock.h"
#include "platform/Time.h"
#include "platform/Window.h"

namespace platform {

// Called by FatalExit after the message box and before the process ends. A test may install one
// that throws, to observe a fatal end without dying; when it returns, the process still ends.
using FatalHandler = void (*)(const char* caption, const char* text);

// Installs a handler (null removes it); returns the previous one.
FatalHandler SetFatalHandler(FatalHandler handler);
FatalHandler GetFatalHandler();

// The one route of every fatal end: shows the message box, then ends the process with status 255
// (the -1 exit code the engine uses), running static destructors.
[[noreturn]] void FatalExit(const char* caption, const char* text);

} // namespace platform
