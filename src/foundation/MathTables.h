#pragma once
// Table-driven trigonometry and square root for per-frame motion code, and small numeric helpers.
// The tables are filled by InitMathTables at start-up; their precision is pi/2000 in angle,
// 1/1000 in ratio and 7 bits of mantissa.
#include <cstdint>

void InitMathTables();

// Angles in radians, any value: they are wrapped into [0, 2 pi). NaN and infinities count as 0.
float FastSin(float angle);
float FastCos(float angle);
void FastSinCos(float angle, float* sine, float* cosine);
// The angle of (x, y) in (-pi, pi].
float FastAtan2(float y, float x);
// Square root of a non-negative number; 0 for 0, for negative numbers and for NaN.
float FastSqrt(float x);

// Floor and ceiling; the integer forms saturate at the int range and give 0 for NaN.
int FloorToInt(float x);
float FloorFloat(float x);
int CeilToInt(float x);
float CeilFloat(float x);
// Rounded to nearest with ties to even (10.5 gives 10, -2.5 gives -2), saturated at the int range;
// 0 for NaN. Positions of the game world are rounded with it, the same on every machine.
int RoundToInt(float x);

// Intersection of the line through (x1, y1)-(x2, y2) with the line through (x3, y3)-(x4, y4):
// 0 none (only when restricted to the segments), 1 found (the point stored, and the parameter
// t along the first segment when asked for), 2 parallel.
int IntersectLineSegments(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4,
                          float* x, float* y, bool segmentsOnly, float* t = nullptr);

// The number of bits up to the highest set bit; 0 for 0.
int CountSignificantBits(uint32_t value);
