// VexoTarget.exe: a process with known memory for the tests to look at.
//
// It lays out the items below, prints one line per item, "name 0x%08x protect=0x%x" (the
// protection it sees for the item itself), then "ready", and waits until a line arrives on its
// standard input or the input is closed; then it exits with 0. The names are stable:
//
//   reserve_commit          committed read-write page at the start of a 64 KiB reservation
//   reserve_rest            the 15 reserved pages after it
//   prot_noaccess           one committed page per base protection, each its own allocation;
//   prot_readonly           the readable ones filled with the byte value of their position in
//   prot_readwrite          this list (prot_readonly 0x02, prot_readwrite 0x03, ...)
//   prot_writecopy          (copy-on-write view of a page-file section, filled with 0x04)
//   prot_execute
//   prot_execute_read
//   prot_execute_readwrite
//   prot_execute_writecopy  (copy-on-write executable view; absent when the system refuses it)
//   guard                   committed read-write page with the guard modifier
//   nocache                 committed read-write page with the no-cache modifier
//   nocache_protected       the same modifier given afterwards by VirtualProtect
//   writecombine            committed read-write page with the write-combine modifier
//   mapped_view             read-write view of two pages of a page-file section, bytes 0xA5
//   boundary_commit         two committed read-write pages, bytes 0x5A, at the start of a
//   boundary_reserved         64 KiB reservation whose remaining pages are only reserved
//   bytes_all               a page holding the bytes 0..255 repeated
//   bytes_ctrl              41 00 42 0D 0A 09 43 08 07 0C (offset 0x100 of a read-write page)
//   bytes_hello             48 65 6C 6C 6F 00 0D 0A (offset 0x200 of the same page)
//   marker_ascii            the ASCII marker (tests/support/TargetMarkers.h)
//   marker_utf16            the UTF-16 marker
//   marker_twice_1          the twice marker, at offset 0x100 of a page ...
//   marker_twice_2          ... and again at offset 0x900 of the same page
//   marker_straddle         the straddle marker at offset 4090 of a page, running into the next
//   marker_pages            only with the argument --marker-pages N: the first of N committed
//                           read-write pages that each hold the pages marker once, at an offset
//                           that moves on from page to page
//
// Every marker occurs in the process exactly once where printed (twice for the twice marker):
// the image holds only a hidden form, revealed straight into place.

#include <windows.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tests/support/TargetMarkers.h"

namespace {

const DWORD kPage = 4096;

template <size_t N>
struct Hidden
{
    unsigned char bytes[N];
};

template <size_t N>
constexpr Hidden<N> Hide(const char (&text)[N])
{
    Hidden<N> hidden{};
    for (size_t i = 0; i < N; ++i) {
        hidden.bytes[i] = static_cast<unsigned char>(text[i] ^ (0x5A + i));
    }
    return hidden;
}

constexpr Hidden<sizeof kTargetAsciiMarker> kAscii = Hide(kTargetAsciiMarker);
constexpr Hidden<sizeof kTargetWideMarker> kWide = Hide(kTargetWideMarker);
constexpr Hidden<sizeof kTargetTwiceMarker> kTwice = Hide(kTargetTwiceMarker);
constexpr Hidden<sizeof kTargetStraddleMarker> kStraddle = Hide(kTargetStraddleMarker);
constexpr Hidden<sizeof kTargetPagesMarker> kPagesMarker = Hide(kTargetPagesMarker);

// Read at run time so that the compiler cannot fold the revealed text into the image.
volatile unsigned char g_key = 0x5A;

template <size_t N>
void Reveal(const Hidden<N>& hidden, unsigned char* to, size_t stride)
{
    for (size_t i = 0; i + 1 < N; ++i) {
        to[i * stride] = static_cast<unsigned char>(hidden.bytes[i] ^ (g_key + i));
    }
}

void Print(const char* name, const void* address)
{
    if (!address) {
        return;
    }
    MEMORY_BASIC_INFORMATION info = {};
    VirtualQuery(address, &info, sizeof info);
    std::printf("%s 0x%08x protect=0x%lx\n", name,
                static_cast<unsigned>(reinterpret_cast<UINT_PTR>(address)), info.Protect);
}

unsigned char* Commit(DWORD bytes, DWORD protect)
{
    return static_cast<unsigned char*>(
        VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, protect));
}

// A committed page filled with fill, then given the base protection.
void LayProtected(const char* name, DWORD protect, unsigned char fill)
{
    unsigned char* page = Commit(kPage, PAGE_READWRITE);
    if (!page) {
        return;
    }
    std::memset(page, fill, kPage);
    DWORD old = 0;
    if (VirtualProtect(page, kPage, protect, &old)) {
        Print(name, page);
    }
}

// A copy-on-write view of a page-file section filled with fill.
void LayCopyView(const char* name, DWORD sectionProtect, DWORD access, unsigned char fill)
{
    HANDLE section =
        CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, sectionProtect, 0, kPage, nullptr);
    if (!section) {
        return;
    }
    void* writer = MapViewOfFile(section, FILE_MAP_WRITE, 0, 0, kPage);
    if (writer) {
        std::memset(writer, fill, kPage);
        UnmapViewOfFile(writer);
    }
    void* view = MapViewOfFile(section, access, 0, 0, kPage);
    if (view) {
        Print(name, view);
    }
}

void LayReservation()
{
    auto* base =
        static_cast<unsigned char*>(VirtualAlloc(nullptr, 16 * kPage, MEM_RESERVE, PAGE_READWRITE));
    if (!base || !VirtualAlloc(base, kPage, MEM_COMMIT, PAGE_READWRITE)) {
        return;
    }
    Print("reserve_commit", base);
    Print("reserve_rest", base + kPage);
}

void LayProtections()
{
    Print("prot_noaccess", Commit(kPage, PAGE_NOACCESS));
    LayProtected("prot_readonly", PAGE_READONLY, 0x02);
    LayProtected("prot_readwrite", PAGE_READWRITE, 0x03);
    LayCopyView("prot_writecopy", PAGE_READWRITE, FILE_MAP_COPY, 0x04);
    LayProtected("prot_execute", PAGE_EXECUTE, 0x05);
    LayProtected("prot_execute_read", PAGE_EXECUTE_READ, 0x06);
    LayProtected("prot_execute_readwrite", PAGE_EXECUTE_READWRITE, 0x07);
    LayCopyView("prot_execute_writecopy", PAGE_EXECUTE_READWRITE, FILE_MAP_COPY | FILE_MAP_EXECUTE,
                0x08);
}

void LayModifiers()
{
    Print("guard", Commit(kPage, PAGE_READWRITE | PAGE_GUARD));
    Print("nocache", Commit(kPage, PAGE_READWRITE | PAGE_NOCACHE));
    unsigned char* later = Commit(kPage, PAGE_READWRITE);
    DWORD old = 0;
    if (later && VirtualProtect(later, kPage, PAGE_READWRITE | PAGE_NOCACHE, &old)) {
        Print("nocache_protected", later);
    }
    Print("writecombine", Commit(kPage, PAGE_READWRITE | PAGE_WRITECOMBINE));
}

void LayMappedView()
{
    HANDLE section =
        CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 2 * kPage, nullptr);
    void* view = section ? MapViewOfFile(section, FILE_MAP_WRITE, 0, 0, 2 * kPage) : nullptr;
    if (!view) {
        return;
    }
    std::memset(view, 0xA5, 2 * kPage);
    Print("mapped_view", view);
}

void LayBoundary()
{
    auto* base =
        static_cast<unsigned char*>(VirtualAlloc(nullptr, 16 * kPage, MEM_RESERVE, PAGE_READWRITE));
    if (!base || !VirtualAlloc(base, 2 * kPage, MEM_COMMIT, PAGE_READWRITE)) {
        return;
    }
    std::memset(base, 0x5A, 2 * kPage);
    Print("boundary_commit", base);
    Print("boundary_reserved", base + 2 * kPage);
}

void LayBytes()
{
    unsigned char* all = Commit(kPage, PAGE_READWRITE);
    if (all) {
        for (DWORD i = 0; i < kPage; ++i) {
            all[i] = static_cast<unsigned char>(i);
        }
        Print("bytes_all", all);
    }
    unsigned char* data = Commit(kPage, PAGE_READWRITE);
    if (data) {
        std::memcpy(data + 0x100, kTargetCtrlBytes, sizeof kTargetCtrlBytes);
        std::memcpy(data + 0x200, kTargetHelloBytes, sizeof kTargetHelloBytes);
        Print("bytes_ctrl", data + 0x100);
        Print("bytes_hello", data + 0x200);
    }
}

void LayMarkers()
{
    unsigned char* pages = Commit(4 * kPage, PAGE_READWRITE);
    if (!pages) {
        return;
    }
    Reveal(kAscii, pages + 0x40, 1);
    Reveal(kWide, pages + 0x400, 2);
    Reveal(kTwice, pages + kPage + 0x100, 1);
    Reveal(kTwice, pages + kPage + 0x900, 1);
    Reveal(kStraddle, pages + 2 * kPage + kTargetStraddleOffset, 1);
    Print("marker_ascii", pages + 0x40);
    Print("marker_utf16", pages + 0x400);
    Print("marker_twice_1", pages + kPage + 0x100);
    Print("marker_twice_2", pages + kPage + 0x900);
    Print("marker_straddle", pages + 2 * kPage + kTargetStraddleOffset);
}

// Many hits for a search: one marker in each of count pages.
void LayMarkerPages(DWORD count)
{
    unsigned char* pages = count > 0 ? Commit(count * kPage, PAGE_READWRITE) : nullptr;
    if (!pages) {
        return;
    }
    for (DWORD i = 0; i < count; ++i) {
        Reveal(kPagesMarker, pages + i * kPage + (i * 40) % (kPage - 64), 1);
    }
    Print("marker_pages", pages + 0);
}

} // namespace

int main(int argc, char** argv)
{
    LayReservation();
    LayProtections();
    LayModifiers();
    LayMappedView();
    LayBoundary();
    LayBytes();
    LayMarkers();
    if (argc == 3 && std::strcmp(argv[1], "--marker-pages") == 0) {
        LayMarkerPages(static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)));
    }
    std::printf("ready\n");
    std::fflush(stdout);

    char line[64];
    std::fgets(line, sizeof line, stdin);
    return 0;
}
