#pragma once
#include <cstdint>

// The size of a page of a 32-bit Windows process, and so the unit of everything that goes page
// by page: the page map, the picture's pixels, the bulk reads, the dump and the text search.
constexpr uint32_t kPageSize = 4096;
