#pragma once
// The one text-to-number conversion of property values: optional leading whitespace, an optional
// sign, then decimal digits up to the first other character; text without digits reads as 0.
// Hexadecimal prefixes, "inf" and "nan" are not numbers here ("0x10" reads as 0).
#include <cstdint>

// Saturates at the limits of the 64-bit range.
int64_t ParseLeadingInteger(const char* text);
// Decimal digits with an optional fraction and exponent; saturates at the limits of double.
double ParseLeadingFloat(const char* text);

// The scanf-like forms of the two: the number must have digits; text is moved past it. False,
// with text and value unchanged, when no number begins there.
bool ScanInteger(const char*& text, int64_t& value);
bool ScanFloat(const char*& text, double& value);

// Saturating narrowings for the property types.
int32_t ClampToInt32(int64_t value);
// Negative numbers wrap as they do in 32-bit unsigned arithmetic; larger ones saturate.
uint32_t ToUInt32(int64_t value);
float ClampToFloat(double value);
