#include "MemoryRows.h"

#include <cstdio>

namespace {

// Bytes that would break or shift the list's text show as blanks.
char ListCharacter(uint8_t byte)
{
    switch (byte) {
    case 0: case 8: case 9: case 10: case 13:
        return ' ';
    default:
        return static_cast<char>(byte);
    }
}

} // namespace

MemoryRowTexts FormatMemoryRow(uint32_t startAddress, int row, const uint8_t* bytesOrNull)
{
    MemoryRowTexts texts;
    char buffer[16];
    const uint32_t rowAddress = startAddress + static_cast<uint32_t>(row) * kMemoryRowBytes;
    std::snprintf(buffer, sizeof(buffer), "0x%08x", static_cast<unsigned>(rowAddress));
    texts.address = buffer;

    if (bytesOrNull == nullptr) {
        for (int i = 0; i < kMemoryRowBytes; ++i) {
            texts.hex += "?? ";
        }
        texts.characters.assign(kMemoryRowBytes, ' ');
        return texts;
    }

    const uint8_t* bytes = bytesOrNull + static_cast<size_t>(row) * kMemoryRowBytes;
    texts.hex.reserve(3 * kMemoryRowBytes);
    for (int i = 0; i < kMemoryRowBytes; ++i) {
        std::snprintf(buffer, sizeof(buffer), "%02x ", static_cast<unsigned>(bytes[i]));
        texts.hex += buffer;
        texts.characters += ListCharacter(bytes[i]);
    }
    return texts;
}
