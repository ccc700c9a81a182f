#pragma once
#include <cstddef>
#include <cstdint>

#include "common/PageSize.h"

// One step of the memory text search: the process is read in 4096-byte chunks, each searched on
// its own (a text that crosses into the next chunk is not found), and a chunk gives at most one
// hit, its first occurrence.

constexpr size_t kSearchChunkSize = kPageSize;
// The chunk loop runs while the chunk address is below this bound: the last chunk searched
// starts at 0xffffe000, the top page is never searched, 1,048,575 chunks in all.
constexpr uint32_t kSearchAddressLimit = 0xFFFFEFFF;
constexpr uint32_t kSearchChunkCount = 1048575;
// Longest search text the search keeps.
constexpr size_t kSearchTextMax = 255;
// Size of a hit's context buffer, terminator included.
constexpr size_t kSearchContextSize = 256;
// Bytes of context kept before and after the match.
constexpr size_t kSearchContextMargin = 16;

struct SearchChunkMatch
{
    uint32_t offset = 0;                   // of the match's first byte in the chunk
    char context[kSearchContextSize] = {}; // zero-filled and terminated
};

// Looks for text in the chunk (kSearchChunkSize bytes), where every zero byte counts as a blank;
// exact, case-sensitive. On a hit fills match and returns true. The context is up to 16 bytes
// before the match, the match and up to 16 bytes after it, never reaching outside the chunk,
// zero bytes shown as blanks; one longer than 255 characters (texts of more than 223
// characters) keeps its first 255. An empty text finds nothing.
bool SearchChunk(const uint8_t* chunk, const char* text, SearchChunkMatch& match);
