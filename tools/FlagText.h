#pragma once
#include <cstdint>
#include <string>

// Flag text of a page flags word for the search results: the words of the set bits (Read, Write,
// Execute, Copy-On-Write, Gaurded, NoCache, Committed, Free, Reserved, Image, Mapped, Private for
// bits 0 .. 11) joined by "-" in bit order. A word without any of these bits gives "".
std::string PageFlagText(uint32_t flags);
