#pragma once
// The memory text search over a whole address space, without any window: it gives the hits and
// progress positions of searching every 4096-byte chunk on its own (SearchChunk over a
// ReadProcessBytes of each chunk), but reads through one CProcessMemoryReader (one open, no reads
// of unreadable pages, large blocks) and scans each chunk for the text's first non-blank byte.

#include <cstddef>
#include <cstdint>
#include <functional>

#include "tools/SearchChunk.h"

class CProcessMemoryReader;

// One result of the search as the worker queues it.
struct SearchHit
{
    char context[kSearchContextSize]; // the bytes around the match as text, zero-filled
    uint32_t address;                 // of the match's first byte in the searched process
};

class CMemorySearch
{
public:
    using HitFunction = std::function<void(const SearchHit& hit)>;
    using ProgressFunction = std::function<void(int32_t position)>;

    // Keeps the first kSearchTextMax characters of text.
    explicit CMemorySearch(const char* text);

    // The first occurrence of the text in one chunk of kSearchChunkSize bytes, zero bytes read
    // as blanks: the same answer as SearchChunk, found without rewriting the chunk.
    bool FindInChunk(const uint8_t* chunk, SearchChunkMatch& match) const;

    // Searches every chunk from address 0 while the address is below kSearchAddressLimit.
    // onHit gets at most one hit per chunk, in address order. onProgress gets the progress
    // position of each chunk (SearchProgressPosition) when it differs from the one before, the
    // first always, after the chunk's hit: 0 to 99, each once.
    void Run(CProcessMemoryReader& reader, const HitFunction& onHit,
             const ProgressFunction& onProgress) const;

private:
    bool MatchesAt(const uint8_t* at) const;
    bool FindBlankRun(const uint8_t* chunk, size_t* offset) const;
    void FillMatch(const uint8_t* chunk, size_t offset, SearchChunkMatch& match) const;

    char m_text[kSearchTextMax + 1];
    size_t m_nLength;
    // Index of the text's first non-blank character, the one the scan looks for; m_nLength
    // when the text is all blanks.
    size_t m_nAnchor;
};
