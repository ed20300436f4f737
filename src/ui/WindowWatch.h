#pragma once
// Tells whether a window still exists. Windows are deleted from inside the walks over their
// siblings (a close button closing its dialog, a window closing itself in Update or when first
// shown), so a walk watches the windows it will touch next and asks before touching them.
//
// The rule a caller must know: a watch lives on the stack for the length of one walk, or as a
// member re-pointed with Watch (the screen window's repeat targets); the watched window's
// destructor clears it, and the watch unhooks itself when it ends first. A watch never moves.
class CJWindow;

class CWindowWatch
{
public:
    // Watching null is allowed: such a watch is never alive.
    explicit CWindowWatch(CJWindow* window);
    ~CWindowWatch();
    CWindowWatch(const CWindowWatch&) = delete;
    CWindowWatch& operator=(const CWindowWatch&) = delete;

    // Watches another window (null: none) from now on.
    void Watch(CJWindow* window);

    bool IsAlive() const { return m_window != nullptr; }
    // The window, or null once it was deleted.
    CJWindow* Get() const { return m_window; }

private:
    friend class CJWindow;

    void Hook();
    void Unhook();

    CJWindow* m_window;
    CWindowWatch* m_next = nullptr;
};
