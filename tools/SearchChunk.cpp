#include "tools/SearchChunk.h"

#include <cstring>

namespace {

// Zero bytes are searched and shown as blanks, so texts stored as 16-bit characters are found
// with a search text that has a blank after every letter.
char ChunkCharacter(uint8_t byte)
{
    return byte == 0 ? ' ' : static_cast<char>(byte);
}

} // namespace

bool SearchChunk(const uint8_t* chunk, const char* text, SearchChunkMatch& match)
{
    const size_t length = std::strlen(text);
    if (length == 0 || length > kSearchChunkSize) {
        return false;
    }

    char haystack[kSearchChunkSize];
    for (size_t i = 0; i < kSearchChunkSize; ++i) {
        haystack[i] = ChunkCharacter(chunk[i]);
    }

    const char first = text[0];
    const size_t lastStart = kSearchChunkSize - length;
    for (size_t n = 0; n <= lastStart; ++n) {
        const void* found = std::memchr(haystack + n, first, lastStart - n + 1);
        if (found == nullptr) {
            return false;
        }
        n = static_cast<size_t>(static_cast<const char*>(found) - haystack);
        if (std::memcmp(haystack + n, text, length) != 0) {
            continue;
        }

        const size_t before = n < kSearchContextMargin ? n : kSearchContextMargin;
        const size_t rest = kSearchChunkSize - n - length;
        const size_t after = rest < kSearchContextMargin ? rest : kSearchContextMargin;
        size_t contextLength = before + length + after;
        if (contextLength > kSearchContextSize - 1) {
            contextLength = kSearchContextSize - 1;
        }
        match.offset = static_cast<uint32_t>(n);
        std::memset(match.context, 0, sizeof(match.context));
        std::memcpy(match.context, haystack + n - before, contextLength);
        return true;
    }
    return false;
}
