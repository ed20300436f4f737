#pragma once
// The game application object: the one application, with the game's step constants and start
// song. The game itself (its data, menus, playfield and drawing) is not here yet: it starts, ticks
// and presents an empty page.
#include "app/ApplicationBase.h"

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

private:
    CTimedPictureScreen* m_pictureScreen;
};
