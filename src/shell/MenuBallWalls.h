#pragma once
// The collision outlines of the main menu's bouncing balls: the ball itself, the outer wall that
// keeps the balls on the menu picture and the inner block they bounce round. Built once at start-up
// from the menu ball's size.
#include "objects/Polygon2D.h"

struct CMenuBallWalls
{
    CPolygon2D m_ball;
    CPolygon2D m_outer;
    CPolygon2D m_inner;
};

// The ball is 12 points on a circle of half the diameter about (0, 0), at 0, 30, ..., 330 degrees
// (clockwise on screen); the walls are the menu picture's fixed outlines. Each outline is closed.
void BuildMenuBallWalls(float ballDiameter, CMenuBallWalls& walls);
