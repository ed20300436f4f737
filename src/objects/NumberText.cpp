#include "objects/NumberText.h"

#include <cfloat>
#include <charconv>
#include <limits>
#include <string>

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The end of the number that begins text (after blanks and a sign), or null when it has no
// digits. A fraction and an exponent count only for floats.
const char* EndOfNumber(const char* text, bool isFloat)
{
    while (IsSpace(*text))
        ++text;
    if (*text == '+' || *text == '-')
        ++text;
    const char* p = text;
    bool anyDigit = false;
    for (; IsDigit(*p); ++p)
        anyDigit = true;
    if (!isFloat)
        return anyDigit ? p : nullptr;
    if (*p == '.')
        for (++p; IsDigit(*p); ++p)
            anyDigit = true;
    if (!anyDigit)
        return nullptr;
    if (*p == 'e' || *p == 'E') {
        const char* q = p + 1;
        if (*q == '+' || *q == '-')
            ++q;
        if (IsDigit(*q)) {
            while (IsDigit(*q))
                ++q;
            p = q;
        }
    }
    return p;
}

} // namespace

bool ScanInteger(const char*& text, int64_t& value)
{
    const char* end = text ? EndOfNumber(text, false) : nullptr;
    if (!end)
        return false;
    value = ParseLeadingInteger(text);
    text = end;
    return true;
}

bool ScanFloat(const char*& text, double& value)
{
    const char* end = text ? EndOfNumber(text, true) : nullptr;
    if (!end)
        return false;
    value = ParseLeadingFloat(text);
    text = end;
    return true;
}

int64_t ParseLeadingInteger(const char* text)
{
    if (!text)
        return 0;
    while (IsSpace(*text))
        ++text;
    bool negative = false;
    if (*text == '+' || *text == '-')
        negative = *text++ == '-';
    // Accumulated as a negative number, whose range holds the most negative value.
    const int64_t limit = std::numeric_limits<int64_t>::min();
    int64_t value = 0;
    bool saturated = false;
    for (; IsDigit(*text); ++text) {
        int digit = *text - '0';
        if (value < (limit + digit) / 10) {
            saturated = true;
            value = limit;
        } else if (!saturated) {
            value = value * 10 - digit;
        }
    }
    if (negative)
        return value;
    return value == limit ? std::numeric_limits<int64_t>::max() : -value;
}

double ParseLeadingFloat(const char* text)
{
    if (!text)
        return 0.0;
    while (IsSpace(*text))
        ++text;
    bool negative = false;
    if (*text == '+' || *text == '-')
        negative = *text++ == '-';

    const char* start = text;
    const char* p = text;
    int integerDigits = 0;     // significant digits before the point
    int leadingFractionZeros = 0;
    bool seenNonZero = false;
    bool anyDigit = false;
    for (; IsDigit(*p); ++p) {
        anyDigit = true;
        if (*p != '0' || seenNonZero) {
            seenNonZero = true;
            ++integerDigits;
        }
    }
    if (*p == '.') {
        ++p;
        for (; IsDigit(*p); ++p) {
            anyDigit = true;
            if (!seenNonZero) {
                if (*p == '0')
                    ++leadingFractionZeros;
                else
                    seenNonZero = true;
            }
        }
    }
    if (!anyDigit)
        return 0.0;
    long exponent = 0;
    if (*p == 'e' || *p == 'E') {
        const char* q = p + 1;
        bool exponentNegative = false;
        if (*q == '+' || *q == '-')
            exponentNegative = *q++ == '-';
        if (IsDigit(*q)) {
            for (; IsDigit(*q); ++q)
                if (exponent < 100000)
                    exponent = exponent * 10 + (*q - '0');
            if (exponentNegative)
                exponent = -exponent;
            p = q;
        }
    }

    double value = 0.0;
    std::from_chars_result result = std::from_chars(start, p, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: saturate by the decimal magnitude.
        long magnitude = seenNonZero ? (integerDigits > 0 ? integerDigits - 1 : -(leadingFractionZeros + 1)) + exponent : -1;
        value = magnitude > 0 ? DBL_MAX : 0.0;
    } else if (result.ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

int32_t ClampToInt32(int64_t value)
{
    if (value < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    if (value > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

uint32_t ToUInt32(int64_t value)
{
    if (value > static_cast<int64_t>(0xFFFFFFFFu))
        return 0xFFFFFFFFu;
    if (value >= 0)
        return static_cast<uint32_t>(value);
    return static_cast<uint32_t>(ClampToInt32(value));
}

float ClampToFloat(double value)
{
    if (value > FLT_MAX)
        return FLT_MAX;
    if (value < -FLT_MAX)
        return -FLT_MAX;
    return static_cast<float>(value);
}
