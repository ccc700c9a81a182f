#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/PageSize.h"

// The memory contents list: 4096 bytes from an address as 256 rows of 16 bytes.

constexpr size_t kMemoryListBytes = kPageSize;
constexpr int kMemoryRowCount = 256;
constexpr int kMemoryRowBytes = 16;

// The three column texts of one row.
struct MemoryRowTexts
{
    std::string address;    // "0x%08x" of the row's start
    std::string hex;        // 16 x "%02x ", or 16 x "?? " when the read failed
    std::string characters; // 16 characters; blanks when the read failed
};

// Texts of row (0 .. 255) of the listing from startAddress. bytesOrNull is the whole 4096-byte
// buffer, or null when the read failed. The row address is computed in 32 bits and so wraps
// from 0xfffffff0 to 0x00000000.
MemoryRowTexts FormatMemoryRow(uint32_t startAddress, int row, const uint8_t* bytesOrNull);

// Row of the listing from startAddress whose address text equals text, or with partial begins
// with it, ignoring case: the first from row `from` to the last and, with wrap, on from row 0.
// -1 when no row matches. The list's own search over its first column, for a list that keeps no
// texts of its own.
int FindMemoryRow(uint32_t startAddress, const std::string& text, bool partial, int from,
                  bool wrap);
