#pragma once
// The field of play: the nine sprite lists, the current round's layout and its brick layer, the
// background, the lives and the round state. It runs a game (new game, rounds, serving the ball,
// lost balls, the end of a round and its bonus tally, game over and the verdict, the completed
// game), updates the lists each 1/60 s step and wires their collisions to the behaviours, and draws
// the field in a fixed layer order. The game world's replayable drawing and effects (list draws,
// the field clip, the middle layer, effect sprites and bursts of sparks) are here too. Every
// game-world object reaches it through GetPlayfield; demo records played back act on it. What the
// shell owns (statistics, menus, dialogs) it reaches through its host.
//
// The rule a caller must know: each drawing or spawning operation writes its demo record itself
// while a demo is being recorded, so callers draw and spawn only through these operations; and
// the host must outlive the field (a field without one keeps no score).
#include "foundation/SharedString.h"
#include "game/PlayfieldHost.h"
#include "game/sprites/SpriteList.h"
#include "graphics/IntRect.h"

#include <cstdint>
#include <memory>

class CBackgroundDefinition;
class CBrickInfo;
class CBrickLayer;
class CBrickLayout;
class CFrame;
class CFrameInterface;
class CParticleGeneratorInfo;
class CParticleType;
class CSequence;
class CSprite;

class CPlayfield
{
public:
    // The ids by which demo records name the lists.
    static constexpr uint32_t kBackgroundSpritesId = 0;
    static constexpr uint32_t kLowEffectsId = 1;
    static constexpr uint32_t kForegroundId = 2;
    static constexpr uint32_t kPowerUpsId = 3;
    static constexpr uint32_t kShotsId = 4;
    static constexpr uint32_t kBricksId = 5;
    static constexpr uint32_t kFreedBallsId = 6;
    static constexpr uint32_t kShipId = 7;
    static constexpr uint32_t kBallsId = 8;
    static constexpr uint32_t kListCount = 9;
    // Spawned effects are recorded in one of the first three lists.
    static constexpr uint32_t kLastEffectListId = kForegroundId;
    // More live effect behaviours than this thin the bursts of sparks.
    static constexpr uint32_t kSparkThinningStart = 500;
    // Shape modes of a burst.
    static constexpr int kBoxShape = 0;
    static constexpr int kDiscShape = 1;

    // Difficulties.
    static constexpr uint32_t kEasy = 0;
    static constexpr uint32_t kInsane = 3;
    // The flow of a game, in steps of 1/60 s, and its points.
    static constexpr int32_t kEndOfRoundDelay = 45;
    static constexpr int32_t kFirstTallyDelay = 120;
    static constexpr int32_t kTallyDelay = 19;
    static constexpr int32_t kLastTallyDelay = 60;
    static constexpr float kGameOverDelay = 2.0f;
    static constexpr int32_t kRoundBonus = 1000;
    static constexpr int32_t kNoShipBonus = 3000;
    static constexpr int32_t kBallBonus = 500;
    static constexpr int32_t kSpecialBallBonus = 1000;
    // Points gains from this up, and every loss, show a points line.
    static constexpr int32_t kPointsLineFrom = 100;
    static constexpr float kMessageSeconds = 4.0f;
    static constexpr float kCompletedGameSeconds = 30.0f;
    // Where the ship starts.
    static constexpr int32_t kShipX = 320;
    static constexpr int32_t kShipY = 440;
    // Keys that skip the laying of bricks: Enter and Space.
    static constexpr uint32_t kEnterKey = 13;
    static constexpr uint32_t kSpaceKey = 32;

    // Nine empty lists, an empty layout, no brick layer, no background; the field rectangle (11, 10,
    // 501, 480); no middle layer; detail level 2; a host that keeps nothing.
    CPlayfield();
    // Deletes the layout, the brick layer and every sprite of the nine lists.
    ~CPlayfield();
    CPlayfield(const CPlayfield&) = delete;
    CPlayfield& operator=(const CPlayfield&) = delete;

    // The host (not owned); null gives back the host that keeps nothing.
    void SetHost(CPlayfieldHost* host);
    CPlayfieldHost& GetHost() const { return *m_host; }

    // The sprites of every list.
    void DeleteAllSprites();
    // Lives (4 on Easy, 2 otherwise), the current game's record unless resuming, a new ship, then
    // the round.
    void StartNewGame(uint32_t round, uint32_t difficulty, bool resuming);
    // Resets the round state, clears every list but the ship's, loads the round's layout and starts
    // laying it.
    void StartRound(uint32_t round);
    void StartNextRound() { StartRound(m_round + 1); }
    // Called by the brick layer when the bricks lie: a ball on the ship and the round's messages.
    void PutBallInPlay();
    // A new ball held by the ship; loseLife costs a life first.
    void NewBallOnShip(bool loseLife);
    // With the balls list empty during play: a new ball for a life, or game over.
    void CheckLostBall();
    // One step of the bonus tally: the next ball's bonus, or the next round (or the completed game)
    // when no ball is left.
    void TallyNextBall();
    void CompleteGame();
    // The verdict of a finished game; a score of 0 goes to the main menu instead.
    void FinishGame();
    // Keeps the game in progress (its round, the time it was left, the lives) as the current
    // player's snapshot, saved at once.
    void SuspendGame();
    // Restarts the snapshot's round from its beginning with its score and lives (a round past the
    // last one there is resumes the last round), then the snapshot goes. False, starting nothing,
    // when the player has none.
    bool RestoreSuspendedGame();
    // Ends the game: mode 1 after 2 seconds, any other mode at once.
    void EndGame(int32_t mode);

    // One step of 1/60 s.
    void Update(float elapsed);
    // The field in layer order (recorded while a demo is being recorded), then "Game Over" when
    // the game is over.
    void Draw(CFrameInterface* target);
    // The background's still image (and a still middle layer) at detail levels above 0.
    void DrawStaticBackground(CFrameInterface* target);
    // The brick layer while it lays.
    void DrawBrickLayer(CFrameInterface* target);

    // Adds to the current game's score (never below 0); gains from 100 and losses show a points
    // line for 4 seconds.
    void AddPoints(int32_t points);
    uint32_t GetScore() const;
    uint32_t GetDifficulty() const;
    int32_t GetLives() const { return m_lives; }
    // Also refreshes the score area.
    void SetLives(int32_t lives);
    // A cheat word was typed: when cheats count and the game is not over the score goes and the
    // game is flagged; "You are cheating" in any case.
    void OnCheatUsed();
    // Counted when above 1 and the round is not complete.
    void RecordBallSpeed(float speed);
    // A falling power-up at the brick's position, of the kind (0: picked by the layout's weights);
    // null without a brick.
    CSprite* SpawnPowerUp(CSprite* brick, uint32_t kind);
    // The current background (not owned; null for none) and its images and music.
    void SetBackground(CBackgroundDefinition* background);
    CBackgroundDefinition* GetBackground() const { return m_background; }
    // Enter or Space while the bricks are being laid lays them at once; whether the key was taken.
    bool HandleSkipKey(uint32_t key);
    bool IsLayingBricks() const;
    // The brick layer, made on first use.
    CBrickLayer& GetBrickLayer();
    // The current round's layout, reset to its defaults on first access.
    CBrickLayout& GetBrickLayout();

    // Round numbering over the round sets in their collection's order. False past the last set
    // (set and index then 0).
    static bool ToRoundSetAndIndex(uint32_t round, uint32_t& set, uint32_t& index);
    static uint32_t ToAbsoluteRound(uint32_t set, uint32_t index);
    // "%d-%02d", set and round counted from 1.
    static CSharedString FormatRoundLabel(uint32_t round);
    static uint32_t GetTotalRoundCount();

    // The world's millisecond clock: 1000/60 ms per step, so that seeded runs repeat exactly.
    uint32_t GetWorldMilliseconds() const { return static_cast<uint32_t>(m_steps * 1000 / 60); }
    bool IsGameOver() const { return m_gameOver; }
    float GetGameOverDelay() const { return m_gameOverDelay; }
    uint32_t GetRound() const { return m_round; }
    uint32_t GetRoundSet() const { return m_roundSet; }
    uint32_t GetRoundInSet() const { return m_roundInSet; }
    bool IsRoundComplete() const { return m_roundComplete; }
    int32_t GetEndOfRoundDelay() const { return m_endOfRoundDelay; }
    int32_t GetTallyDelay() const { return m_tallyDelay; }
    float GetRoundTime() const { return m_roundTime; }
    float GetBallSpeedCount() const { return m_ballSpeedCount; }
    float GetBallSpeedSum() const { return m_ballSpeedSum; }
    float GetLastBallSpeed() const { return m_lastBallSpeed; }

    // The list of that id; null above 8.
    CSpriteList* GetListById(uint32_t id);
    // The id of one of the nine lists; 0 for any other list (or none).
    uint32_t GetListId(const CSpriteList* list) const;

    CSpriteList& GetBalls() { return m_balls; }
    CSpriteList& GetFreedBalls() { return m_freedBalls; }
    CSpriteList& GetShots() { return m_shots; }
    CSpriteList& GetShip() { return m_ship; }
    CSpriteList& GetPowerUps() { return m_powerUps; }
    CSpriteList& GetBricks() { return m_bricks; }
    CSpriteList& GetBackgroundSprites() { return m_backgroundSprites; }
    CSpriteList& GetLowEffects() { return m_lowEffects; }
    CSpriteList& GetForeground() { return m_foreground; }
    const CIntRect& GetFieldRect() const { return m_fieldRect; }

    // The background's animated middle layer (not owned; null for none).
    void SetMidground(CSequence* midground) { m_midground = midground; }
    CSequence* GetMidground() const { return m_midground; }
    // 0 to 2; the middle layer shows at 2 only.
    void SetBackgroundDetailLevel(int level) { m_backgroundDetailLevel = level; }
    // After a change of the detail level: once a round has started, the background-sprite and
    // foreground lists are emptied and the round layout's background applied again, which makes
    // its decorations at the level now set (none below 2).
    void RemakeDecorations();
    int GetBackgroundDetailLevel() const { return m_backgroundDetailLevel; }

    // Records the list's id (4 bits), then draws the list (nothing for a null list).
    void DrawSpriteList(CSpriteList* list, CFrameInterface* target);
    // Records the flag (1 bit); then, on a back buffer, true limits the bounds to the field
    // rectangle and false lifts the limit. Other targets keep their bounds.
    void SetClipToField(CFrameInterface* target, bool clip);
    // Records the call (no fields); then, at detail level 2 with a middle layer, draws its current
    // frame at (0, 0) through the plain copy blitter; on a back buffer a still layer (fewer than 2
    // frames) only into the cells already dirty.
    void DrawMidLayer(CFrameInterface* target);

    // A one-shot effect: a sprite of the sequence at the position (rounded for the integer one)
    // with the velocity when one is given and the sequence's blitter, animated at the sequence's
    // rate times rate (kept still at rate 0), appended to the list (the foreground without one).
    // While recording the sprite's own draws stay out of the demo, and unless noRecord the spawn is
    // recorded (the list as its id clamped to 0..2). Null, spawning nothing, without a sequence or
    // frames: such an effect would never end.
    CSprite* SpawnEffectSprite(bool noRecord, CSequence* sequence, const CFloatPoint& position, CSpriteList* list,
                               const CFloatPoint* velocity, float rate);
    // The effect at the sprite's float position in the foreground, at the sequence's own rate.
    CSprite* SpawnEffectAtSprite(const CSprite* sprite, CSequence* sequence);

    // A burst of the generator's sparks (nothing without a generator), recorded as one record:
    // "Particles" sparks, fewer when more than 500 effect behaviours live and none above 1000;
    // their kinds shared out by weight among the brick type's break particle types when a brick
    // type is given, else the generator's; placed in the box of half-size (a, b) round the
    // position (shape 0) or in the disc of radius a (shape 1), else at the position; each at the
    // generator's velocity times [0.75, 1.25) within the cone about direction, or away from the
    // centre for a cone of all round, animated at [0.75, 1.25) times its rate; into the list (the
    // foreground without one).
    void SpawnSparks(const CFloatPoint& position, int shape, float sizeA, float sizeB, float direction,
                     CParticleGeneratorInfo* generator, const CBrickInfo* brickType, CSpriteList* list);
    // The same in the box shape.
    void SpawnSparks(const CFloatPoint& position, float sizeA, float sizeB, float direction,
                     CParticleGeneratorInfo* generator, const CBrickInfo* brickType, CSpriteList* list);
    // Sparks in the disc of the radius round the sprite's float position; atEdge plays "Default
    // Spark.wav" and starts them all on the edge behind the direction (the position less radius
    // times the direction's unit vector).
    void SpawnSparksAtSprite(const CSprite* sprite, int32_t radius, bool atEdge, float direction,
                             CParticleGeneratorInfo* generator);
    // Sparks in the brick-sized box (16 by 9 either way) round the sprite's float position.
    void SpawnSparksOverBrick(const CSprite* sprite, CParticleGeneratorInfo* generator, const CBrickInfo* brickType);

    // How many sparks a burst of count makes while live effect behaviours are alive: all up to
    // 500, then round((1 - (live - 500) x 0.002) x count), none above 1000.
    static uint32_t ThinSparkCount(uint32_t count, uint32_t live);

private:
    // The steps of Update.
    void UpdateDelays();
    void UpdateLists();
    void CollideLists();
    void CheckRoundComplete();
    bool IsAnyNeededBrickLeft() const;
    void RecordCheckPoint();
    // The sprite of the ship list when it is active; null otherwise.
    CSprite* GetActiveShip() const;
    // Shows "Round s-r" and the layout's name.
    void ShowRoundMessage(float seconds);
    bool IsPlayingBack() const;

    // The lists in the order of their ids.
    static CSpriteList CPlayfield::* const s_listsById[kListCount];

    CSpriteList m_balls;
    CSpriteList m_freedBalls;
    CSpriteList m_shots;
    CSpriteList m_ship;
    CSpriteList m_powerUps;
    CSpriteList m_bricks;
    CSpriteList m_backgroundSprites;
    CSpriteList m_lowEffects;
    CSpriteList m_foreground;
    CSequence* m_foregroundImage = nullptr;
    CSequence* m_midground = nullptr;
    CFrame* m_backgroundImage = nullptr;
    CBackgroundDefinition* m_background = nullptr;
    std::unique_ptr<CBrickLayout> m_layout;
    bool m_layoutReset = false;
    // A round was started: the layout is the current round's.
    bool m_roundStarted = false;
    uint32_t m_round = 0;
    uint32_t m_roundSet = 0;
    uint32_t m_roundInSet = 0;
    std::unique_ptr<CBrickLayer> m_brickLayer;
    int32_t m_lives = 0;
    bool m_gameOver = false;
    // FinishGame has run for this game.
    bool m_gameFinished = false;
    float m_gameOverDelay = 0.0f;
    float m_roundTime = 0.0f;
    int32_t m_endOfRoundDelay = 0;
    int32_t m_tallyDelay = 0;
    bool m_showBonusTitle = false;
    bool m_roundComplete = false;
    float m_ballSpeedCount = 0.0f;
    float m_ballSpeedSum = 0.0f;
    float m_lastBallSpeed = 0.0f;
    uint64_t m_steps = 0;
    int m_backgroundDetailLevel = 2;
    CIntRect m_fieldRect{11, 10, 501, 480};
    CPlayfieldHost* m_host;
};

// The game's playfield; null while there is none.
CPlayfield* GetPlayfield();
// The owner of the playfield (the game object) hands it over here, and null when it goes.
void SetPlayfield(CPlayfield* playfield);
