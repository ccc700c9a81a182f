#include "tools/AddressParser.h"

#include <cstring>

const char kGotoLengthMessage[] = "Address should be at most 10 characters as in 0x12345678";
const char kGotoPrefixMessage[] = "Address must be in Hex, starting with 0x....";

namespace {

constexpr size_t kLongestAddressText = 10;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool IsHexPrefix(const char* p)
{
    return p[0] == '0' && (p[1] == 'x' || p[1] == 'X');
}

// Reads a number the way scanf's "%x" does; 0 when no digit follows.
uint32_t ScanHex(const char* p)
{
    while (IsBlank(*p)) {
        ++p;
    }
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    if (IsHexPrefix(p) && HexDigit(p[2]) >= 0) {
        p += 2;
    }
    uint32_t value = 0;
    for (int digit = HexDigit(*p); digit >= 0; digit = HexDigit(*++p)) {
        value = value * 16u + static_cast<uint32_t>(digit);
    }
    return negative ? 0u - value : value;
}

} // namespace

AddressParseResult ParseGotoAddress(const char* text)
{
    AddressParseResult result;
    const size_t length = text != nullptr ? std::strlen(text) : 0;
    if (length > kLongestAddressText) {
        result.message = kGotoLengthMessage;
        return result;
    }
    if (length < 2 || !IsHexPrefix(text)) {
        result.message = kGotoPrefixMessage;
        return result;
    }
    result.ok = true;
    result.address = ScanHex(text + 2);
    return result;
}
