#pragma once
// Turns a fatal end into an exception for the length of a scope, so that a test can read the exact
// caption and text of the message box.
#include "platform/Platform.h"

#include <stdexcept>
#include <string>

struct FatalError : std::runtime_error
{
    FatalError(const std::string& caption, const std::string& text)
        : std::runtime_error(caption + ": " + text)
        , m_caption(caption)
        , m_text(text)
    {
    }
    std::string m_caption;
    std::string m_text;
};

class FatalCatcher
{
public:
    FatalCatcher() { m_previous = platform::SetFatalHandler(&Throw); }
    ~FatalCatcher() { platform::SetFatalHandler(m_previous); }
    FatalCatcher(const FatalCatcher&) = delete;
    FatalCatcher& operator=(const FatalCatcher&) = delete;

private:
    static void Throw(const char* caption, const char* text) { throw FatalError(caption, text); }
    platform::FatalHandler m_previous;
};
