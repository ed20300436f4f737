// Random mixed operations on a set of shared strings, checked after every step against a plain
// model: the text as 16-bit units plus the expected width. Copies share buffers, so every string
// is checked now and then, not only the one changed.
#include "foundation/SharedString.h"

#include "StringPrinters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>

namespace {

struct Model
{
    std::u16string m_text;
    bool m_wide = false;
};

constexpr int kSlots = 8;

class ModelRun
{
public:
    explicit ModelRun(uint32_t seed) : m_random(seed) {}

    void Step(int step);
    void CheckAll(int step) const
    {
        for (int i = 0; i < kSlots; ++i)
            Check(i, step);
    }

private:
    int Pick(int n) { return static_cast<int>(m_random() % static_cast<uint32_t>(n)); }

    char16_t RandomByte()
    {
        static const char kCommon[] = "abcxyzABCXYZ  \t\r\n0123456789%/\\-.";
        if (Pick(4) != 0)
            return static_cast<unsigned char>(kCommon[Pick(sizeof kCommon - 1)]);
        return static_cast<char16_t>(1 + Pick(255));
    }

    std::string RandomNarrow(int maxLength)
    {
        std::string text;
        for (int n = Pick(maxLength + 1); n > 0; --n)
            text += static_cast<char>(RandomByte());
        return text;
    }

    int RandomCharacter()
    {
        if (Pick(5) == 0)
            return 0x100 + Pick(0xFEFF);
        return RandomByte();
    }

    static std::u16string Widen(const std::string& text)
    {
        std::u16string out;
        for (unsigned char c : text)
            out += static_cast<char16_t>(c);
        return out;
    }

    static int Sign(int v) { return (v > 0) - (v < 0); }

    static char16_t FoldLower(char16_t c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }
    static char16_t FoldUpper(char16_t c) { return (c >= 'a' && c <= 'z') ? c - 32 : c; }

    static int CompareModels(const std::u16string& a, const std::u16string& b, char16_t (*fold)(char16_t))
    {
        for (size_t i = 0;; ++i) {
            const char16_t ca = i < a.size() ? fold(a[i]) : 0;
            const char16_t cb = i < b.size() ? fold(b[i]) : 0;
            if (ca != cb)
                return ca < cb ? -1 : 1;
            if (ca == 0)
                return 0;
        }
    }

    static int FindModel(const std::u16string& text, const std::u16string& pattern, int start)
    {
        if (start < 0)
            start = 0;
        if (start >= static_cast<int>(text.size()))
            return -1;
        const size_t found = text.find(pattern, static_cast<size_t>(start));
        return found == std::u16string::npos ? -1 : static_cast<int>(found);
    }

    static bool IsSpace(char16_t c) { return c == '\t' || c == ' ' || c == '\r' || c == '\n'; }

    void Check(int i, int step) const
    {
        const CSharedString& s = m_strings[i];
        const Model& m = m_models[i];
        ASSERT_EQ(s.IsWide(), m.m_wide) << "slot " << i << " at step " << step;
        ASSERT_EQ(s.GetLength(), static_cast<int>(m.m_text.size())) << "slot " << i << " at step " << step;
        if (m.m_wide) {
            ASSERT_TRUE(std::u16string(s.CWideStr()) == m.m_text) << "slot " << i << " at step " << step;
        } else {
            for (size_t k = 0; k < m.m_text.size(); ++k)
                ASSERT_EQ(s.GetByteAt(static_cast<int>(k)), m.m_text[k]) << "slot " << i << " at step " << step;
        }
        ASSERT_EQ(s.IsEmpty(), m.m_text.empty());
        ASSERT_GE(s.GetCapacity(), s.GetLength());
    }

    std::mt19937 m_random;
    CSharedString m_strings[kSlots];
    Model m_models[kSlots];
};

void ModelRun::Step(int step)
{
    const int i = Pick(kSlots);
    const int j = Pick(kSlots);
    CSharedString& s = m_strings[i];
    Model& m = m_models[i];
    const int length = static_cast<int>(m.m_text.size());

    // Long texts are cut back so the run keeps visiting short and empty strings.
    if (length > 400) {
        const int keep = Pick(50);
        s = s.Mid(0, keep);
        m.m_text.resize(static_cast<size_t>(keep));
        if (keep == 0)
            m.m_wide = false;
        Check(i, step);
        return;
    }

    switch (Pick(26)) {
    case 0: { // copy
        s = m_strings[j];
        m = m_models[j];
        break;
    }
    case 1: { // move
        if (i == j)
            break;
        s = std::move(m_strings[j]);
        m = m_models[j];
        m_models[j] = Model();
        break;
    }
    case 2: {
        const std::string text = RandomNarrow(30);
        s.SetText(text.c_str());
        m.m_text = Widen(text);
        m.m_wide = false;
        break;
    }
    case 3: {
        const std::string text = RandomNarrow(30);
        const int n = Pick(static_cast<int>(text.size()) + 1);
        s.AssignChars(text.data(), n);
        m.m_text = Widen(text.substr(0, static_cast<size_t>(n)));
        m.m_wide = false;
        break;
    }
    case 4: {
        const std::string text = RandomNarrow(40);
        s.AppendText(text.c_str());
        m.m_text += Widen(text);
        break;
    }
    case 5: { // append another string, maybe itself
        const Model other = m_models[j];
        s.Append(m_strings[j]);
        if (!other.m_text.empty())
            m.m_wide = m.m_wide || other.m_wide;
        m.m_text += other.m_text;
        break;
    }
    case 6: {
        const Model other = m_models[j];
        const int n = Pick(static_cast<int>(other.m_text.size()) + 1);
        s.AppendFirstChars(m_strings[j], n);
        if (n > 0)
            m.m_wide = m.m_wide || other.m_wide;
        m.m_text += other.m_text.substr(0, static_cast<size_t>(n));
        break;
    }
    case 7: {
        const int c = RandomCharacter();
        const int n = Pick(5);
        s.AppendRepeated(c, n);
        if (n > 0 && c > 0xFF)
            m.m_wide = true;
        m.m_text.append(static_cast<size_t>(n), static_cast<char16_t>(c));
        break;
    }
    case 8: {
        if (length == 0)
            break;
        const int index = Pick(length);
        const int c = RandomCharacter();
        s.SetAt(index, c);
        if (c > 0xFF)
            m.m_wide = true;
        m.m_text[static_cast<size_t>(index)] = static_cast<char16_t>(c);
        break;
    }
    case 9: { // a part of another string
        const int start = Pick(static_cast<int>(m_models[j].m_text.size()) + 2);
        const int n = Pick(20);
        const Model other = m_models[j];
        s = m_strings[j].Mid(start, n);
        if (start >= static_cast<int>(other.m_text.size()) || n == 0) {
            m.m_text.clear();
            m.m_wide = false;
        } else {
            m.m_text = other.m_text.substr(static_cast<size_t>(start), static_cast<size_t>(n));
            m.m_wide = other.m_wide;
        }
        break;
    }
    case 10: {
        const int start = Pick(length + 1);
        s = s.MidToEnd(start);
        m.m_text = m.m_text.substr(static_cast<size_t>(start));
        if (m.m_text.empty())
            m.m_wide = false;
        break;
    }
    case 11: { // searching, no change
        const int start = Pick(length + 2) - 1;
        const Model& pattern = m_models[j];
        ASSERT_EQ(s.Find(m_strings[j], start), FindModel(m.m_text, pattern.m_text, start)) << "step " << step;
        const int c = RandomCharacter();
        const size_t found = m.m_text.find(static_cast<char16_t>(c), static_cast<size_t>(std::max(start, 0)));
        ASSERT_EQ(s.FindChar(c, start), found == std::u16string::npos ? -1 : static_cast<int>(found)) << "step " << step;
        break;
    }
    case 12: { // replace every occurrence of a short part of the text
        std::u16string pattern;
        if (length > 0) {
            const int at = Pick(length);
            pattern = m.m_text.substr(static_cast<size_t>(at), static_cast<size_t>(1 + Pick(2)));
        }
        const Model replacement = m_models[j];
        CSharedString patternString;
        if (m.m_wide) {
            patternString = CSharedString(pattern.c_str());
        } else {
            std::string narrow;
            for (char16_t c : pattern)
                narrow += static_cast<char>(c);
            patternString.SetText(narrow.c_str());
        }
        const int count = s.ReplaceAll(patternString, m_strings[j]);
        int expected = 0;
        if (!pattern.empty()) {
            for (size_t at = m.m_text.find(pattern); at != std::u16string::npos;
                 at = at + replacement.m_text.size() >= m.m_text.size() ? std::u16string::npos
                                                                        : m.m_text.find(pattern, at + replacement.m_text.size())) {
                m.m_text.replace(at, pattern.size(), replacement.m_text);
                ++expected;
            }
        }
        if (expected > 0 && replacement.m_wide && !replacement.m_text.empty())
            m.m_wide = true;
        ASSERT_EQ(count, expected) << "step " << step;
        break;
    }
    case 13: {
        const int index = Pick(length + 1);
        const int n = Pick(length - index + 1);
        const Model replacement = m_models[j];
        s.ReplaceRange(index, n, m_strings[j]);
        m.m_text.replace(static_cast<size_t>(index), static_cast<size_t>(n), replacement.m_text);
        if (replacement.m_wide && !replacement.m_text.empty())
            m.m_wide = true;
        break;
    }
    case 14: {
        s.TrimLeft();
        size_t k = 0;
        while (k < m.m_text.size() && IsSpace(m.m_text[k]))
            ++k;
        m.m_text.erase(0, k);
        break;
    }
    case 15: {
        s.TrimRight();
        while (!m.m_text.empty() && IsSpace(m.m_text.back()))
            m.m_text.pop_back();
        break;
    }
    case 16: {
        const std::string set = RandomNarrow(12);
        s.KeepOnlyChars(set.c_str());
        std::u16string kept;
        for (char16_t c : m.m_text)
            if (c <= 0xFF && set.find(static_cast<char>(c)) != std::string::npos)
                kept += c;
        m.m_text = kept;
        break;
    }
    case 17: {
        s.MakeUpper();
        for (char16_t& c : m.m_text)
            c = FoldUpper(c);
        break;
    }
    case 18: { // comparisons, no change
        const Model& other = m_models[j];
        ASSERT_EQ(s.Compare(m_strings[j]), CompareModels(m.m_text, other.m_text, [](char16_t c) { return c; }))
            << "step " << step;
        const bool narrowPair = !m.m_wide && !other.m_wide;
        ASSERT_EQ(s.CompareNoCase(m_strings[j]), CompareModels(m.m_text, other.m_text, narrowPair ? FoldLower : FoldUpper))
            << "step " << step;
        break;
    }
    case 19: {
        const std::string text = RandomNarrow(20);
        const int number = static_cast<int>(m_random());
        s.Format("%s|%d|%5.2f", text.c_str(), number, 1.25);
        char expected[128];
        std::snprintf(expected, sizeof expected, "%s|%d|%5.2f", text.c_str(), number, 1.25);
        m.m_text = Widen(expected);
        break;
    }
    case 20: {
        const int number = Pick(100000);
        s.AppendFormat("<%x>", number);
        char expected[32];
        std::snprintf(expected, sizeof expected, "<%x>", number);
        m.m_text += Widen(expected);
        break;
    }
    case 21: { // the string's own text as the source
        if (m.m_wide)
            break;
        const int offset = Pick(length + 1);
        const std::u16string tail = m.m_text.substr(static_cast<size_t>(offset));
        if (Pick(2)) {
            s.AppendText(s.CStr() + offset);
            m.m_text += tail;
        } else {
            s.SetText(s.CStr() + offset);
            m.m_text = tail;
        }
        break;
    }
    case 22:
        s.Clear();
        m = Model();
        break;
    case 23: {
        const int value = static_cast<int>(m_random());
        const int radix = 2 + Pick(35);
        s.SetToInteger(value, radix);
        std::string digits;
        uint32_t magnitude = radix == 10 && value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
        do {
            digits.insert(digits.begin(), "0123456789abcdefghijklmnopqrstuvwxyz"[magnitude % static_cast<uint32_t>(radix)]);
            magnitude /= static_cast<uint32_t>(radix);
        } while (magnitude);
        if (radix == 10 && value < 0)
            digits.insert(digits.begin(), '-');
        m.m_text = Widen(digits);
        m.m_wide = false;
        break;
    }
    case 24: {
        const int value = static_cast<int>(m_random()) >> Pick(31);
        s.FormatWithCommas(value);
        std::string digits = std::to_string(value);
        const size_t first = value < 0 ? 1 : 0;
        for (size_t p = digits.size(); p > first + 3; p -= 3)
            digits.insert(p - 3, 1, ',');
        m.m_text = Widen(digits);
        break;
    }
    case 25: {
        const std::string text = RandomNarrow(10);
        s.AppendPath(text.c_str());
        if (!m.m_text.empty() && m.m_text.back() != '/')
            m.m_text += u'/';
        m.m_text += Widen(text);
        break;
    }
    }
    Check(i, step);
    Check(j, step);
}

TEST(SharedStringModel, HundredThousandMixedOperations)
{
    ModelRun run(20240611u);
    for (int step = 0; step < 100000; ++step) {
        run.Step(step);
        if (testing::Test::HasFatalFailure())
            return;
        if (step % 64 == 0) {
            run.CheckAll(step);
            if (testing::Test::HasFatalFailure())
                return;
        }
    }
    run.CheckAll(100000);
}

} // namespace
