#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Number of bytes that the address tip shows under the address.
constexpr size_t kTipByteCount = 128;

// Longest text AddressTipText makes.
constexpr size_t kTipTextMax = 630;

// Text of the address tip: "Address: 0x%08x"; when the 128 bytes at the address were read
// (bytesOrNull not null), a blank line, the header "Hex Bytes ... ASCII" and 16 lines of 8
// bytes, each "%02x " per byte, three blanks, then the bytes as characters with 0x00, 0x08,
// 0x09, 0x0A and 0x0D shown as blanks.
std::string AddressTipText(uint32_t address, const uint8_t* bytesOrNull);
