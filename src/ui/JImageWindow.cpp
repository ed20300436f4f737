#include "ui/JImageWindow.h"

#include "graphics/Frame.h"
#include "graphics/OffsetClippedProxyFrame.h"
#include "graphics/Sequence.h"
#include "graphics/SequenceCollection.h"

#include <cmath>
#include <string>

namespace {

std::string DebugName(const char* imageName)
{
    return imageName ? std::string("!DEBUG! ") + imageName : std::string();
}

} // namespace

CJImageWindow::CJImageWindow(CJWindow* parent, CSequence* sequence, const char* text)
    : CJWindow(parent, text), m_sequence(sequence)
{
    SetUp();
}

CJImageWindow::CJImageWindow(CJWindow* parent, const char* imageName, CResourceCollection* collection)
    : CJWindow(parent, DebugName(imageName).c_str())
{
    CResourceCollection* images = collection ? collection : &CSequenceCollection::GetInstance();
    // A name the collection lacks leaves the window without a sequence (no report).
    const int index = imageName ? images->FindIndexByName(imageName, -1) : -1;
    if (index >= 0)
        m_sequence = dynamic_cast<CSequence*>(images->GetItem(static_cast<uint32_t>(index)));
    SetUp();
}

void CJImageWindow::SetUp()
{
    m_enabled = false;
    m_frameTime = 0.0f;
    if (!m_sequence)
        return;
    m_frameRate = m_sequence->GetFramesPerSecond();
    const CIntRect& bounds = m_sequence->GetBounds();
    SetSize(bounds.GetWidth(), bounds.GetHeight());
}

void CJImageWindow::Update(float seconds)
{
    if (!m_sequence)
        return;
    m_frameTime += seconds * m_frameRate;
    const auto count = static_cast<float>(m_sequence->GetFrameCount());
    if (count > 0.0f && std::lround(m_frameTime) >= static_cast<long>(count))
        m_frameTime -= count;
}

void CJImageWindow::Draw(COffsetClippedProxyFrame* frame)
{
    if (!m_sequence || !frame)
        return;
    const long index = std::lround(m_frameTime);
    if (index < 0)
        return;
    if (CFrame* image = m_sequence->GetFrame(static_cast<uint32_t>(index)))
        frame->DrawFrameAt(image, 0, 0, m_sequence->GetBlitter());
}

bool CJImageWindow::OnHover(const CIntPoint& point)
{
    if (m_tooltip.IsEmpty())
        return CJWindow::OnHover(point);
    ShowTooltip(m_tooltip.CStr(), -1, -1);
    return true;
}
