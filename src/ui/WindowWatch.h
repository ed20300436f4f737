#pragma once
// Tells whether a window still exists. Windows are deleted from inside the walks over their
// siblings (a close button closing its dialog, a window closing itself in Update or when first
// shown), so a walk watches the windows it will touch next and asks before touching them.
//
// The rule a caller must know: a watch lives on the stack for the length of one walk; the watched
// window's destructor clears it, and the watch unhooks itself when it ends first.
class CJWindow;

class CWindowWatch
{
public:
    // Watching null is allowed: such a watch is never alive.
    explicit CWindowWatch(CJWindow* window);
    ~CWindowWatch();
    CWindowWatch(const CWindowWatch&) = delete;
    CWindowWatch& operator=(const CWindowWatch&) = delete;

    bool IsAlive() const { return m_window != nullptr; }
    // The window, or null once it was deleted.
    CJWindow* Get() const { return m_window; }

private:
    friend class CJWindow;

    CJWindow* m_window;
    CWindowWatch* m_next = nullptr;
};
