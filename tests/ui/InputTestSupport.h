#pragma once
// The input harness of the toolkit's tests: a screen window over a 16-bit frame whose mouse and
// keyboard input arrives as the system delivers it (the headless event queue, the message pump and
// the virtual clock), windows that log the input they get, and a recorder of the sounds played.
#include "TestSupport.h"
#include "UiTestSupport.h"
#include "app/Keyboard.h"
#include "app/Mouse.h"
#include "app/WindowProc.h"
#include "platform/KeyTable.h"
#include "platform/Time.h"
#include "platform/headless/HeadlessBackend.h"
#include "sound/SoundBuffer.h"
#include "sound/SoundList.h"
#include "sound/SoundSystem.h"
#include "ui/Callback.h"
#include "ui/ScreenWindow.h"

#include <filesystem>
#include <initializer_list>

namespace uitest {

// A window's action that counts its runs.
class CountingAction : public CCallback
{
public:
    explicit CountingAction(int* runs) : m_runs(runs) {}
    void Invoke() override { ++*m_runs; }

private:
    int* m_runs;
};

using platform::Event;
using platform::EventType;
using Log = std::vector<std::string>;

// Key numbers.
constexpr int kTabKey = 15, kSKey = 31, kCtrlKey = 29, kShiftKey = 42, kAltKey = 56;
constexpr int kInsertKey = 338, kDeleteKey = 339;

// The left button as the system reports it: down, up, and the second press of a double click.
inline const Event kPress = Event::Mouse(EventType::MouseDown, 0, 0, platform::kMouseLeft);
inline const Event kRelease = Event::Mouse(EventType::MouseUp, 0, 0, platform::kMouseLeft);
inline const Event kSecondPress = Event::Mouse(EventType::MouseDoubleClick, 0, 0, platform::kMouseLeft);

inline Event MoveTo(int x, int y)
{
    return Event::Mouse(EventType::MouseMove, x, y);
}
inline Event Key(EventType type, int key)
{
    return Event::Key(type, key, platform::VirtualKeyOfKeyNumber(key, true));
}

// A window that logs the input it gets ("name: down 0"), takes the events named in takes, and
// runs its action first; an action that deleted the window answers true. Motion and hover are
// logged only when asked.
class InputProbe : public CJWindow
{
public:
    InputProbe(const char* name, std::vector<std::string>* log, std::string takesEvents = "")
        : CJWindow(nullptr, name), takes(std::move(takesEvents)), m_log(log)
    {
    }

    bool OnDoubleClick(int32_t button, const CIntPoint& point, bool& keep) override
    {
        keep = keepPress;
        return Handle("double " + std::to_string(button), [&] { return CJWindow::OnDoubleClick(button, point, keep); });
    }
    bool OnMouseDown(int32_t button, const CIntPoint& point) override
    {
        return Handle("down " + std::to_string(button), [&] { return CJWindow::OnMouseDown(button, point); });
    }
    bool OnMouseUp(int32_t button, const CIntPoint& point) override
    {
        return Handle("up " + std::to_string(button), [&] { return CJWindow::OnMouseUp(button, point); });
    }
    bool OnMouseRepeat(int32_t button, const CIntPoint&) override
    {
        return Handle("repeat " + std::to_string(button), [] { return false; });
    }
    bool OnMouseMove(const CIntPoint& point, const CIntPoint& delta, CSequence*& cursor) override
    {
        return Handle("move", [&] { return CJWindow::OnMouseMove(point, delta, cursor); });
    }
    bool OnMouseDrag(const CIntPoint& point, const CIntPoint& delta, uint32_t buttons, CSequence*&) override
    {
        return Handle("drag " + Point(point) + " by " + Point(delta) + " mask " + std::to_string(buttons),
                      [] { return false; });
    }
    bool OnMouseWheel(int32_t notches, const CIntPoint& point) override
    {
        return Handle("wheel " + std::to_string(notches), [&] { return CJWindow::OnMouseWheel(notches, point); });
    }
    bool OnKey(int32_t key) override
    {
        return Handle("key " + std::to_string(key), [&] { return CJWindow::OnKey(key); });
    }
    bool OnHover(const CIntPoint& point) override
    {
        return Handle("hover", [&] { return CJWindow::OnHover(point); });
    }
    bool Activate() override
    {
        return Handle("activate", [] { return false; });
    }
    void Update(float seconds) override
    {
        if (logUpdates)
            Record("update");
        CJWindow::Update(seconds);
    }
    void Draw(COffsetClippedProxyFrame* frame) override
    {
        if (logUpdates)
            Record("draw");
        CJWindow::Draw(frame);
    }
    CSequence* GetCursor(const CIntPoint& point) const override
    {
        cursorAskedAt = point;
        return cursor;
    }
    void Record(const std::string& what)
    {
        if (m_log)
            m_log->push_back(std::string(GetText()) + ": " + what);
    }

    std::string takes;
    std::function<bool(InputProbe*, const std::string&)> action;
    bool keepPress = false;
    bool logMotion = false;
    bool logUpdates = false;
    CSequence* cursor = nullptr;
    mutable CIntPoint cursorAskedAt{-1, -1};

private:
    static std::string Point(const CIntPoint& p) { return std::to_string(p.m_x) + "," + std::to_string(p.m_y); }

    template <class Base>
    bool Handle(const std::string& event, Base&& base)
    {
        const std::string kind = event.substr(0, event.find(' '));
        if (logMotion || (kind != "move" && kind != "hover"))
            Record(event);
        if (action && action(this, event))
            return true;
        if ((" " + takes + " ").find(" " + kind + " ") != std::string::npos)
            return true;
        return base();
    }

    std::vector<std::string>* m_log;
};

// A 640 x 480 screen window whose input comes through the headless queue and the pump, on the
// virtual clock.
class ScreenInputTest : public ToolkitTest
{
protected:
    static constexpr uint64_t kMillisecond = 1000000;

    void SetUp() override
    {
        ToolkitTest::SetUp();
        platform::GetHeadlessBackend().Reset();
        platform::EnableVirtualClock();
        SetMainWindowState(true, false);
        g_keyboard = CKeyboard();
        g_mouse = CMouse();
        m_target.Create(640, 480, 16);
        m_screen = std::make_unique<CScreenWindow>(&m_target, nullptr);
    }
    void TearDown() override
    {
        m_screen.reset();
        SetMainWindowState(false, false);
        platform::DisableVirtualClock();
        ToolkitTest::TearDown();
    }

    // The system delivers the events and the pump feeds them to the input state; then the clock
    // moves on by the milliseconds and the screen window runs one update.
    void Step(std::initializer_list<Event> events = {}, uint64_t milliseconds = 16)
    {
        for (const Event& event : events)
            platform::GetHeadlessBackend().QueueEvent(event);
        PumpWindowMessages();
        platform::AdvanceVirtualClock(milliseconds * kMillisecond);
        m_screen->Update(1.0f / 60.0f);
    }
    // A key stroke with the character the system sends with it, modifiers held around it.
    void Stroke(int key, unsigned char character, std::initializer_list<int> modifiers = {})
    {
        for (int modifier : modifiers)
            platform::GetHeadlessBackend().QueueEvent(Key(EventType::KeyDown, modifier));
        Step({Key(EventType::KeyDown, key), Event::Char(character), Key(EventType::KeyUp, key)});
        for (int modifier : modifiers)
            Step({Key(EventType::KeyUp, modifier)});
    }
    // The window on top of the parent (the screen by default), at the rect.
    template <class Window>
    Window* Open(Window* window, const CIntRect& rect, CJWindow* parent = nullptr)
    {
        window->SetRect(rect);
        (parent ? parent : m_screen.get())->AddChildOnTop(window, kPlaceNone, nullptr, kDefaultOffset, kDefaultOffset, 0);
        return window;
    }
    InputProbe* Probe(const char* name, const CIntRect& rect, std::string takes = "", CJWindow* parent = nullptr)
    {
        return Open(new InputProbe(name, &m_log, std::move(takes)), rect, parent);
    }
    std::vector<std::string> TakeLog() { return std::exchange(m_log, {}); }

    CFrame m_target;
    std::unique_ptr<CScreenWindow> m_screen;
    std::vector<std::string> m_log;
};

// The sound list over a folder of short sounds written by Python's wave module, for the life of
// the object; Played() names the sounds that are sounding.
class SoundRecorder
{
public:
    explicit SoundRecorder(std::initializer_list<const char*> names) : m_oldFolder(std::filesystem::current_path())
    {
        std::filesystem::current_path(m_dir.Path());
        for (const char* name : names) {
            const std::filesystem::path path = m_dir.Path() / "Sounds" / name;
            std::filesystem::create_directories(path.parent_path());
            const std::string script = "import wave\nw = wave.open('" + path.string() +
                                       "', 'wb')\nw.setnchannels(1)\nw.setsampwidth(2)\nw.setframerate(22050)\n"
                                       "w.writeframes(b'\\x10\\x27' * 2205)\n";
            testsupport::WriteFileBytes(m_dir.Path() / "make.py", script);
            EXPECT_EQ(testsupport::RunCommand("python3 '" + (m_dir.Path() / "make.py").string() + "'"), 0);
        }
        EXPECT_TRUE(CSoundSystem::GetInstance()->Init());
        CSoundList::GetInstance().LoadFolder("Sounds", "Sounds", ".wav", ".ogg");
    }
    ~SoundRecorder()
    {
        CSoundList::GetInstance().FreeEntries();
        CSoundSystem::GetInstance()->Shutdown();
        std::filesystem::current_path(m_oldFolder);
    }
    SoundRecorder(const SoundRecorder&) = delete;
    SoundRecorder& operator=(const SoundRecorder&) = delete;

    std::vector<std::string> Played() const
    {
        CSoundList& sounds = CSoundList::GetInstance();
        std::vector<std::string> names;
        for (uint32_t i = 0; i < sounds.GetCount(); ++i)
            if (CSoundBuffer* sound = sounds.GetSound(i); sound && sound->IsStillPlaying())
                names.emplace_back(sounds.GetItemName(i));
        return names;
    }

private:
    testsupport::TempDir m_dir;
    std::filesystem::path m_oldFolder;
};

} // namespace uitest
