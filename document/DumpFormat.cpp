#include "document/DumpFormat.h"

#include <cstring>

size_t EncodeArchiveStringLength(uint32_t length, uint8_t (&header)[kArchiveLengthHeaderMax])
{
    if (length < 0xFF) {
        header[0] = static_cast<uint8_t>(length);
        return 1;
    }
    header[0] = 0xFF;
    if (length < 0xFFFE) {
        header[1] = static_cast<uint8_t>(length & 0xFF);
        header[2] = static_cast<uint8_t>(length >> 8);
        return 3;
    }
    header[1] = 0xFF;
    header[2] = 0xFF;
    for (int i = 0; i < 4; ++i) {
        header[3 + i] = static_cast<uint8_t>(length >> (8 * i));
    }
    return 7;
}

namespace {

// Each byte's character in the text: bytes that would break the text's lines or columns become
// blanks, every other byte stands for itself. One lookup a byte keeps a gigabyte-sized dump
// at the pace of the disk.
struct DumpCharacters
{
    uint8_t of[256];
    constexpr DumpCharacters() : of()
    {
        for (int byte = 0; byte < 256; ++byte) {
            const bool blank =
                byte == 0x00 || byte == 0x08 || byte == 0x09 || byte == 0x0A || byte == 0x0D;
            of[byte] = blank ? ' ' : static_cast<uint8_t>(byte);
        }
    }
};
constexpr DumpCharacters kDumpCharacters;

} // namespace

void MakeDumpPageText(const uint8_t* pageOrNull, uint8_t* text)
{
    if (pageOrNull == nullptr) {
        std::memset(text, ' ', kDumpPageSize);
        return;
    }
    for (uint32_t i = 0; i < kDumpPageSize; ++i) {
        text[i] = kDumpCharacters.of[pageOrNull[i]];
    }
}

void MakeDumpChunk(const uint8_t* pageOrNull, uint8_t* chunk)
{
    uint8_t header[kArchiveLengthHeaderMax];
    size_t at = EncodeArchiveStringLength(kDumpPageSize, header);
    for (size_t i = 0; i < at; ++i) {
        chunk[i] = header[i];
    }
    MakeDumpPageText(pageOrNull, chunk + at);
    at += kDumpPageSize;

    const size_t separatorHeader = EncodeArchiveStringLength(1, header);
    for (size_t i = 0; i < separatorHeader; ++i) {
        chunk[at++] = header[i];
    }
    chunk[at] = '\n';
}
