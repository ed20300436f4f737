#include "foundation/LocalizedString.h"

#include <algorithm>
#include <vector>

namespace {

struct Registration
{
    CLocalizedString* m_text;
    const char* m_comment;
};

// Created by the first registration and never destroyed: texts that outlive the static
// destructors (or are destroyed by them in any order) may still unregister.
std::vector<Registration>& GetRegistrations()
{
    static auto* s_registrations = new std::vector<Registration>();
    return *s_registrations;
}

} // namespace

CLocalizedString::CLocalizedString(const char* english, const char* comment, int)
    : CSharedString(english), m_english(english)
{
    if (english && *english) {
        GetRegistrations().push_back({this, comment});
        m_registered = true;
    }
}

CLocalizedString::~CLocalizedString()
{
    if (!m_registered)
        return;
    // Static texts die in reverse order of construction, so the search from the back is short.
    std::vector<Registration>& registrations = GetRegistrations();
    for (size_t i = registrations.size(); i-- > 0;) {
        if (registrations[i].m_text == this) {
            registrations.erase(registrations.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
}

int CLocalizedString::GetRegisteredCount()
{
    return static_cast<int>(GetRegistrations().size());
}

CLocalizedString* CLocalizedString::GetRegisteredText(int index)
{
    return GetRegistrations()[static_cast<size_t>(index)].m_text;
}

const char* CLocalizedString::GetRegisteredComment(int index)
{
    return GetRegistrations()[static_cast<size_t>(index)].m_comment;
}

void CLocalizableText::Localize()
{
    m_display = m_source;
    CLocalizationTable::GetInstance().Translate(m_display);
}

CLocalizationTable& CLocalizationTable::GetInstance()
{
    static CLocalizationTable* s_table = new CLocalizationTable();
    return *s_table;
}

CLocalizationTable::~CLocalizationTable()
{
    delete[] m_pairs;
}

void CLocalizationTable::AddPair(const CSharedString& key, const CSharedString& translation)
{
    if (m_count == m_capacity) {
        const int capacity = m_capacity + 10;
        Pair* pairs = new Pair[static_cast<size_t>(capacity)];
        for (int i = 0; i < m_count; ++i)
            pairs[i] = std::move(m_pairs[i]);
        delete[] m_pairs;
        m_pairs = pairs;
        m_capacity = capacity;
    }
    m_pairs[m_count].m_key = key;
    m_pairs[m_count].m_translation = translation;
    ++m_count;
    m_sorted = false;
}

void CLocalizationTable::SortPairs()
{
    // Stable, so of two pairs with the same key the one added first is met first.
    std::stable_sort(m_pairs, m_pairs + m_count,
                     [](const Pair& a, const Pair& b) { return a.m_key.Compare(b.m_key) < 0; });
    m_sorted = true;
}

void CLocalizationTable::RemoveAllPairs()
{
    for (int i = 0; i < m_count; ++i)
        m_pairs[i] = Pair();
    m_count = 0;
    m_sorted = true;
}

void CLocalizationTable::Translate(CSharedString& text, const char* comment, int)
{
    if (text.IsEmpty() || !m_pairs)
        return;
    if (!m_sorted)
        SortPairs();
    CSharedString key(text);
    if (comment && *comment) {
        key.AppendText("[END]");
        key.AppendFormat(" (%s)", comment);
    }
    int low = 0;
    int high = m_count - 1;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const int order = key.Compare(m_pairs[middle].m_key);
        if (order == 0) {
            text = m_pairs[middle].m_translation;
            return;
        }
        if (order < 0)
            high = middle - 1;
        else
            low = middle + 1;
    }
}

void CLocalizationTable::TranslateRegisteredTexts()
{
    std::vector<Registration>& registrations = GetRegistrations();
    for (const Registration& registration : registrations)
        Translate(*registration.m_text, registration.m_comment);
}
