#include "ui/WindowWatch.h"

#include "ui/JWindow.h"

CWindowWatch::CWindowWatch(CJWindow* window) : m_window(window)
{
    if (!window)
        return;
    m_next = window->m_watches;
    window->m_watches = this;
}

CWindowWatch::~CWindowWatch()
{
    if (!m_window)
        return;
    for (CWindowWatch** link = &m_window->m_watches; *link; link = &(*link)->m_next)
        if (*link == this) {
            *link = m_next;
            return;
        }
}
