#pragma once
// The line tests under the collision polygon's queries. Each answers "no contact" for degenerate
// input (zero lengths, NaN) instead of anything undefined, and none reads a table, so swept tests
// give the same result on every machine.
#include "objects/Point.h"

// The segment from start along the unit direction for length, against the circle (centre,
// radius). True when they touch, with the unit normal from the segment toward the centre and the
// distance when asked for; past an end of the segment, that end's own distance decides. False
// (outputs untouched) otherwise.
bool CircleTouchesSegment(const CFloatPoint& start, const CFloatPoint& direction, float length,
                          const CFloatPoint& centre, float radius, CFloatPoint* normal, float* distance);

// p0->p1 against q0->q1: true when they cross, with t the fraction along p0->p1. Segments whose
// cross product lies within +-0.0001 count as parallel: false.
bool CrossSegments(const CFloatPoint& p0, const CFloatPoint& p1, const CFloatPoint& q0, const CFloatPoint& q1,
                   float* t);

// The distance s > 0 along the unit direction at which a ray from origin first meets the circle
// of radius 1 round centre. False when it misses, and when that first meeting is not ahead of the
// origin (an origin inside the circle).
bool RayHitsUnitCircle(const CFloatPoint& centre, const CFloatPoint& origin, const CFloatPoint& direction, float* s);
