#include "shell/MenuBallWalls.h"

#include <cmath>

namespace {

struct WallPoint
{
    float x, y;
};

constexpr WallPoint kOuterWall[] = {{49, 414},  {130, 414}, {130, 260}, {197, 260}, {197, 414}, {275, 414},
                                    {275, 275}, {213, 232}, {275, 190}, {275, 100}, {214, 51},  {49, 51}};
constexpr WallPoint kInnerWall[] = {{130, 197}, {130, 107}, {196, 107}, {196, 197}};
constexpr int kBallPoints = 12;

template <size_t N>
void SetPoints(CPolygon2D& polygon, const WallPoint (&points)[N])
{
    polygon.Clear();
    for (const WallPoint& point : points)
        polygon.InsertPoint(point.x, point.y, static_cast<uint32_t>(-1));
    polygon.Close();
}

} // namespace

void BuildMenuBallWalls(float ballDiameter, CMenuBallWalls& walls)
{
    const double radius = ballDiameter * 0.5;
    walls.m_ball.Clear();
    for (int i = 0; i < kBallPoints; ++i) {
        const double angle = i * (2.0 * M_PI / kBallPoints);
        walls.m_ball.InsertPoint(static_cast<float>(radius * std::cos(angle)), static_cast<float>(radius * std::sin(angle)),
                                 static_cast<uint32_t>(-1));
    }
    walls.m_ball.Close();
    SetPoints(walls.m_outer, kOuterWall);
    SetPoints(walls.m_inner, kInnerWall);
}
