#pragma once
// The field of play: the nine sprite lists, the field rectangle the field is drawn within, the
// background's animated middle layer, and the game world's replayable drawing and effects (list
// draws, the field clip, the middle layer, effect sprites and bursts of sparks). Every game-world
// object reaches it through GetPlayfield; demo records played back act on it. The flow of a game
// (rounds, balls, scoring) is not here yet.
//
// The rule a caller must know: each drawing or spawning operation writes its demo record itself
// while a demo is being recorded, so callers draw and spawn only through these operations.
#include "game/sprites/SpriteList.h"
#include "graphics/IntRect.h"

#include <cstdint>
#include <memory>
#include <vector>

class CBackgroundDefinition;
class CBrickInfo;
class CBrickLayer;
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

    // Nine empty lists; the field rectangle (11, 10, 501, 480); no middle layer; detail level 2.
    CPlayfield();
    // Deletes every sprite of the nine lists and the brick layer.
    ~CPlayfield();
    CPlayfield(const CPlayfield&) = delete;
    CPlayfield& operator=(const CPlayfield&) = delete;

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

    // The scoring and power-up releases of a game, as far as bricks need them until the flow of a
    // game is here: points are summed, destroyed bricks counted, and a release is remembered by
    // kind (0 asks for a pick by the layout's weights) without a capsule.
    void AddPoints(int32_t points) { m_score += points; }
    int64_t GetScore() const { return m_score; }
    void CountBrickDestroyed() { ++m_bricksDestroyed; }
    uint32_t GetBricksDestroyed() const { return m_bricksDestroyed; }
    // Null: no capsule is made yet.
    CSprite* SpawnPowerUp(const CSprite* brick, uint32_t kind);
    const std::vector<uint32_t>& GetPowerUpsSpawned() const { return m_powerUpsSpawned; }
    // The round's background (not owned; null for none).
    void SetBackground(CBackgroundDefinition* background) { m_background = background; }
    CBackgroundDefinition* GetBackground() const { return m_background; }
    // The brick layer, made on first use.
    CBrickLayer& GetBrickLayer();
    // Whether the brick layer is laying the round's bricks (moving bricks wait for it).
    bool IsLayingBricks() const;
    // The brick layer has finished: "Ball In Play.wav" plays and the trapped balls are let go.
    // The ball itself comes with the flow of a game.
    void PutBallInPlay();
    uint32_t GetBallsPutInPlay() const { return m_ballsPutInPlay; }

    // How many sparks a burst of count makes while live effect behaviours are alive: all up to
    // 500, then round((1 - (live - 500) x 0.002) x count), none above 1000.
    static uint32_t ThinSparkCount(uint32_t count, uint32_t live);

private:
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
    CSequence* m_midground = nullptr;
    int m_backgroundDetailLevel = 2;
    CIntRect m_fieldRect{11, 10, 501, 480};
    int64_t m_score = 0;
    uint32_t m_bricksDestroyed = 0;
    std::vector<uint32_t> m_powerUpsSpawned;
    std::unique_ptr<CBrickLayer> m_brickLayer;
    uint32_t m_ballsPutInPlay = 0;
    CBackgroundDefinition* m_background = nullptr;
};

// The game's playfield; null while there is none.
CPlayfield* GetPlayfield();
// The owner of the playfield (the game object) hands it over here, and null when it goes.
void SetPlayfield(CPlayfield* playfield);
