#include "view/TipText.h"

#include <cstdio>

namespace {

constexpr size_t kBytesPerLine = 8;

// Bytes that would break the tip's lines or draw nothing useful show as blanks.
char TipCharacter(uint8_t byte)
{
    switch (byte) {
    case 0x00:
    case 0x08:
    case 0x09:
    case 0x0A:
    case 0x0D:
        return ' ';
    default:
        return static_cast<char>(byte);
    }
}

void AppendLine(std::string& text, const uint8_t* bytes)
{
    char pair[4];
    for (size_t i = 0; i < kBytesPerLine; ++i) {
        std::snprintf(pair, sizeof(pair), "%02x ", static_cast<unsigned>(bytes[i]));
        text += pair;
    }
    text += "   ";
    for (size_t i = 0; i < kBytesPerLine; ++i) {
        text += TipCharacter(bytes[i]);
    }
    text += '\n';
}

} // namespace

std::string AddressTipText(uint32_t address, const uint8_t* bytesOrNull)
{
    char line[32];
    std::snprintf(line, sizeof(line), "Address: 0x%08x", static_cast<unsigned>(address));
    std::string text = line;
    if (bytesOrNull == nullptr) {
        return text;
    }
    text.reserve(kTipTextMax);
    // "ASCII" stands above the first character of the byte text (column 27).
    text += "\n\nHex Bytes                  ASCII\n";
    for (size_t offset = 0; offset < kTipByteCount; offset += kBytesPerLine) {
        AppendLine(text, bytesOrNull + offset);
    }
    return text;
}
