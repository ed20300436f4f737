#include "ui/WindowWatch.h"

#include "ui/JWindow.h"

CWindowWatch::CWindowWatch(CJWindow* window) : m_window(window)
{
    Hook();
}

CWindowWatch::~CWindowWatch()
{
    Unhook();
}

void CWindowWatch::Watch(CJWindow* window)
{
    if (window == m_window)
        return;
    Unhook();
    m_window = window;
    Hook();
}

void CWindowWatch::Hook()
{
    m_next = nullptr;
    if (!m_window)
        return;
    m_next = m_window->m_watches;
    m_window->m_watches = this;
}

void CWindowWatch::Unhook()
{
    if (!m_window)
        return;
    for (CWindowWatch** link = &m_window->m_watches; *link; link = &(*link)->m_next)
        if (*link == this) {
            *link = m_next;
            break;
        }
    m_window = nullptr;
    m_next = nullptr;
}
