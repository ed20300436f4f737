#pragma once
// Every name the program looks up in its data set, in one place: the sequences, pictures,
// overlay texts, fonts, particle generators and sounds that code asks the collections for by
// name, and the effects of the force-feedback project that it plays by name. The game's start-up
// asks for every look (sequences, pictures, overlay texts and fonts), so a data set that lacks one
// ends with the not-found report there and not in the middle of a round; the data set's test
// finds every name of the list in the built archives.
//
// The rule a caller must know: code that looks a name up uses the constant from here (a new name
// is added to its list first); names the data files give each other (a brick type's looks, a
// layout's bricks) are the data's own and are not listed.
#include <vector>

// Sequences. The ship's bodies are found by their place after "TX Ship", so their names are here
// in that order.
#define VANTOREL_SEQUENCE_NAMES(X)                                                                                     \
    X(kBall, "Ball")                                                                                                   \
    X(kBallFire, "Ball Fire")                                                                                          \
    X(kBallRail, "Ball Rail")                                                                                          \
    X(kSmallBall, "Small Ball")                                                                                        \
    X(kShip, "TX Ship")                                                                                                \
    X(kShip1, "TX Ship 1")                                                                                             \
    X(kShip2, "TX Ship 2")                                                                                             \
    X(kShip3, "TX Ship 3")                                                                                             \
    X(kShip4, "TX Ship 4")                                                                                             \
    X(kShip5, "TX Ship 5")                                                                                             \
    X(kSmallShield, "TX Small Shield")                                                                                 \
    X(kSmallShield2, "TX Small Shield 2")                                                                              \
    X(kNormalShield, "TX Normal Shield")                                                                               \
    X(kLongShield, "TX Long Shield")                                                                                   \
    X(kBiggestShield, "TX Biggest Shield")                                                                             \
    X(kThrustLeft, "Player Parts/Thrust Left")                                                                         \
    X(kThrustRight, "Player Parts/Thrust Right")                                                                       \
    X(kSmallGuns, "TX Small Guns")                                                                                     \
    X(kSmallGunsRecoilLeft, "TX Small Guns Recoil Left")                                                               \
    X(kSmallGunsRecoilRight, "TX Small Guns Recoil Right")                                                             \
    X(kBigGuns, "TX Big Guns")                                                                                         \
    X(kBigGunsRecoilLeft, "TX Big Guns Recoil Left")                                                                   \
    X(kBigGunsRecoilRight, "TX Big Guns Recoil Right")                                                                 \
    X(kPlayerShot, "Player Parts/Gun/Player Shot")                                                                     \
    X(kBigShot, "Player Parts/Big Gun/Big Shot")                                                                       \
    X(kCapsuleSlow, "Power Ups/Slow")                                                                                  \
    X(kCapsuleExpand, "Power Ups/Expand")                                                                              \
    X(kCapsuleCatcher, "Power Ups/Catcher")                                                                            \
    X(kCapsuleFireBall, "Power Ups/Fire Ball")                                                                         \
    X(kCapsuleMultiply3, "Power Ups/Multiply 3")                                                                       \
    X(kCapsuleMultiply8, "Power Ups/Multiply 8")                                                                       \
    X(kCapsuleGun, "Power Ups/Gun")                                                                                    \
    X(kCapsuleBigGun, "Power Ups/Big Gun")                                                                             \
    X(kCapsuleExtraBall, "Power Ups/Extra Ball")                                                                       \
    X(kCapsuleRailBall, "Power Ups/Rail Ball")                                                                         \
    X(kCapsuleNormalBall, "Power Ups/Normal Ball")                                                                     \
    X(kCapsuleSmallBall, "Power Ups/Small Ball")                                                                       \
    X(kCapsuleShrink, "Power Ups/Shrink")                                                                              \
    X(kCapsuleFast, "Power Ups/Fast")                                                                                  \
    X(kCapsuleBomb, "Power Ups/Bomb")                                                                                  \
    X(kSmallGore, "Small Gore")                                                                                        \
    X(kShipExplode, "ShipExplode")                                                                                     \
    X(kBrickLayerLeftGears, "Brick Layer/Left Gears")                                                                  \
    X(kBrickLayerRightGears, "Brick Layer/Right Gears")                                                                \
    X(kBrickLayerBar, "Brick Layer/Bar")                                                                               \
    X(kBrickLayerCarriage, "Brick Layer/Carriage")                                                                     \
    X(kMouseCursor, "MouseCursor")                                                                                     \
    X(kMenuBall, "Menu Ball")

// Pictures of the frame list.
#define VANTOREL_PICTURE_NAMES(X)                                                                                      \
    X(kCompanyLogo, "CompanyLogo")                                                                                     \
    X(kSplash, "Splash")                                                                                               \
    X(kMainMenu, "Main Menu Pluvex")                                                                                   \
    X(kScoreBoardFrame, "Score Board Frame")                                                                           \
    X(kGameOver, "Game Over")                                                                                          \
    X(kCompletedGame, "Completed Game")                                                                                \
    X(kMute, "Mute")

// Texts set over full-screen pictures, named as their pictures are.
#define VANTOREL_OVERLAY_NAMES(X)                                                                                      \
    X(kSplash, "Splash")                                                                                               \
    X(kCompletedGame, "Completed Game")

#define VANTOREL_FONT_NAMES(X)                                                                                         \
    X(kSmallBlue, "Small Blue")                                                                                        \
    X(kDevuduvozo, "Devuduvozo")                                                                                       \
    X(kOcrNumbers, "OCR Monospaced Numbers")                                                                           \
    X(kBigWhite, "Big White")                                                                                          \
    X(kYellowHeader, "Yellow Header")                                                                                  \
    X(kNumbersBlue, "Numbers Blue")

// Particle generators.
#define VANTOREL_GENERATOR_NAMES(X)                                                                                    \
    X(kBallHitWall, "Ball Hit Wall")                                                                                   \
    X(kBallHitWallSmall, "Ball Hit Wall Small")                                                                        \
    X(kBallHitShip, "Ball Hit Ship")                                                                                   \
    X(kBallHitShipSmall, "Ball Hit Ship Small")                                                                        \
    X(kBallHitBrick, "Ball Hit Brick")                                                                                 \
    X(kBallHitBrickSmall, "Ball Hit Brick Small")                                                                      \
    X(kFireBall, "Fire Ball")                                                                                          \
    X(kFireBallSmall, "Fire Ball Small")                                                                               \
    X(kRailBall, "Rail Ball")                                                                                          \
    X(kRailBallSmall, "Rail Ball Small")                                                                               \
    X(kShipThruster, "Ship Thruster")                                                                                  \
    X(kShipExplode, "Ship Explode")                                                                                    \
    X(kBombExplode, "Bomb Explode")                                                                                    \
    X(kBrickChangeType, "Brick Change Type")

// Sounds of the sound list (a sound stored as Ogg Vorbis is asked for by its ".wav" name).
#define VANTOREL_SOUND_NAMES(X)                                                                                        \
    X(kButtonAction, "UI/Button Action.wav")                                                                           \
    X(kButtonSwitch, "UI/Button Switch.wav")                                                                           \
    X(kButtonFlip, "UI/Button Flip.wav")                                                                               \
    X(kButtonHover, "UI/Button Hover.wav")                                                                             \
    X(kMenuBallBounce, "UI/Menu Ball Bounce.wav")                                                                      \
    X(kPlayerError, "Player Error.wav")                                                                                \
    X(kPopBrick, "Pop Brick.wav")                                                                                      \
    X(kBrickPlaced, "Brick Placed.WAV")                                                                                \
    X(kBrickTurnedOn, "Brick Turned On.wav")                                                                           \
    X(kBrickTurnedOff, "Brick Turned Off.wav")                                                                         \
    X(kBrickChange, "Brick Change.wav")                                                                                \
    X(kStartRound, "Start Round.wav")                                                                                  \
    X(kBallInPlay, "Ball In Play.wav")                                                                                 \
    X(kLevelEnding, "Level Ending Tune.WAV")                                                                           \
    X(kLostBall, "Lost Ball.WAV")                                                                                      \
    X(kGameOver, "Game Over.WAV")                                                                                      \
    X(kScore, "Score.WAV")                                                                                             \
    X(kCompletedGame, "Completed Game.wav")                                                                            \
    X(kTimeout, "Timeout.wav")                                                                                         \
    X(kBounce, "Bounce.wav")                                                                                           \
    X(kDefaultSpark, "Default Spark.wav")                                                                              \
    X(kCanCatch, "Electric/Can Catch.wav")                                                                             \
    X(kHold, "Electric/Hold.wav")                                                                                      \
    X(kCatch, "Electric/Catch.wav")                                                                                    \
    X(kThrust, "Thrust.wav")                                                                                           \
    X(kFireGun, "Fire Gun.wav")                                                                                        \
    X(kFireBigGun, "Fire Big Gun.wav")                                                                                 \
    X(kSnapOnLarger, "Snap On Larger Shiled.wav")                                                                      \
    X(kSnapOnSmaller, "Snap On Smaller Shiled.wav")                                                                    \
    X(kSlow, "Slow.wav")                                                                                               \
    X(kFast, "Fast.wav")                                                                                               \
    X(kCatcher, "Power Ups/Catcher.wav")                                                                               \
    X(kFireBall, "Fire Ball.wav")                                                                                      \
    X(kMultiply3, "Multiply 3.wav")                                                                                    \
    X(kMultiply8, "Multiply 8.wav")                                                                                    \
    X(kGunDeploy, "Power Ups/Gun Deploy.wav")                                                                          \
    X(kBigGun, "Power Ups/Big Gun.wav")                                                                                \
    X(kRailBall, "Rail Ball.wav")                                                                                      \
    X(kNormalBall, "Normal Ball.wav")                                                                                  \
    X(kSmallBall, "Small Ball.wav")                                                                                    \
    X(kExtraBall, "Extra Ball.wav")                                                                                    \
    X(kShipExplode, "Ship Explode.wav")                                                                                \
    X(kBombDropped, "Bomb Dropped.wav")                                                                                \
    X(kBombExplode, "Bomb Explode.wav")

// Effects of the force-feedback project, played by name (the spellings are the project's).
#define VANTOREL_FORCE_EFFECT_NAMES(X)                                                                                 \
    X(kNoEffect, "No Effect")                                                                                          \
    X(kBounce, "Bounce")                                                                                               \
    X(kFireBallBounce, "Fire Ball Bounce")                                                                             \
    X(kRailBallBounce, "Rail Ball Bounce")                                                                             \
    X(kSmallBallBounce, "Small Ball Bounce")                                                                           \
    X(kSmallFireBallBounce, "Small Fire Ball Bounce")                                                                  \
    X(kSmallRailBallBounce, "Small Rail Ball Bounce")                                                                  \
    X(kBrickHitOnPaddle, "Brick hit by Ball on Paddel")                                                                \
    X(kBricksExplode, "Bricks Explode")                                                                                \
    X(kPlayfield, "Playfield")                                                                                         \
    X(kShipRunning, "Ship Running")                                                                                    \
    X(kAmbientCatch, "Ambiant Catch")                                                                                  \
    X(kHoldingBall, "Holding Ball With Catch")                                                                         \
    X(kLaunchBall, "Launch Ball")                                                                                      \
    X(kCatchBall, "Catch Ball")                                                                                        \
    X(kPaddleSizeChange, "Paddel Size Change")                                                                         \
    X(kPaddleSizeChangePowerUp, "Paddel Size Change PowerUp")                                                          \
    X(kPowerUp, "PowerUp")                                                                                             \
    X(kBombExplodes, "Bomb Explodes")                                                                                  \
    X(kFireLeftLaser, "Fire Left Laser")                                                                               \
    X(kFireRightLaser, "Fire Right Laser")                                                                             \
    X(kFireLeftMissile, "Fire Left Missile")                                                                           \
    X(kFireRightMissile, "Fire Right Missile")

namespace dataname {

#define VANTOREL_DATA_NAME(id, text) inline constexpr const char* id = text;
namespace sequence {
VANTOREL_SEQUENCE_NAMES(VANTOREL_DATA_NAME)
}
namespace picture {
VANTOREL_PICTURE_NAMES(VANTOREL_DATA_NAME)
}
namespace overlay {
VANTOREL_OVERLAY_NAMES(VANTOREL_DATA_NAME)
}
namespace font {
VANTOREL_FONT_NAMES(VANTOREL_DATA_NAME)
}
namespace generator {
VANTOREL_GENERATOR_NAMES(VANTOREL_DATA_NAME)
}
namespace sound {
VANTOREL_SOUND_NAMES(VANTOREL_DATA_NAME)
}
namespace forceeffect {
VANTOREL_FORCE_EFFECT_NAMES(VANTOREL_DATA_NAME)
}
#undef VANTOREL_DATA_NAME

enum class EKind
{
    Sequence,
    Picture,
    Overlay,
    Font,
    Generator,
    Sound,
    ForceEffect,
};

struct SEntry
{
    EKind kind;
    const char* name;
};

// Every name above with its kind, in the order of the lists.
const std::vector<SEntry>& GetAll();
// "sequence", "picture", "overlay text", "font", "particle generator", "sound",
// "force-feedback effect".
const char* GetKindName(EKind kind);

} // namespace dataname
