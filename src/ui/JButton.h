#pragma once
// The toolkit's push button: a text or an image drawn by the theme's button part, clicked by the
// left mouse button, Space, its shortcut or Enter, with an optional action, tooltip, auto-repeat
// while held and hit polygon. Buttons made with a group leader form a radio group: a circle linked
// through each member's next member, in which Left and Right move and click.
//
// The rule a caller must know: every click ends in NotifyParent(kCommandClicked) after the action
// ran, and either may delete the button (and its dialog); code after Click must not touch the
// button without watching it.
#include "foundation/SharedString.h"
#include "ui/JWindow.h"

#include <cstdint>

class CBroadcastMessage;
class CCallback;
class CFrame;
class CJThemeButtonPart;
class CPolygon2D;

class CJButton : public CJWindow
{
public:
    // The button is linked into the leader's group right after the leader when one is given.
    CJButton(CJWindow* parent, const char* text, CJButton* groupLeader);
    CJButton(CJWindow* parent, const CSharedString& text, CJButton* groupLeader);
    static CJButton* ConstructFromString(CJWindow* parent, const CSharedString& text, CJButton* groupLeader);
    // Leaves its radio group, then frees the action, hit polygon, owned image and theme part.
    ~CJButton() override;

    // The theme's button part draws the face; the flash ends with this draw.
    void Draw(COffsetClippedProxyFrame* frame) override;
    // The left button inside the hit polygon presses (and starts the auto-repeat); false otherwise.
    bool OnMouseDown(int32_t button, const CIntPoint& point) override;
    // Releasing a pressed button clicks when the pointer is inside and no repeat fired; true when
    // it was pressed.
    bool OnMouseUp(int32_t button, const CIntPoint& point) override;
    // Clicks.
    bool OnMouseRepeat(int32_t button, const CIntPoint& point) override;
    bool OnMouseMove(const CIntPoint& point, const CIntPoint& delta, CSequence*& cursor) override;
    // Space clicks; Left and Right move through a radio group and click; the rest to the base.
    bool OnKey(int32_t key) override;
    // Clicks when enabled (Enter, the shortcut); false when disabled.
    bool Activate() override;
    // An action that controls the enabled flag sets it from its availability.
    void UpdateState() override;
    // Inside the hit polygon a tooltip shows when there is one; elsewhere the parent's answer.
    bool OnHover(const CIntPoint& point) override;

    // The theme part's answer to the message (false without a part).
    virtual bool HandleThemeMessage(CBroadcastMessage* message);
    // The part's own set-up after it was made (nothing here).
    virtual void PrepareThemePart() {}
    // 0 left, 1 centred, 2 right.
    virtual void SetJustification(int32_t justification) { m_justification = justification; }
    // In a radio group, checking takes the tab stop and unchecks the other members; unchecking
    // gives the tab stop up.
    virtual void SetChecked(int32_t checked);
    virtual bool IsChecked() const { return m_checked != 0; }
    // Whether a click came since the last call; clears it.
    virtual bool WasClicked();
    // The click sound, then OnClicked.
    virtual void Click();
    // Marks the click (and the flash while shown), runs the action, notifies the parent.
    virtual void OnClicked();
    // Whether the screen point lies in the hit polygon (true without one).
    virtual bool HitTest(const CIntPoint& point) const;
    // "UI/Button Action.wav".
    virtual void PlayClickSound();
    // Called when the pointer comes over the button; nothing here.
    virtual void OnPointerEnter() {}

    // Replaces the action; the old one is deleted.
    void SetAction(CCallback* action);
    CCallback* GetAction() const { return m_action; }
    // Shows the image (not owned) instead of the text and sizes the button to it; an image-only
    // button has no frame and no spacing. An empty tooltip takes the text.
    void SetImage(CFrame* image, bool imageOnly);
    // Drawn under the faded image while the button is disabled; not owned.
    void SetDisabledImage(CFrame* image) { m_disabledImage = image; }
    // The tooltip text (null: none) without an underline.
    void SetToolTip(const CSharedString* text);
    // The tooltip text with the character at highlight underlined (-1: none).
    void SetToolTipText(const char* text, int32_t highlight);
    const char* GetToolTip() const { return m_toolTip.CStr(); }
    void SetAutoRepeat(bool autoRepeat) { m_autoRepeat = autoRepeat; }
    void SetTextWithImage(bool textWithImage) { m_textWithImage = textWithImage; }
    // Dimmed like a disabled button while still clickable (for themes that show it).
    void SetDisabledLook(bool disabledLook) { m_disabledLook = disabledLook; }
    // No border and the image only while down (a hot spot over a picture).
    void SetBorderless(bool borderless) { m_borderless = borderless; }
    void SetCentreImage(bool centre) { m_centreImage = centre; }
    // Limits where the button can be pressed; relative to the button's top-left corner; owned.
    void SetHitPolygon(CPolygon2D* polygon);

    bool IsPressed() const { return m_pressed; }
    bool IsPointerInside() const { return m_pointerInside; }
    // The pointer is over the button and no modal window stands in front of it (one opened over
    // the pointer leaves the flag as the last move set it).
    bool ShowsHover() const { return m_pointerInside && !IsBehindModalWindow(); }
    bool IsFlashing() const { return m_flash; }
    bool ShowsDisabledLook() const { return m_disabledLook; }
    bool IsBorderless() const { return m_borderless; }
    bool CentresImage() const { return m_centreImage; }
    bool DrawsTextWithImage() const { return m_textWithImage; }
    int32_t GetJustification() const { return m_justification; }
    CFrame* GetImage() const { return m_image; }
    CFrame* GetDisabledImage() const { return m_disabledImage; }
    CJThemeButtonPart* GetThemePart() const { return m_part; }
    // The next member of the radio group; null outside one.
    CJButton* GetNextGroupMember() const { return m_nextMember; }
    CJButton* GetPreviousGroupMember() const;

protected:
    bool m_disabledLook = false;
    bool m_pressed = false;
    bool m_pointerInside = false;
    bool m_clicked = false;
    bool m_flash = false;
    int32_t m_checked = 0;
    int32_t m_justification = 1;
    CJButton* m_nextMember = nullptr;
    CFrame* m_image = nullptr;
    CFrame* m_disabledImage = nullptr;
    bool m_imageOnly = false;
    bool m_ownsImage = false;
    bool m_borderless = false;
    bool m_centreImage = false;
    CSharedString m_toolTip;
    int32_t m_toolTipHighlight = -1;
    bool m_autoRepeat = false;
    bool m_textWithImage = false;
    CCallback* m_action = nullptr;
    CPolygon2D* m_hitPolygon = nullptr;
    CJThemeButtonPart* m_part = nullptr;

private:
    void SetUp(CJButton* groupLeader);
    void LeaveGroup();
    // Makes the member the parent's active child and clicks it.
    void MoveToMember(CJButton* member);
};
