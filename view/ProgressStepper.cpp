#include "ProgressStepper.h"

CProgressStepper::CProgressStepper(int32_t start, int32_t end, uint32_t total)
    : m_nStart(start),
      m_nSpan(static_cast<uint32_t>(end) - static_cast<uint32_t>(start)),
      m_nTotal(total)
{
}

bool CProgressStepper::Next(int32_t& position)
{
    const uint32_t step = m_nTotal == 0 ? 0 : m_nNumerator / m_nTotal;
    position = static_cast<int32_t>(static_cast<uint32_t>(m_nStart) + step);
    m_nNumerator += m_nSpan;

    const bool changed = !m_bReported || position != m_nLastPosition;
    m_bReported = true;
    m_nLastPosition = position;
    return changed;
}

int32_t SearchProgressPosition(uint32_t address)
{
    return static_cast<int32_t>((static_cast<uint64_t>(address) * 100u) >> 32);
}
