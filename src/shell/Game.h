#pragma once
// The game application object: the one application, with the game's step constants and start
// song, and the owner of the player statistics (loaded by Init, saved when the game is destroyed).
// The rest of the game (its data, menus, playfield and drawing) is not here yet: it shows the
// company logo while it starts, then ticks and presents an empty page.
#include "app/ApplicationBase.h"

class CStats;
class CTimedPictureScreen;

class CGame : public CApplicationBase
{
public:
    // The start-up picture screen is kept by the game and deleted with it.
    explicit CGame(CTimedPictureScreen* pictureScreen);
    ~CGame() override;

    void Init(CTimedPictureScreen* pictureScreen) override;
    void Update(float seconds) override;
    bool Draw() override;
    bool IsInMenu() const override { return false; }

    // Null before Init.
    CStats* GetStats() const { return m_stats; }

private:
    CTimedPictureScreen* m_pictureScreen;
    CStats* m_stats = nullptr;
};

// The game's statistics; null while no game object exists or before its Init.
CStats* GetStats();
