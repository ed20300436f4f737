#pragma once
// The game's own configuration of a player's control set: the actions "Shoot" and "Timeout", the
// default bindings of each player, the defaults of a few known joysticks, and the player's saved
// bindings from the settings file over them. The game keeps one set per player.
class CPlayerControls;

// The actions of every set, by index.
enum : int
{
    kActionShoot = 0,
    kActionTimeout = 1,
    kGameActionCount = 2,
};

// The number of players, and so of control sets.
constexpr int kGamePlayerCount = 3;

// A new control set for player 0, 1 or 2, owned by the caller; null for any other index.
CPlayerControls* CreatePlayerControls(int player);
