#pragma once
#include <cstdint>

// Progress of the picture composition: page k of total pages is at position
// start + (k * span) / total, span = end - start, in unsigned 32-bit arithmetic, with k * span
// kept as a running sum that grows by span per page. Sending every position to the bar would
// cost one cross-thread message per page, so the stepper also tells whether the position
// differs from the last one reported; the caller sends only those.
class CProgressStepper
{
public:
    // total is the number of pages (width x height); a total of 0 keeps the position at start.
    CProgressStepper(int32_t start, int32_t end, uint32_t total);

    // Position of the next page in order. Returns true when it differs from the position
    // returned before (always for the first page), false when the bar would not move.
    bool Next(int32_t& position);

    // Moves on to the next of the total pages whose position differs from the one returned
    // before (the first page always counts) and gives its index and position; false when no
    // page is left. The same pages and positions as Next page by page, found by arithmetic
    // where k * span cannot wrap.
    bool NextChange(uint32_t& page, int32_t& position);

private:
    // Skips the pages that still give the last position, when that can be computed.
    void SkipUnchanged();

    int32_t m_nStart;
    uint32_t m_nSpan;
    uint32_t m_nTotal;
    uint32_t m_nPage = 0;
    uint32_t m_nNumerator = 0;
    int32_t m_nLastPosition = 0;
    bool m_bReported = false;
};

// Progress position of the text search at chunk address a: the whole part of a * 100 / 2^32.
int32_t SearchProgressPosition(uint32_t address);
