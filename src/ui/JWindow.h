#pragma once
// The base of every window of the toolkit. Only what the application drives exists yet: the
// update, the modal query and opening a window on top; windows and controls come with the toolkit.
class CResourceCollection;

class CJWindow
{
public:
    virtual ~CJWindow() = default;

    // Advances the window (and, for the screen window, the whole window tree).
    virtual void Update(float seconds) { (void)seconds; }
    // Whether a modal window is open above this one.
    virtual bool HasModalWindow() const { return false; }
    // Adds a window on top: placement 6 centres it, 0 puts it at the default place. Returns the
    // window's result.
    virtual int OpenWindow(CJWindow* window, int placement);

    // The toolkit's two image collections: list icons and window textures.
    static void SetSkinResources(CResourceCollection* listIcons, CResourceCollection* windowTextures);
    static CResourceCollection* GetListIcons() { return s_listIcons; }
    static CResourceCollection* GetWindowTextures() { return s_windowTextures; }

private:
    static CResourceCollection* s_listIcons;
    static CResourceCollection* s_windowTextures;
};
