#pragma once
// The marker texts that VexoTarget.exe lays into its memory. The target builds them at run time
// from a hidden form, so these exact texts occur in its memory only where it prints they are.

// ASCII, once.
constexpr char kTargetAsciiMarker[] = "VexoAsciiMarker-5d1";
// UTF-16 (little-endian), once.
constexpr char kTargetWideMarker[] = "VexoWideMarker-8c2";
// ASCII, twice within one 4,096-byte page.
constexpr char kTargetTwiceMarker[] = "VexoTwiceMarker-3f7";
// ASCII, starting at offset 4,090 of a page and running into the next page.
constexpr char kTargetStraddleMarker[] = "VexoStraddleMarker-9a4";
constexpr unsigned kTargetStraddleOffset = 4090;

// ASCII, once in each of the pages that the target lays out when asked (--marker-pages N).
constexpr char kTargetPagesMarker[] = "VexoPagesMarker-6e0";

// The known byte runs.
constexpr unsigned char kTargetCtrlBytes[] = {0x41, 0x00, 0x42, 0x0D, 0x0A,
                                              0x09, 0x43, 0x08, 0x07, 0x0C};
constexpr unsigned char kTargetHelloBytes[] = {0x48, 0x65, 0x6C, 0x6C, 0x6F, 0x00, 0x0D, 0x0A};
