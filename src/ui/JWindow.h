#pragma once
// The base of every window, control and dialog of the toolkit: a rectangle in its parent's
// content coordinates, a text with an optional '&' shortcut, a font, six colours, a theme, flags,
// and an intrusive ring of children. The windows form one tree whose root is the screen window;
// the root routes input down the tree and draws it back to front once per frame, each window in
// its own content coordinates through one offset-clipped proxy frame.
//
// The rule a caller must know: a window is created detached and linked by its parent's AddChild,
// AddChildOnTop or OpenWindow; from then on the parent owns it. It ends by Close (at once),
// RequestClose (at its next Update) or with its parent, and may do so from inside any walk over
// its siblings. The front child is drawn last and gets input first; a modal front child stops
// every input walk of its parent at itself.
#include "foundation/SharedString.h"
#include "graphics/Color.h"
#include "graphics/IntRect.h"

#include <cstdint>
#include <vector>

class CEnumTable;
class CFont;
class CJWindow;
class CJMessageWindow;
class CFrame;
class CFrameInterface;
class COffsetClippedProxyFrame;
class CResourceCollection;
class CScreenWindow;
class CScrollBarHook;
class CSequence;
class CSkinTheme;
class CWindowWatch;

// Placement codes of Place, AddChild and OpenWindow (offsets in font units of line height / 5).
enum : int32_t
{
    kPlaceNone = 0,                  // the rect is kept
    kPlaceTopLeft = 1,               // top-left of the client area
    kPlaceTopRight = 2,              // top-right, below the caption
    kPlaceTopRightOverCaption = 3,   // top-right, over the caption band
    kPlaceBottomRight = 4,
    kPlaceTopLeftSpaced = 5,         // as 1, default offsets from the spacing
    kPlaceCentred = 6,               // centred in the parent's visible area
    kPlaceBelow = 7,                 // below the relative window, left edges aligned
    kPlaceBelowPrevious = 8,         // the same for the previous sibling (1 when there is none)
    kPlaceBelowRightAligned = 9,
    kPlaceBelowPreviousRightAligned = 10,
    kPlaceBelowCentred = 11,         // below the relative window, centred in the parent
    kPlaceBelowPreviousCentred = 12,
    kPlaceRightOf = 13,              // tops aligned
    kPlaceRightOfPrevious = 14,
    kPlaceRightOfCentred = 15,       // centred on it vertically
    kPlaceRightOfPreviousCentred = 16,
    kPlaceRightOfBottomAligned = 17,
    kPlaceRightOfPreviousBottomAligned = 18,
    kPlaceOutsideRight = 19,         // the parent's height, against its right edge, outside it
    kPlaceLeftOf = 20,               // tops aligned
    kPlaceLeftOfPrevious = 21,
    kPlaceAtPointer = 22,            // at the mouse pointer, kept on the screen
    kPlaceBottomLeft = 23,
};

// Flags of Place, AddChild and AddChildOnTop.
constexpr uint32_t kPlaceNoGrow = 1;        // the parent does not grow to hold the window
constexpr uint32_t kPlacePixelOffsets = 2;  // x and y are pixels, not font units
constexpr uint32_t kPlaceNoMargin = 4;      // the parent grows without the outer margin
// An x or y offset that lets the placement code choose.
constexpr int32_t kDefaultOffset = -1000;

// Notification codes that windows send their parent through OnCommand.
enum : int32_t
{
    kCommandClicked = 0,       // clicked or confirmed
    kCommandValueChanged = 1,  // value or selection changed
    kCommandFirstShown = 2,    // sent by the parent's first draw, with a null sender
};

// Scrolling of content larger than the window; made on demand, freed when all zero.
struct CJWindowScrollState
{
    static constexpr int32_t kBarThickness = 15;

    int32_t m_scrollX = 0;
    int32_t m_scrollY = 0;
    int32_t m_contentWidth = 0;   // 0: the window's own width
    int32_t m_contentHeight = 0;  // 0: the window's own height
    bool m_automaticBars = false;
    CJWindow* m_verticalBar = nullptr;    // owned as a child
    CJWindow* m_horizontalBar = nullptr;  // owned as a child
    bool m_updatingBars = false;          // the bars' own SetRect calls back while they are set

    bool IsAllZero() const
    {
        return !m_scrollX && !m_scrollY && !m_contentWidth && !m_contentHeight && !m_automaticBars &&
               !m_verticalBar && !m_horizontalBar;
    }
};

class CJWindow
{
public:
    // The parent only lends its theme and transparent flag; the window is linked by AddChild.
    CJWindow(CJWindow* parent, const char* text);
    CJWindow(CJWindow* parent, const CSharedString& text);
    // A plain window (a tab page, a group).
    static CJWindow* ConstructFromString(CJWindow* parent, const CSharedString& text);
    CJWindow(const CJWindow&) = delete;
    CJWindow& operator=(const CJWindow&) = delete;

    // --- Virtual operations, in the toolkit's fixed order. ---

    // Saves the window state when it was loaded, deletes every child, leaves the parent.
    virtual ~CJWindow();
    virtual void SetTheme(CSkinTheme* theme) { m_theme = theme; }
    // Updates every child, refreshes automatic scroll bars, then closes when a close was requested.
    virtual void Update(float seconds);
    // The front child when it is visible and modal, else null.
    virtual CJWindow* GetModalWindow() const;
    // Draws the children back to front (the base draws nothing of its own). The frame is the
    // screen's proxy, set to this window's content coordinates and clip.
    virtual void Draw(COffsetClippedProxyFrame* frame);
    // Closes at the next Update (lets a window close itself from its own input handling).
    virtual void RequestClose() { m_closeRequested = true; }
    // Destroys the window and answers true; dialogs may refuse or defer.
    virtual bool Close();
    virtual void Destroy();
    // Closes the front child until there is none; false as soon as one does not go.
    virtual bool CloseChildren();
    // The outline of the rect grown by one pixel, in the parent's coordinates.
    virtual void DrawFocusFrame(CFrameInterface* frame, const CColor& color);
    // Input (points in screen coordinates; buttons 0 left, 1 right, 2 middle); each answers whether
    // it took the event. The base routes to the children front to back (see JWindowInput.cpp): a
    // child is hit when the point lies in its visible rect, hidden and disabled children are
    // skipped, a visible modal child ends every walk, and the first child that takes the event ends
    // it. Any handler may close windows, its own included.
    // A visible, enabled, hit child (or a modal front child) gets it. Set keepPress to have the
    // second press delivered as a press as well.
    virtual bool OnDoubleClick(int32_t button, const CIntPoint& point, bool& keepPress);
    // Activates the hit child, then offers it the press; when no child takes it, this window may
    // start a drag (OnMouseDrag with a zero delta) and captures the button if so.
    virtual bool OnMouseDown(int32_t button, const CIntPoint& point);
    // Ends this window's capture of the button, else offers the release to every child.
    virtual bool OnMouseUp(int32_t button, const CIntPoint& point);
    // OnMouseDown again.
    virtual bool OnMouseRepeat(int32_t button, const CIntPoint& point);
    // A drag in progress first; then the hovered child (the front one hit) gets OnHover and picks
    // the cursor; cursor stays null to keep the current one.
    virtual bool OnMouseMove(const CIntPoint& point, const CIntPoint& delta, CSequence*& cursor);
    // false: a plain window does not drag. buttons is the mask of the buttons held for the drag.
    virtual bool OnMouseDrag(const CIntPoint& point, const CIntPoint& delta, uint32_t buttons, CSequence*& cursor);
    // The hit or focused children, then the automatic scroll bars.
    virtual bool OnMouseWheel(int32_t notches, const CIntPoint& point);
    // The focused child first; then Tab and Shift+Tab move the focus among the tab stops, and
    // Escape cancels a drag (the pointer goes back to where it started).
    virtual bool OnKey(int32_t key);
    // Finds the window whose shortcut is the character (any case) and activates it; true also when
    // only disabled windows have it ("Player Error.wav" plays), false when none does.
    virtual bool HandleShortcut(int32_t character);
    // false (buttons click).
    virtual bool Activate() { return false; }
    // Sets the focused flag and passes it on to the front child.
    virtual void SetFocus(bool focused);
    virtual void OnVisibilityChanged(bool visible) { (void)visible; }
    // Passes the notification on to the parent unchanged, except the first-shown one. The
    // sender is null for the first-shown notification: every handler must accept that.
    virtual void OnCommand(CJWindow* sender, int32_t code);
    // The clipboard operations, offered to the visible children in order; true when one took it.
    virtual bool Cut(int32_t flag);
    virtual bool Copy(int32_t flag);
    virtual bool Paste(int32_t flag);
    virtual bool Delete(int32_t flag);
    // Nothing when the flag does not change. With activate, a window that became visible is
    // activated in its parent, one that became hidden activates its next sibling.
    virtual void Show(bool visible, bool activate);
    virtual bool IsVisible() const { return m_visible; }
    // Visible, and the parent shown too.
    virtual bool IsShown() const;
    virtual void UpdateState();
    // The parent's answer; the root answers its focused flag.
    virtual bool IsActive() const;
    // Links the child at the back, places it (placement 0 keeps its rect) and, unless flags has
    // kPlaceNoGrow, grows this window to hold it. A null child, this window or an ancestor of it
    // is refused.
    virtual void AddChild(CJWindow* child, int32_t placement, CJWindow* relative, int32_t x, int32_t y,
                          uint32_t flags);
    // The same at the front (drawn last, input first), and this window does not grow.
    virtual void AddChildOnTop(CJWindow* child, int32_t placement, CJWindow* relative, int32_t x, int32_t y,
                               uint32_t flags);
    // Unlinks the child (nothing for a window that is not a child of this one).
    virtual void RemoveChild(CJWindow* child);
    // Rotates the ring so that the child is in front, activating this window in its own parent
    // first when neither has the focus.
    virtual void ActivateChild(CJWindow* child);
    virtual void SendChildToBack(CJWindow* child);
    // The next visible tab stop toward the back (wrapping to the front), or null; never this one.
    virtual CJWindow* NextTabStop() const;
    virtual CJWindow* PrevTabStop() const;
    virtual void NotifyParent(int32_t code);
    virtual bool IsScreenWindow() const { return false; }
    virtual void SetShortcutKey(uint8_t character) { m_shortcutKey = character; }
    virtual uint8_t GetShortcutKey() const { return m_shortcutKey; }
    // No shortcut any more; answers false.
    virtual bool ClearShortcut();
    // Stores the text; with ampersand parsing the first '&' marks the shortcut (see JWindowText.cpp).
    virtual void SetText(const char* text);
    virtual const char* GetText() const { return m_text.CStr(); }
    virtual CFont* GetFont() const { return m_font; }
    virtual void SetFont(CFont* font) { m_font = font; }
    // The text read as a number; 0 when it holds none.
    virtual int32_t GetTextAsInt() const;
    virtual float GetTextAsFloat() const;
    virtual void SetTextInt(int32_t value);
    virtual void SetTextFloat(float value);
    virtual void SetBackgroundColor(const CColor& color) { m_backgroundColor = color; }
    virtual void SetBackgroundColor(uint8_t red, uint8_t green, uint8_t blue);
    virtual const CColor& GetBackgroundColor() const { return m_backgroundColor; }
    virtual void SetTextColor(uint8_t red, uint8_t green, uint8_t blue);
    virtual void SetHighlightColor(const CColor& color) { m_highlightColor = color; }
    virtual const CColor& GetHighlightColor() const { return m_highlightColor; }
    virtual void SetFocusFrameColor(uint8_t red, uint8_t green, uint8_t blue);
    virtual void SetSelectColor(uint8_t red, uint8_t green, uint8_t blue);
    virtual void SetFrameColor(uint8_t red, uint8_t green, uint8_t blue);
    // Every move and resize goes through here: the screen, visible and clip rects follow, and the
    // whole subtree with them. A window of the page (a child of the screen window) stays on it: it
    // is pulled back inside as far as its size allows, its top-left corner first.
    virtual void SetRect(const CIntRect& rect);
    virtual const CIntRect& GetRect() const { return m_rect; }
    // SetRect keeping the top-left corner.
    virtual void SetSize(int32_t width, int32_t height);
    // Top and left insets of the client area (titled windows have a caption).
    virtual int32_t GetCaptionHeight() const { return 0; }
    virtual int32_t GetSideInset() const { return 0; }
    // Sets the rect inside the parent by a placement code (see the codes above); code 0 does
    // nothing, and a code that needs a relative window or a parent that is missing sets no rect.
    // Unless flags has kPlaceNoGrow the parent then grows to hold the window.
    virtual void Place(int32_t code, CJWindow* relative, int32_t x, int32_t y, uint32_t flags);
    // Grows to hold the child plus the margin (font units; kDefaultOffset: the outer margin in
    // pixels); growth travels up the tree.
    virtual void GrowToFitChild(CJWindow* child, int32_t margin);
    // Whether a window of the subtree other than except has exactly that screen rect.
    virtual bool IsRectTaken(const CIntRect& screenRect, const CJWindow* except) const;
    virtual bool HasChildren() const { return m_frontChild != nullptr; }
    // Nothing (dialogs override).
    virtual void DiscardStack() {}
    virtual void WalkVisibleChildren();
    // The saved state under the key (the text when null) in the window-state file; the key is
    // remembered and the destructor saves under it. Missing keys leave the window as it is.
    virtual void LoadWindowState(const char* key, bool withSize);
    virtual void SaveWindowState(const char* key, bool withSize);
    // The cursor over the point (window coordinates); null keeps the current one.
    virtual CSequence* GetCursor(const CIntPoint& point) const;
    // The parent's answer; false at the root.
    virtual bool OnHover(const CIntPoint& point);
    // The theme's texture for this window, else "Window Texture" while active and "Inactive
    // Window Texture" otherwise; null when there is none.
    virtual CFrame* GetBackgroundTexture() const;
    virtual bool IsDialog() const { return false; }
    // Draws the text with the window's font (justification 0 left, 1 centred on x, 2 ending at
    // x), dimmed when the window is not enabled in its parent, with the shortcut underlined.
    virtual void DrawText(CFrameInterface* frame, int32_t x, int32_t y, int32_t justification);
    // With automatic scroll bars on: makes, removes, places and sets the range of the bars the
    // content size needs (through the scroll bar hook; without one no bar is made).
    virtual void UpdateScrollBars();

    // --- Plain operations. ---

    void SetEnabled(bool enabled) { m_enabled = enabled; }
    bool IsEnabled() const { return m_enabled; }
    // Enabled, and the parent enabled too (a disabled control in an enabled dialog draws dimmed).
    bool IsEnabledInParent() const;
    bool HasFocus() const { return m_focused; }
    void SetModal(bool modal) { m_modal = modal; }
    bool IsModal() const { return m_modal; }
    bool HasModalWindow() const { return GetModalWindow() != nullptr; }
    // Sets the flag on the whole subtree.
    void SetTransparent(bool transparent);
    bool IsTransparent() const { return m_transparent; }
    void SetTabStop(bool tabStop) { m_tabStop = tabStop; }
    bool IsTabStop() const { return m_tabStop; }
    void SetFramed(bool framed) { m_framed = framed; }
    void SetParseAmpersand(bool parse) { m_parseAmpersand = parse; }
    // AddChildOnTop on the parent (on this window without one), placement as given, default
    // offsets; the modal form makes the window modal first. False for a null window.
    bool OpenWindow(CJWindow* window, int32_t placement);
    bool OpenModalWindow(CJWindow* window, int32_t placement);
    // A modal message window with an OK button, opened centred on the parent (on this window
    // without one); the owner lends it its theme and font. Answers the window (it closes itself).
    CJMessageWindow* ShowMessage(CJWindow* owner, const CSharedString& caption, const CSharedString& text);
    CJMessageWindow* ShowMessageText(const char* caption, const char* text);
    // Moves the focus to the next or previous tab stop and turns keyboard navigation on; false
    // when there is none.
    bool FocusNextTabStop();
    bool FocusPrevTabStop();
    CJWindow* GetRoot();
    // The root when it is the screen window, else null.
    CJWindow* GetScreenWindow();
    // The first direct child of that text; null when none.
    CJWindow* FindChildByName(const char* text) const;
    // Row spacing (and the shared default) = font unit x units.
    void SetSpacing(int32_t units);

    // Mouse auto-repeat and tooltips, kept by the screen window (nothing, or false, for a window
    // outside its tree). Called from OnMouseDown: while the button stays down, this window gets
    // OnMouseRepeat after the delay and then once per interval, as long as the pointer is over it
    // (0 ms: the system's key-repeat delay and interval).
    void SetMouseRepeat(uint32_t delayMilliseconds, uint32_t intervalMilliseconds);
    // Whether the first repeat of the button last pressed has come.
    bool IsMouseRepeating();
    // The tooltip in this window's font and colours at the screen point, or below the pointer when
    // x is -1; a null or empty text hides it.
    void ShowTooltip(const char* text, int32_t x, int32_t y);
    // The same with the character at underlineIndex underlined (-1: none).
    void ShowTooltipUnderlined(int32_t underlineIndex, const char* text, int32_t x, int32_t y);

    // Scrolling (the scroll state is made on demand and freed when all zero). A content size of 0
    // is the window's own size in that direction.
    void SetContentSize(int32_t width, int32_t height);
    // Kept within the content (when a content size is set) and at least 0.
    void SetScrollPosition(int32_t x, int32_t y);
    void SetScrollX(int32_t x);
    void SetScrollY(int32_t y);
    // The size less the scroll bar and the inset on that axis.
    int32_t GetClientWidth() const;
    int32_t GetClientHeight() const;
    // Automatic scroll bars on or off; off deletes them.
    void EnableScrollBars(bool enabled);
    // The visible part of the client area, each side moved in by the insets, in scrolled window
    // coordinates; false when none of it is visible.
    bool GetVisibleClientRect(int32_t xInset, int32_t yInset, CIntRect& rect) const;

    CJWindow* GetParent() const { return m_parent; }
    CJWindow* GetFrontChild() const { return m_frontChild; }
    CJWindow* GetBackChild() const { return m_backChild; }
    // One step toward the back / toward the front.
    CJWindow* GetNextSibling() const { return m_nextSibling; }
    CJWindow* GetPrevSibling() const { return m_prevSibling; }
    CSkinTheme* GetTheme() const { return m_theme; }
    const CIntRect& GetScreenRect() const { return m_screenRect; }
    const CIntRect& GetVisibleRect() const { return m_visibleRect; }
    // Whether the screen point lies in the visible rect (input hits the window there).
    bool IsHit(const CIntPoint& point) const
    {
        return point.m_x >= m_visibleRect.m_left && point.m_x < m_visibleRect.m_right &&
               point.m_y >= m_visibleRect.m_top && point.m_y < m_visibleRect.m_bottom;
    }
    // Whether a visible modal window stands in front of this window or of one of its parents: the
    // input walks stop at it, so nothing here may show the pointer's hover.
    bool IsBehindModalWindow() const;
    // Whether the pointer at the screen point comes to this window first: it is hit, and no window
    // in front of it or of one of its parents is modal or takes the pointer there.
    bool IsFirstUnderPointer(const CIntPoint& point) const;
    const CIntRect& GetClipRect() const { return m_clipRect; }
    int32_t GetWidth() const { return m_rect.GetWidth(); }
    int32_t GetHeight() const { return m_rect.GetHeight(); }
    int32_t GetContentWidth() const { return m_contentWidth; }
    int32_t GetContentHeight() const { return m_contentHeight; }
    int32_t GetScrollX() const { return m_scroll ? m_scroll->m_scrollX : 0; }
    int32_t GetScrollY() const { return m_scroll ? m_scroll->m_scrollY : 0; }
    const CJWindowScrollState* GetScrollState() const { return m_scroll; }
    // Line height / 5 of the window's font (0 without a font).
    int32_t GetFontUnit() const;
    int32_t GetOuterMargin() const { return m_outerMargin; }
    int32_t GetSpacing() const { return m_spacing; }
    int32_t GetRowSpacing() const { return m_rowSpacing; }
    uint8_t GetShortcutPosition() const { return m_shortcutPosition; }
    uint8_t GetUnderlineLength() const { return m_underlineLength; }
    const CColor& GetTextColor() const { return m_textColor; }
    const CColor& GetFocusFrameColor() const { return m_focusFrameColor; }
    const CColor& GetSelectColor() const { return m_selectColor; }
    const CColor& GetFrameColor() const { return m_frameColor; }

    // Geometry (SetRect or SetSize with the other values kept).
    void SetPosition(int32_t x, int32_t y);
    void SetX(int32_t x);
    void SetY(int32_t y);
    void SetWidth(int32_t width);
    void SetHeight(int32_t height);
    void SetRectXYWH(int32_t x, int32_t y, int32_t width, int32_t height);
    // Rows of buttons: runs of siblings from this window (or first) to a later sibling, last
    // included. The row is sized to its widest button and spread across the parent's bottom.
    static void LayOutButtonRow(CJWindow* first, CJWindow* last, int32_t xOffset);
    // alignment 0 keeps left edges, 1 centres each on its old centre, 2 keeps right edges.
    void MatchRunWidths(CJWindow* last, int32_t alignment);
    // Spreads the extra width over the run so that it ends at this left + total width.
    void StretchRun(CJWindow* last, int32_t totalWidth);
    int32_t GetRunWidth(const CJWindow* last) const;

    // Draws a bevel (line height / 5 pixels thick) along the rect's sides (mask: 1 left, 2 top,
    // 4 right, 8 bottom): light top and left when raised, dark when sunken; style 0 soft, 1 strong.
    // On 8-bit frames the palette is remapped instead of blended.
    static void DrawBevel(const CFont* font, CFrameInterface* frame, const CIntRect& rect, bool raised,
                          uint32_t sides, int32_t style);
    // Fills the rect (frame coordinates) with the texture wrapped in both directions, the rect's
    // top-left corner showing the texture's point (textureX, textureY). A window that passes its
    // own position there lines its texture up with its parent's.
    static void FillWithTexture(CFrameInterface* frame, CFrame* texture, const CIntRect& rect, int32_t textureX,
                                int32_t textureY);

    // --- Toolkit-wide settings. ---

    static void SetDefaultFont(CFont* font);
    static CFont* GetDefaultFont();
    // Null makes the classic theme the default again at the next need.
    static void SetDefaultTheme(CSkinTheme* theme);
    // The default theme, the classic one when none was set.
    static CSkinTheme* GetDefaultTheme();
    // The image collections of the list icons and of the window textures; the textures are looked
    // up again by the next window made.
    static void SetSkinResources(CResourceCollection* listIcons, CResourceCollection* windowTextures);
    static CResourceCollection* GetListIcons();
    static CResourceCollection* GetWindowTextures();
    // The INI file of the saved window states; a bare name lies in the program's folder.
    static void SetWindowStateFile(const char* name);
    static const char* GetWindowStateFile();
    // The justifications of DrawText by name, for properties: "Justify Left", "Justify Center",
    // "Justify Right" (values 0, 1, 2).
    static CEnumTable& GetJustifications();
    // Null for every index: the toolkit has no cursor images of its own.
    static CSequence* GetCursorByIndex(int32_t index);
    // The maker of the automatic scroll bars (null: none); the hook must outlive the windows.
    static void SetScrollBarHook(CScrollBarHook* hook);

protected:
    // Geometry is computed in 64 bits and brought back into the 32-bit range.
    static int32_t ClampToInt(int64_t value);
    // Puts a cursor a handler returned on the mouse: nothing for null or the current one.
    static void ApplyCursor(CSequence* cursor);
    // The window's frame state for drawing: offset and clip of its content coordinates.
    void ApplyDrawingState(COffsetClippedProxyFrame* frame) const;

    CIntRect m_rect;
    CIntRect m_visibleRect;
    CIntRect m_screenRect;
    int32_t m_contentWidth = 0;
    int32_t m_contentHeight = 0;
    CIntRect m_clipRect;
    CSkinTheme* m_theme = nullptr;
    CSharedString m_text;
    CSharedString m_settingsKey;  // empty: no saved state
    bool m_saveSize = false;
    uint8_t m_shortcutPosition = 255;  // 255: none
    uint8_t m_underlineLength = 0;
    uint8_t m_shortcutKey = 0;
    bool m_focused = false;
    bool m_tabStop = false;
    bool m_ownShortcut = false;
    bool m_control = false;
    bool m_visible = true;
    bool m_enabled = true;
    bool m_hoverWhileDisabled = false;
    bool m_framed = false;
    bool m_modal = false;
    bool m_transparent = false;
    bool m_firstShown = false;
    uint8_t m_capturedButtons = 0;
    CIntPoint m_dragStart;
    int32_t m_dragValue = 0;
    int32_t m_outerMargin = 0;
    int32_t m_spacing = 0;
    int32_t m_rowSpacing = 0;
    bool m_parseAmpersand = true;
    CFont* m_font = nullptr;
    CColor m_backgroundColor;
    CColor m_textColor;
    CColor m_highlightColor;
    CColor m_focusFrameColor;
    CColor m_selectColor;
    CColor m_frameColor;
    CJWindow* m_parent = nullptr;
    CJWindow* m_frontChild = nullptr;
    CJWindow* m_backChild = nullptr;
    CJWindow* m_nextSibling = nullptr;  // toward the back
    CJWindow* m_prevSibling = nullptr;  // toward the front
    bool m_closeRequested = false;
    CJWindowScrollState* m_scroll = nullptr;

private:
    friend class CWindowWatch;

    // The child's rect from a placement code (or its own rect for 0), without growing anyone.
    void PlaceChild(CJWindow* child, int32_t placement, CJWindow* relative, int32_t x, int32_t y, uint32_t flags);
    // A child with children gets its focus on a tab stop before it is added.
    static void FocusFirstTabStopOf(CJWindow* child);
    // Takes the child from its former parent and gives its focus to a tab stop; false for a null
    // child, this window or one of its ancestors.
    bool PrepareChild(CJWindow* child);
    void Link(CJWindow* child, bool atFront);
    bool IsAncestorOrSelf(const CJWindow* window) const;
    // The clipboard operation offered to the visible children in order; true when one took it.
    bool OfferToChildren(bool (CJWindow::*operation)(int32_t), int32_t flag);
    // Code 22: at the pointer, kept on the screen and inside the parent; the pointer follows
    // when the window had to move.
    void PlaceAtPointer(int32_t dx, int32_t dy);
    // The screen's size: the display frame's, else the root's (for a window in a tree); false when
    // neither is known.
    bool GetScreenSize(int32_t& width, int32_t& height) const;
    // This window and the siblings behind it up to last (or to the back when last is not among them).
    std::vector<CJWindow*> GetRun(const CJWindow* last);
    // Brings a restored position back onto the screen or into the parent's visible area.
    void ClampRestoredPosition(int64_t& x, int64_t& y) const;
    // The screen window of this tree; null outside one.
    CScreenWindow* FindScreenWindow();
    // The scroll state, made when missing.
    CJWindowScrollState& GetOrMakeScrollState();
    // Frees the scroll state when all its fields are zero.
    void FreeScrollStateIfZero();
    // Whether the scroll position lies past the end of a set content size.
    bool IsScrolledPastContent(int32_t x, int32_t y) const;
    // Deletes the bar (the pointer is cleared first).
    static void DeleteBar(CJWindow*& bar);
    // OnMouseDown's own part: the drag a press on this window starts.
    bool StartDrag(int32_t button, const CIntPoint& point);
    // OnKey's own part: Tab, Shift+Tab and Escape.
    bool HandleNavigationKey(int32_t key);

    CWindowWatch* m_watches = nullptr;
};
