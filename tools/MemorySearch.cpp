#include "tools/MemorySearch.h"

#include <cstring>

#include "common/ProgressStepper.h"
#include "inspect/ProcessMemoryReader.h"

namespace {

// A zero byte reads as a blank, so a text with a blank after every letter finds 16-bit text.
inline char AsText(uint8_t byte)
{
    return byte == 0 ? ' ' : static_cast<char>(byte);
}

} // namespace

CMemorySearch::CMemorySearch(const char* text) : m_text(), m_nLength(0), m_nAnchor(0)
{
    if (text != nullptr) {
        while (m_nLength < kSearchTextMax && text[m_nLength] != '\0') {
            m_text[m_nLength] = text[m_nLength];
            ++m_nLength;
        }
    }
    while (m_nAnchor < m_nLength && m_text[m_nAnchor] == ' ') {
        ++m_nAnchor;
    }
}

bool CMemorySearch::FindInChunk(const uint8_t* chunk, SearchChunkMatch& match) const
{
    if (m_nLength == 0) {
        return false;
    }
    size_t offset = 0;
    if (m_nAnchor == m_nLength) {
        if (!FindBlankRun(chunk, &offset)) {
            return false;
        }
        FillMatch(chunk, offset, match);
        return true;
    }

    // A non-blank character is never a zero byte, so the raw chunk can be scanned for it.
    // Candidates come in ascending order, so the first that matches is the first occurrence.
    const uint8_t key = static_cast<uint8_t>(m_text[m_nAnchor]);
    const uint8_t* from = chunk + m_nAnchor;
    const uint8_t* const end = chunk + (kSearchChunkSize - m_nLength) + m_nAnchor + 1;
    while (from < end) {
        const void* found = std::memchr(from, key, static_cast<size_t>(end - from));
        if (found == nullptr) {
            return false;
        }
        const uint8_t* at = static_cast<const uint8_t*>(found);
        if (MatchesAt(at - m_nAnchor)) {
            FillMatch(chunk, static_cast<size_t>(at - m_nAnchor - chunk), match);
            return true;
        }
        from = at + 1;
    }
    return false;
}

bool CMemorySearch::MatchesAt(const uint8_t* at) const
{
    for (size_t i = 0; i < m_nLength; ++i) {
        if (AsText(at[i]) != m_text[i]) {
            return false;
        }
    }
    return true;
}

// A text of blanks only: the first run of m_nLength bytes that are all zero or blank.
bool CMemorySearch::FindBlankRun(const uint8_t* chunk, size_t* offset) const
{
    size_t run = 0;
    for (size_t i = 0; i < kSearchChunkSize; ++i) {
        run = AsText(chunk[i]) == ' ' ? run + 1 : 0;
        if (run == m_nLength) {
            *offset = i + 1 - m_nLength;
            return true;
        }
    }
    return false;
}

// Up to 16 bytes before the match, the match, up to 16 after it, inside the chunk; the first
// 255 characters of that.
void CMemorySearch::FillMatch(const uint8_t* chunk, size_t offset, SearchChunkMatch& match) const
{
    const size_t before = offset < kSearchContextMargin ? offset : kSearchContextMargin;
    const size_t rest = kSearchChunkSize - offset - m_nLength;
    const size_t after = rest < kSearchContextMargin ? rest : kSearchContextMargin;
    size_t length = before + m_nLength + after;
    if (length > kSearchContextSize - 1) {
        length = kSearchContextSize - 1;
    }

    match.offset = static_cast<uint32_t>(offset);
    std::memset(match.context, 0, sizeof(match.context));
    const uint8_t* from = chunk + offset - before;
    for (size_t i = 0; i < length; ++i) {
        match.context[i] = AsText(from[i]);
    }
}

void CMemorySearch::Run(CProcessMemoryReader& reader, const HitFunction& onHit,
                        const ProgressFunction& onProgress) const
{
    static_assert(kSearchChunkSize == CProcessMemoryReader::kPageBytes,
                  "a searched chunk is what the reader reads in one go");
    uint8_t chunk[kSearchChunkSize];
    SearchChunkMatch match;
    SearchHit hit;
    int32_t shown = -1;
    for (uint32_t address = 0; address < kSearchAddressLimit; address += kSearchChunkSize) {
        if (m_nLength != 0 && reader.ReadPage(address, chunk) == kReadDone &&
            FindInChunk(chunk, match)) {
            std::memcpy(hit.context, match.context, sizeof(hit.context));
            hit.address = address + match.offset;
            onHit(hit);
        }
        const int32_t position = SearchProgressPosition(address);
        if (position != shown) {
            shown = position;
            onProgress(position);
        }
    }
}
