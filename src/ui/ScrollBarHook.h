#pragma once
// How the window base makes and feeds its automatic scroll bars without knowing the scroll bar
// control, which lives with the controls: the screen window registers the scroll bar's maker
// through CJWindow::SetScrollBarHook when no other hook is set. Without a hook windows make no
// bars and scroll all the same.
//
// The rule an implementer must know: a bar made here becomes a child of its owner, which places
// it, deletes it when the content fits again, and calls SetScrollBarRange whenever its size, its
// content size or its scroll position may have changed. The bar moves the owner's scroll position
// (SetScrollX / SetScrollY) when the player moves it.
#include <cstdint>

class CJWindow;

class CScrollBarHook
{
public:
    virtual ~CScrollBarHook() = default;
    // A new bar, not yet linked, that scrolls owner vertically or horizontally; null when none can
    // be made.
    virtual CJWindow* CreateScrollBar(CJWindow* owner, bool vertical) = 0;
    // The bar's range becomes 0..maximum and its position the owner's scroll position, each only
    // when it differs, quietly: no notification, and the owner is not moved.
    virtual void SetScrollBarRange(CJWindow* bar, int32_t maximum, int32_t position) = 0;
};
