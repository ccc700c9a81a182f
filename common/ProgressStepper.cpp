#include "common/ProgressStepper.h"

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
    ++m_nPage;

    const bool changed = !m_bReported || position != m_nLastPosition;
    m_bReported = true;
    m_nLastPosition = position;
    return changed;
}

bool CProgressStepper::NextChange(uint32_t& page, int32_t& position)
{
    SkipUnchanged();
    while (m_nPage < m_nTotal) {
        const uint32_t current = m_nPage;
        if (Next(position)) {
            page = current;
            return true;
        }
    }
    return false;
}

// Without wrapping, page k's step is k * span / total, and the first page past step s is the
// smallest k with k * span >= (s + 1) * total.
void CProgressStepper::SkipUnchanged()
{
    if (!m_bReported || m_nPage >= m_nTotal) {
        return;
    }
    if (static_cast<uint64_t>(m_nTotal - 1) * m_nSpan > 0xFFFFFFFFull) {
        return;
    }
    if (m_nSpan == 0) {
        m_nPage = m_nTotal;
        return;
    }
    const uint64_t lastStep =
        static_cast<uint32_t>(m_nLastPosition) - static_cast<uint32_t>(m_nStart);
    const uint64_t first = ((lastStep + 1) * m_nTotal + m_nSpan - 1) / m_nSpan;
    if (first <= m_nPage) {
        return;
    }
    m_nPage = first < m_nTotal ? static_cast<uint32_t>(first) : m_nTotal;
    m_nNumerator = m_nPage * m_nSpan;
}

int32_t SearchProgressPosition(uint32_t address)
{
    return static_cast<int32_t>((static_cast<uint64_t>(address) * 100u) >> 32);
}
