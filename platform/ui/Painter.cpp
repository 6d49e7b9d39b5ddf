#include "Painter.h"

CPainter::~CPainter()
{
    if (m_pHost)
        m_pHost->m_pPainter = nullptr;
}

void CPainter::Invalidate()
{
    if (m_pHost)
        m_pHost->OnInvalidate();
}

CPaintHost::~CPaintHost()
{
    Detach();
}

void CPaintHost::Attach(CPainter& painter)
{
    Detach();
    // A painter shows in one window at a time.
    if (painter.m_pHost)
        painter.m_pHost->m_pPainter = nullptr;
    painter.m_pHost = this;
    m_pPainter = &painter;
}

void CPaintHost::Detach()
{
    if (m_pPainter)
        m_pPainter->m_pHost = nullptr;
    m_pPainter = nullptr;
}
