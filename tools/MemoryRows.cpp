#include "tools/MemoryRows.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

// Bytes that would break or shift the list's text show as blanks.
char ListCharacter(uint8_t byte)
{
    switch (byte) {
    case 0:
    case 8:
    case 9:
    case 10:
    case 13:
        return ' ';
    default:
        return static_cast<char>(byte);
    }
}

bool SameIgnoringCase(char a, char b)
{
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
}

bool RowMatches(uint32_t startAddress, int row, const std::string& text, bool partial)
{
    const std::string address = FormatMemoryRow(startAddress, row, nullptr).address;
    if (partial ? text.size() > address.size() : text.size() != address.size()) {
        return false;
    }
    return std::equal(text.begin(), text.end(), address.begin(), SameIgnoringCase);
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

    // "%02x " by hand: the list asks for its cells each time it paints.
    static const char kDigits[] = "0123456789abcdef";
    const uint8_t* bytes = bytesOrNull + static_cast<size_t>(row) * kMemoryRowBytes;
    texts.hex.resize(3 * kMemoryRowBytes);
    texts.characters.resize(kMemoryRowBytes);
    for (int i = 0; i < kMemoryRowBytes; ++i) {
        texts.hex[3 * i] = kDigits[bytes[i] >> 4];
        texts.hex[3 * i + 1] = kDigits[bytes[i] & 0xF];
        texts.hex[3 * i + 2] = ' ';
        texts.characters[i] = ListCharacter(bytes[i]);
    }
    return texts;
}

int FindMemoryRow(uint32_t startAddress, const std::string& text, bool partial, int from, bool wrap)
{
    from = std::max(0, from);
    for (int row = from; row < kMemoryRowCount; ++row) {
        if (RowMatches(startAddress, row, text, partial)) {
            return row;
        }
    }
    for (int row = 0; wrap && row < std::min(from, kMemoryRowCount); ++row) {
        if (RowMatches(startAddress, row, text, partial)) {
            return row;
        }
    }
    return -1;
}
