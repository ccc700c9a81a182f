#pragma once
#include <cstddef>
#include <cstdint>

#include "common/PageSize.h"

// The memory text dump: one chunk per 4 KiB page from 0x00000000 up to 0xFFFFE000 (the top page
// is not written), each chunk two archive strings: the page as 4096 characters of text and the
// separator "\n". No header, no trailer.

constexpr uint32_t kDumpPageSize = kPageSize;
constexpr uint32_t kDumpLastPage = 0xFFFFE000;
// The page loop advances by a page and goes on while the new address is below this bound.
constexpr uint32_t kDumpAddressLimit = 0xFFFFEFFF;
constexpr uint32_t kDumpChunkCount = 1048575;
constexpr size_t kDumpChunkSize = 4101;
constexpr uint64_t kDumpTotalSize = 4300206075ull;

// Longest length header of an archive string.
constexpr size_t kArchiveLengthHeaderMax = 7;

// Writes the archive's length header of an 8-bit string of the given length into header and
// returns its size: one byte below 255; 0xFF and a 16-bit little-endian word below 0xFFFE;
// otherwise 0xFF, 0xFFFF and a 32-bit little-endian word. The characters follow the header.
size_t EncodeArchiveStringLength(uint32_t length, uint8_t (&header)[kArchiveLengthHeaderMax]);

// Page text of a page: the bytes with 0x00, 0x08, 0x09, 0x0A and 0x0D turned into blanks and
// everything else unchanged; a page that could not be read (pageOrNull null) is all blanks.
// Both buffers hold kDumpPageSize bytes.
void MakeDumpPageText(const uint8_t* pageOrNull, uint8_t* text);

// The whole chunk of one page as it goes into the file (kDumpChunkSize bytes): FF 00 10, the
// page text, 01 0A.
void MakeDumpChunk(const uint8_t* pageOrNull, uint8_t* chunk);
