#pragma once
// The SDL backend's class, seen by the SDL display and the backend's own files only.
#include "platform/Backend.h"
#include "platform/sdl/SdlDisplay.h"
#include "platform/sdl/SdlEventTranslator.h"
#include "platform/sdl/SdlForceFeedback.h"
#include "platform/sdl/SdlJoysticks.h"
#include "platform/sdl/SdlMixer.h"
#include "platform/sdl/SdlRenderer.h"

#include <cstdint>
#include <string>
#include <vector>

struct SDL_Window;
struct SDL_Renderer;

namespace platform::sdl {

class SdlBackend : public Backend
{
public:
    explicit SdlBackend(RendererPlan plan);
    ~SdlBackend() override;

    const char* GetName() const override { return "SDL"; }
    bool CreateMainWindow(const char* titleUtf8) override;
    bool HasMainWindow() const override { return m_window != nullptr; }
    void DestroyMainWindow() override;
    void SetWindowTitle(const char* titleUtf8) override;
    void MinimizeMainWindow() override;
    bool OpenDocument(const char* documentUtf8) override;
    void PumpEvents(EventQueue& queue) override;
    void WaitForEvents(EventQueue& queue, uint32_t milliseconds) override;
    // Pushes an event of our own, which SDL's wait returns for and the translation drops.
    void WakeEventWait() override;
    void ShowMessageBox(const char* captionUtf8, const char* textUtf8, bool plain) override;
    void SetSystemCursorVisible(bool visible) override;
    void WarpMouse(int x, int y) override;
    bool SetClipboardText(const std::string& utf8) override;
    bool GetClipboardText(std::string& utf8) override;
    int GetDesktopBitDepth() override;
    bool GetDesktopWorkArea(DesktopRect& area) override;
    bool GetMainWindowFrame(DesktopRect& frame) override;
    void SetMainWindowClientSize(int width, int height) override;
    void MoveMainWindow(int left, int top) override;
    std::string GetKeyName(int keyNumber) override;
    Display& GetDisplay() override { return m_display; }
    Mixer& GetMixer() override { return m_mixer; }
    Joysticks& GetJoysticks() override { return m_joysticks; }
    ForceFeedback& GetForceFeedback() override { return m_forceFeedback; }

    // The window with its renderer, made with the stored title when it does not exist yet.
    bool EnsureWindow();
    SDL_Window* GetWindow() const { return m_window; }
    SDL_Renderer* GetRenderer() const { return m_renderer; }

private:
    SDL_Window* m_window = nullptr;
    SDL_Renderer* m_renderer = nullptr;
    RendererPlan m_rendererPlan;
    std::string m_title = "Vantorel";
    SdlEventTranslator m_translator;
    std::vector<Event> m_translated;
    SdlDisplay m_display{*this};
    SdlMixer m_mixer;
    SdlJoysticks m_joysticks;
    SdlForceFeedback m_forceFeedback;
};

} // namespace platform::sdl
