#include "foundation/FormatText.h"

#include "foundation/WideText.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <type_traits>

namespace {

enum class SizePrefix { None, Char, Short, Long, LongLong, LongDouble, IntMax, Size, PtrDiff, Wide, Int32 };

// One conversion of a format string, from its '%' to its conversion character.
struct Conversion
{
    const char* m_start = nullptr;
    const char* m_end = nullptr;
    const char* m_flags = nullptr;
    int m_flagCount = 0;
    bool m_leftAlign = false;
    bool m_alternate = false;
    bool m_widthStar = false;
    int m_width = -1;
    bool m_precisionStar = false;
    int m_precision = -1;
    SizePrefix m_size = SizePrefix::None;
    bool m_foreignSize = false; // a prefix the C library reads differently ('w', "I64", "I32", "I")
    char m_conversion = 0;
};

int ReadCount(const char*& p)
{
    long long value = 0;
    while (*p >= '0' && *p <= '9') {
        value = value * 10 + (*p - '0');
        if (value > INT_MAX)
            value = INT_MAX;
        ++p;
    }
    return static_cast<int>(value);
}

// Reads the conversion that starts at the '%' at p. False when the format ends inside it.
bool ParseConversion(const char* p, Conversion& c)
{
    c = Conversion();
    c.m_start = p++;
    c.m_flags = p;
    while (*p && std::strchr("-+ #0", *p)) {
        if (*p == '-')
            c.m_leftAlign = true;
        else if (*p == '#')
            c.m_alternate = true;
        ++p;
    }
    c.m_flagCount = static_cast<int>(p - c.m_flags);
    if (*p == '*') {
        c.m_widthStar = true;
        ++p;
    } else if (*p >= '0' && *p <= '9') {
        c.m_width = ReadCount(p);
    }
    if (*p == '.') {
        ++p;
        if (*p == '*') {
            c.m_precisionStar = true;
            ++p;
        } else {
            c.m_precision = ReadCount(p);
        }
    }
    switch (*p) {
    case 'h':
        ++p;
        c.m_size = SizePrefix::Short;
        if (*p == 'h') {
            ++p;
            c.m_size = SizePrefix::Char;
        }
        break;
    case 'l':
        ++p;
        c.m_size = SizePrefix::Long;
        if (*p == 'l') {
            ++p;
            c.m_size = SizePrefix::LongLong;
        }
        break;
    case 'q':
        ++p;
        c.m_size = SizePrefix::LongLong;
        break;
    case 'L':
        ++p;
        c.m_size = SizePrefix::LongDouble;
        break;
    case 'j':
        ++p;
        c.m_size = SizePrefix::IntMax;
        break;
    case 'z':
        ++p;
        c.m_size = SizePrefix::Size;
        break;
    case 't':
        ++p;
        c.m_size = SizePrefix::PtrDiff;
        break;
    case 'w':
        ++p;
        c.m_size = SizePrefix::Wide;
        c.m_foreignSize = true;
        break;
    case 'I':
        ++p;
        c.m_foreignSize = true;
        if (p[0] == '6' && p[1] == '4') {
            p += 2;
            c.m_size = SizePrefix::LongLong;
        } else if (p[0] == '3' && p[1] == '2') {
            p += 2;
            c.m_size = SizePrefix::Int32;
        } else {
            c.m_size = SizePrefix::PtrDiff;
        }
        break;
    default:
        break;
    }
    if (!*p)
        return false;
    c.m_conversion = *p++;
    c.m_end = p;
    return true;
}

bool IsWideText(const Conversion& c)
{
    if (c.m_conversion == 'S')
        return c.m_size != SizePrefix::Short;
    return c.m_conversion == 's' && (c.m_size == SizePrefix::Long || c.m_size == SizePrefix::Wide);
}

bool IsWideChar(const Conversion& c)
{
    if (c.m_conversion == 'C')
        return c.m_size != SizePrefix::Short;
    return c.m_conversion == 'c' && (c.m_size == SizePrefix::Long || c.m_size == SizePrefix::Wide);
}

bool IsKnownConversion(char conversion)
{
    return conversion && std::strchr("%cCsSdiuoxXpnfFeEgGaA", conversion);
}

// Whether the C library can format the whole string as it stands.
bool NeedsOwnFormatting(const char* format)
{
    for (const char* p = std::strchr(format, '%'); p; p = std::strchr(p, '%')) {
        Conversion c;
        if (!ParseConversion(p, c))
            return true;
        if (!IsKnownConversion(c.m_conversion) || IsWideText(c) || IsWideChar(c) || c.m_conversion == 'n'
            || c.m_foreignSize)
            return true;
        p = c.m_end;
    }
    return false;
}

// A conversion's width and precision with its '*' parts read from the arguments: -1 for none; a
// negative '*' width has become the '-' flag.
struct Field
{
    int m_width = -1;
    bool m_leftAlign = false;
    int m_precision = -1;
};

// The conversion rewritten for the C library with its '*' fields resolved.
std::string BuildConversion(const Conversion& c, const Field& f, const char* size, char conversion)
{
    std::string text = "%";
    text.append(c.m_flags, static_cast<size_t>(c.m_flagCount));
    if (f.m_leftAlign && !c.m_leftAlign)
        text += '-';
    if (f.m_width >= 0)
        text += std::to_string(f.m_width);
    if (f.m_precision >= 0) {
        text += '.';
        text += std::to_string(f.m_precision);
    }
    text += size;
    text += conversion;
    return text;
}

const char* SizeText(SizePrefix size)
{
    switch (size) {
    case SizePrefix::Char: return "hh";
    case SizePrefix::Short: return "h";
    case SizePrefix::Long: return "l";
    case SizePrefix::LongLong: return "ll";
    case SizePrefix::LongDouble: return "L";
    case SizePrefix::IntMax: return "j";
    case SizePrefix::Size: return "z";
    case SizePrefix::PtrDiff: return "t";
    default: return "";
    }
}

char NarrowUnit(unsigned unit)
{
    return unit <= 0xFF ? static_cast<char>(unit) : '?';
}

std::string NarrowWideText(const char16_t* text, int precision)
{
    if (!text)
        return precision < 0 || precision >= 6 ? "(null)" : "";
    std::string narrow;
    for (size_t i = 0; text[i] && (precision < 0 || i < static_cast<size_t>(precision)); ++i)
        narrow += NarrowUnit(text[i]);
    return narrow;
}

// Output that counts everything and stores what fits.
class Sink
{
public:
    Sink(char* out, size_t size) : m_out(out), m_size(size) {}

    void Put(const char* text, size_t n)
    {
        if (m_position < m_size) {
            size_t room = m_size - m_position;
            std::memcpy(m_out + m_position, text, n < room ? n : room);
        }
        m_position += n;
    }

    template <typename T>
    void PutFormatted(const std::string& conversion, T value)
    {
        char* at = m_position < m_size ? m_out + m_position : nullptr;
        size_t room = m_position < m_size ? m_size - m_position : 0;
        int n = std::snprintf(at, room, conversion.c_str(), value);
        if (n < 0)
            m_failed = true;
        else
            m_position += static_cast<size_t>(n);
    }

    int Finish()
    {
        if (m_size > 0)
            m_out[m_position < m_size ? m_position : m_size - 1] = 0;
        if (m_failed || m_position > static_cast<size_t>(INT_MAX))
            return -1;
        return static_cast<int>(m_position);
    }

private:
    char* m_out;
    size_t m_size;
    size_t m_position = 0;
    bool m_failed = false;
};

template <typename Action>
void FetchSigned(va_list& args, SizePrefix size, Action&& action)
{
    switch (size) {
    case SizePrefix::Long: action(va_arg(args, long)); break;
    case SizePrefix::LongLong:
    case SizePrefix::LongDouble: action(va_arg(args, long long)); break;
    case SizePrefix::IntMax: action(va_arg(args, intmax_t)); break;
    case SizePrefix::Size: action(va_arg(args, std::make_signed_t<size_t>)); break;
    case SizePrefix::PtrDiff: action(va_arg(args, ptrdiff_t)); break;
    default: action(va_arg(args, int)); break;
    }
}

template <typename Action>
void FetchUnsigned(va_list& args, SizePrefix size, Action&& action)
{
    switch (size) {
    case SizePrefix::Long: action(va_arg(args, unsigned long)); break;
    case SizePrefix::LongLong:
    case SizePrefix::LongDouble: action(va_arg(args, unsigned long long)); break;
    case SizePrefix::IntMax: action(va_arg(args, uintmax_t)); break;
    case SizePrefix::Size: action(va_arg(args, size_t)); break;
    case SizePrefix::PtrDiff: action(va_arg(args, size_t)); break;
    default: action(va_arg(args, unsigned)); break;
    }
}

// Resolves '*' fields in the order the C library reads them: width, then precision.
Field FetchField(va_list& args, const Conversion& c)
{
    Field f{c.m_width, c.m_leftAlign, c.m_precision};
    if (c.m_widthStar) {
        const int value = va_arg(args, int);
        if (value < 0) {
            f.m_leftAlign = true;
            f.m_width = value == INT_MIN ? INT_MAX : -value;
        } else {
            f.m_width = value;
        }
    }
    if (c.m_precisionStar) {
        f.m_precision = va_arg(args, int);
        if (f.m_precision < 0)
            f.m_precision = -1;
    }
    return f;
}

// Walks a format: each run of plain text goes to text(start, n), each conversion with its field
// to convert(conversion, field). A conversion cut short by the end of the format is plain text.
template <typename Text, typename Convert>
void WalkFormat(const char* format, va_list& args, Text&& text, Convert&& convert)
{
    for (const char* p = format; *p;) {
        const char* percent = std::strchr(p, '%');
        if (!percent) {
            text(p, std::strlen(p));
            return;
        }
        text(p, static_cast<size_t>(percent - p));
        Conversion c;
        if (!ParseConversion(percent, c)) {
            text(percent, std::strlen(percent));
            return;
        }
        p = c.m_end;
        convert(c, FetchField(args, c));
    }
}

// Writes one conversion through the C library, 16-bit texts and characters narrowed first.
void PutConversion(Sink& sink, va_list& args, const Conversion& c, const Field& f)
{
    const char* sizeText = SizeText(c.m_size == SizePrefix::LongDouble && std::strchr("diouxX", c.m_conversion)
                                    ? SizePrefix::LongLong : c.m_size);
    switch (c.m_conversion) {
    case '%':
        sink.Put("%", 1);
        break;
    case 'd':
    case 'i':
        FetchSigned(args, c.m_size, [&](auto v) { sink.PutFormatted(BuildConversion(c, f, sizeText, c.m_conversion), v); });
        break;
    case 'u':
    case 'o':
    case 'x':
    case 'X':
        FetchUnsigned(args, c.m_size, [&](auto v) { sink.PutFormatted(BuildConversion(c, f, sizeText, c.m_conversion), v); });
        break;
    case 'c':
    case 'C':
        if (IsWideChar(c))
            sink.PutFormatted(BuildConversion(c, f, "", 'c'), static_cast<int>(NarrowUnit(static_cast<unsigned>(va_arg(args, int)) & 0xFFFF)));
        else
            sink.PutFormatted(BuildConversion(c, f, "", 'c'), va_arg(args, int));
        break;
    case 's':
    case 'S':
        if (IsWideText(c)) {
            // The precision has cut the text already.
            const std::string narrow = NarrowWideText(va_arg(args, const char16_t*), f.m_precision);
            sink.PutFormatted(BuildConversion(c, Field{f.m_width, f.m_leftAlign, -1}, "", 's'), narrow.c_str());
        } else {
            sink.PutFormatted(BuildConversion(c, f, "", 's'), va_arg(args, const char*));
        }
        break;
    case 'p':
        sink.PutFormatted(BuildConversion(c, f, "", 'p'), va_arg(args, void*));
        break;
    case 'n':
        (void)va_arg(args, void*);
        break;
    case 'f':
    case 'F':
    case 'e':
    case 'E':
    case 'g':
    case 'G':
    case 'a':
    case 'A':
        if (c.m_size == SizePrefix::LongDouble)
            sink.PutFormatted(BuildConversion(c, f, "L", c.m_conversion), va_arg(args, long double));
        else
            sink.PutFormatted(BuildConversion(c, f, "", c.m_conversion), va_arg(args, double));
        break;
    default:
        // Not a conversion: the text stands as written.
        sink.Put(c.m_start, static_cast<size_t>(c.m_end - c.m_start));
        break;
    }
}

int FormatOwn(char* out, size_t size, const char* format, va_list& args)
{
    Sink sink(out, size);
    WalkFormat(format, args, [&](const char* text, size_t n) { sink.Put(text, n); },
               [&](const Conversion& c, const Field& f) { PutConversion(sink, args, c, f); });
    return sink.Finish();
}

// Room for an integer conversion: 32 covers 64 bits in octal with a prefix and sign; a longer
// precision asks for that many digits, plus a sign or "0x". Counted in size_t: a precision near
// the int range must not wrap.
size_t IntegerAllowance(int precision)
{
    return precision > 29 ? static_cast<size_t>(precision) + 3 : 32;
}

// The most one conversion writes; its arguments are consumed as formatting consumes them.
size_t EstimateConversion(va_list& args, const Conversion& c, const Field& f)
{
    size_t count = 0;
    switch (c.m_conversion) {
    case '%':
        count = 1;
        break;
    case 'c':
    case 'C':
        (void)va_arg(args, int);
        count = 1;
        break;
    case 'd':
    case 'i':
        FetchSigned(args, c.m_size, [](auto) {});
        count = IntegerAllowance(f.m_precision);
        break;
    case 'u':
    case 'o':
    case 'x':
    case 'X':
        FetchUnsigned(args, c.m_size, [](auto) {});
        count = IntegerAllowance(f.m_precision);
        break;
    case 'p':
        (void)va_arg(args, void*);
        count = 32;
        break;
    case 'n':
        (void)va_arg(args, void*);
        break;
    case 's':
    case 'S':
        if (IsWideText(c)) {
            const char16_t* text = va_arg(args, const char16_t*);
            count = text ? WideTextLength(text) : 6;
        } else {
            const char* text = va_arg(args, const char*);
            count = text ? (f.m_precision >= 0 ? strnlen(text, static_cast<size_t>(f.m_precision)) : std::strlen(text)) : 6;
        }
        if (f.m_precision >= 0 && count > static_cast<size_t>(f.m_precision))
            count = static_cast<size_t>(f.m_precision);
        break;
    case 'f':
    case 'F':
    case 'e':
    case 'E':
    case 'g':
    case 'G':
    case 'a':
    case 'A': {
        // Fixed notation of a large value or a long precision can exceed any fixed allowance,
        // so the conversion's own length decides when it is the longer.
        int exact;
        if (c.m_size == SizePrefix::LongDouble)
            exact = std::snprintf(nullptr, 0, BuildConversion(c, f, "L", c.m_conversion).c_str(), va_arg(args, long double));
        else
            exact = std::snprintf(nullptr, 0, BuildConversion(c, f, "", c.m_conversion).c_str(), va_arg(args, double));
        count = exact > 64 ? static_cast<size_t>(exact) : 64;
        break;
    }
    default:
        count = static_cast<size_t>(c.m_end - c.m_start);
        break;
    }
    if (c.m_alternate)
        count += 2;
    if (f.m_width > 0 && count < static_cast<size_t>(f.m_width))
        count = static_cast<size_t>(f.m_width);
    return count;
}

size_t EstimateOwn(const char* format, va_list& args)
{
    size_t total = 0;
    WalkFormat(format, args, [&](const char*, size_t n) { total += n; },
               [&](const Conversion& c, const Field& f) { total += EstimateConversion(args, c, f); });
    return total;
}

} // namespace

int FormatTextV(char* out, size_t size, const char* format, va_list args)
{
    if (!format) {
        if (size > 0)
            out[0] = 0;
        return 0;
    }
    va_list copy;
    va_copy(copy, args);
    int n = NeedsOwnFormatting(format) ? FormatOwn(out, size, format, copy) : std::vsnprintf(out, size, format, copy);
    va_end(copy);
    return n;
}

int FormatText(char* out, size_t size, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int n = FormatTextV(out, size, format, args);
    va_end(args);
    return n;
}

size_t EstimateFormatLengthV(const char* format, va_list args)
{
    if (!format)
        return 0;
    va_list copy;
    va_copy(copy, args);
    size_t n = EstimateOwn(format, copy);
    va_end(copy);
    return n;
}

size_t EstimateFormatLength(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    size_t n = EstimateFormatLengthV(format, args);
    va_end(args);
    return n;
}
