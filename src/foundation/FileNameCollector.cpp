#include "foundation/FileNameCollector.h"

#include "foundation/LocalizedString.h"
#include "foundation/TextUtilities.h"
#include "foundation/Win32Services.h"

#include <cstring>

namespace {

CLocalizedString s_illegalNameCaption("Illegal file name", "Message box caption");
CLocalizedString s_nameTooLongText("\"%s\" is an illegal file name because it is more than %d characters long",
                                   "%s is a file name, %d a number of characters");

} // namespace

CFileNameCollector::CFileNameCollector(char* names, void* values, uint32_t stride, uint32_t capacity,
                                       uint32_t maxNameLength)
    : m_capacity(names && stride > 0 ? capacity : 0),
      m_maxNameLength(stride > 0 && maxNameLength > stride - 1 ? stride - 1 : maxNameLength),
      m_names(names),
      m_values(static_cast<uint8_t*>(values)),
      m_stride(stride)
{
}

void CFileNameCollector::Visit(const char* name, const CFileInfo& info)
{
    if (m_count >= m_capacity)
        return;
    const size_t length = std::strlen(name);
    if (length > m_maxNameLength) {
        CSharedString text;
        text.Format(s_nameTooLongText.GetFormat(), name, static_cast<int>(m_maxNameLength));
        FatalExit(s_illegalNameCaption.CStr(), text.CStr());
    }
    const size_t offset = static_cast<size_t>(m_nextSlot) * m_stride;
    std::memcpy(m_names + offset, name, length + 1);
    if (m_values)
        std::memcpy(m_values + offset, &info.m_size, sizeof info.m_size);
    ++m_nextSlot;
    ++m_count;
}

bool CFileNameCollector::ShouldSkip(const char* name)
{
    for (uint32_t slot = 0; slot < m_count; ++slot)
        if (CompareTextNoCase(GetName(slot), name) == 0)
            return true;
    return false;
}
