// Seeded random inputs for the pure parsers and formatters, each checked against an independent
// reference or against the shape its header promises. The seed is printed; VEXO_FUZZ_SEED=<n>
// repeats a run. Natively every case runs under AddressSanitizer and UndefinedBehaviorSanitizer,
// so the output buffers are allocated at their exact sizes; under Wine a guard byte pattern
// behind them catches writes past the end, and fewer inputs keep the emulated run short.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "common/ModuleLabelText.h"
#include "document/DumpFormat.h"
#include "tools/AddressParser.h"
#include "tools/SearchChunk.h"
#include "view/TipText.h"

namespace {

#ifdef _WIN32
constexpr uint32_t kScale = 4;    // emulated under Wine: a quarter of the inputs
constexpr size_t kGuardSize = 16; // no sanitizer there: a guard pattern behind each buffer
#else
constexpr uint32_t kScale = 1;
constexpr size_t kGuardSize = 0; // AddressSanitizer sees any write past a buffer's end
#endif

// Inputs per case; about 1.1 million in all natively. Page-sized inputs cost the most, so a
// search chunk serves several search texts, and length headers outnumber whole dump chunks.
constexpr uint32_t kAddressInputs = 700000 / kScale;
constexpr uint32_t kSearchInputs = 40000 / kScale;
constexpr uint32_t kTextsPerSearchChunk = 8;
constexpr uint32_t kDumpHeaderInputs = 200000 / kScale;
constexpr uint32_t kDumpChunkInputs = 10000 / kScale;
constexpr uint32_t kTipInputs = 30000 / kScale;
constexpr uint32_t kLabelInputs = 150000 / kScale;

constexpr uint8_t kGuardByte = 0xA5;

uint64_t RunSeed()
{
    static const uint64_t seed = [] {
        const char* text = std::getenv("VEXO_FUZZ_SEED");
        uint64_t value = 0;
        if (text != nullptr && *text != '\0') {
            value = std::strtoull(text, nullptr, 0);
        } else {
            std::random_device device;
            value =
                (static_cast<uint64_t>(device()) << 32) ^ device() ^
                static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        }
        std::printf("random inputs: seed %llu (VEXO_FUZZ_SEED=%llu repeats this run)\n",
                    static_cast<unsigned long long>(value), static_cast<unsigned long long>(value));
        return value;
    }();
    return seed;
}

// Small generator helpers over one engine per case, so that cases do not depend on each other.
class Random
{
public:
    explicit Random(uint64_t salt) : m_engine(RunSeed() ^ (salt * 0x9E3779B97F4A7C15ull)) {}

    uint64_t Next() { return m_engine(); }
    uint32_t Below(uint32_t bound) { return static_cast<uint32_t>(m_engine() % bound); }
    bool OneIn(uint32_t n) { return Below(n) == 0; }
    uint8_t Byte() { return static_cast<uint8_t>(m_engine()); }
    uint8_t NonZeroByte() { return static_cast<uint8_t>(1 + Below(255)); }
    // Fills bytes eight at a time.
    void Fill(uint8_t* bytes, size_t size)
    {
        for (size_t i = 0; i < size; i += 8) {
            const uint64_t value = m_engine();
            std::memcpy(bytes + i, &value, std::min<size_t>(8, size - i));
        }
    }
    char Pick(const char* characters)
    {
        return characters[Below(static_cast<uint32_t>(std::strlen(characters)))];
    }

private:
    std::mt19937_64 m_engine;
};

std::string Printable(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof(escaped), "\\x%02x", c);
            out += escaped;
        }
    }
    return out + "\"";
}

std::string Hex8(uint32_t value)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string text = "0x";
    for (int shift = 28; shift >= 0; shift -= 4) {
        text += kDigits[(value >> shift) & 0xF];
    }
    return text;
}

// A heap buffer of exactly size bytes natively (the sanitizer sees any overrun); under Wine the
// same bytes followed by a guard pattern that must stay intact.
class OutputBuffer
{
public:
    explicit OutputBuffer(size_t size) : m_size(size), m_bytes(new uint8_t[size + kGuardSize])
    {
        std::memset(m_bytes.get(), 0xCC, m_size);
        std::memset(m_bytes.get() + m_size, kGuardByte, kGuardSize);
    }
    uint8_t* Data() { return m_bytes.get(); }
    char* Chars() { return reinterpret_cast<char*>(m_bytes.get()); }
    bool GuardIntact() const
    {
        for (size_t i = 0; i < kGuardSize; ++i) {
            if (m_bytes[m_size + i] != kGuardByte) {
                return false;
            }
        }
        return true;
    }

private:
    size_t m_size;
    std::unique_ptr<uint8_t[]> m_bytes;
};

// ---- Goto address text ----------------------------------------------------------------------

// Mostly texts that pass the prefix test, built from the characters that matter to "%x".
std::string AddressText(Random& random)
{
    std::string text;
    switch (random.Below(4)) {
    case 0:
        break;
    case 1:
        text = random.OneIn(2) ? "0x" : "0X";
        break;
    default:
        text = random.OneIn(2) ? "0x" : "0X";
        text += random.Pick("0 \t+-");
        break;
    }
    const uint32_t extra = random.Below(random.OneIn(8) ? 14 : 10);
    for (uint32_t i = 0; i < extra; ++i) {
        if (random.OneIn(12)) {
            text += static_cast<char>(random.NonZeroByte());
        } else {
            text += random.Pick("0123456789abcdefABCDEFxXgG \t\n\v\f\r+-");
        }
    }
    return text;
}

TEST(RandomInputTest, GotoAddressParserAgreesWithScanf)
{
    Random random(1);
    for (uint32_t i = 0; i < kAddressInputs; ++i) {
        const std::string text = AddressText(random);
        const AddressParseResult result = ParseGotoAddress(text.c_str());

        const bool hasPrefix =
            text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
        if (text.size() > 10) {
            if (result.ok || result.message != kGotoLengthMessage) {
                FAIL() << "expected the length message for " << Printable(text);
            }
        } else if (!hasPrefix) {
            if (result.ok || result.message != kGotoPrefixMessage) {
                FAIL() << "expected the prefix message for " << Printable(text);
            }
        } else {
            unsigned int expected = 0;
            std::sscanf(text.c_str() + 2, "%x", &expected);
            if (!result.ok || result.address != expected) {
                FAIL() << Printable(text) << " read as " << Hex8(result.address) << ", scanf reads "
                       << Hex8(expected);
            }
        }
    }
    std::printf("goto address texts: %u inputs\n", kAddressInputs);
    EXPECT_STREQ(kGotoLengthMessage, "Address should be at most 10 characters as in 0x12345678");
    EXPECT_STREQ(kGotoPrefixMessage, "Address must be in Hex, starting with 0x....");
    EXPECT_EQ(ParseGotoAddress(nullptr).message, kGotoPrefixMessage);
}

// ---- Search chunk -----------------------------------------------------------------------------

struct ReferenceHit
{
    bool found = false;
    size_t offset = 0;
    std::string context;
};

// Straightforward search of the chunk's text (zero bytes already turned into blanks): every start
// position in order.
ReferenceHit NaiveSearch(const std::string& haystack, const std::string& text)
{
    ReferenceHit hit;
    if (text.empty() || text.size() > haystack.size()) {
        return hit;
    }
    for (size_t n = 0; n + text.size() <= haystack.size(); ++n) {
        if (haystack[n] == text[0] && haystack.compare(n, text.size(), text) == 0) {
            const size_t from = n >= 16 ? n - 16 : 0;
            const size_t to = std::min(haystack.size(), n + text.size() + 16);
            hit.found = true;
            hit.offset = n;
            hit.context = haystack.substr(from, std::min<size_t>(to - from, 255));
            return hit;
        }
    }
    return hit;
}

TEST(RandomInputTest, SearchChunkAgreesWithNaiveSearch)
{
    Random random(2);
    std::vector<uint8_t> chunk(kSearchChunkSize);
    std::string haystack;
    uint32_t style = 0;
    uint32_t hits = 0;
    for (uint32_t i = 0; i < kSearchInputs; ++i) {
        if (i % kTextsPerSearchChunk == 0) {
            // A small alphabet makes matches and near misses common; zeros stand for blanks.
            style = random.Below(3);
            random.Fill(chunk.data(), chunk.size());
            for (uint8_t& byte : chunk) {
                if (style == 1) {
                    byte = static_cast<uint8_t>("\0ab "[byte & 3]);
                }
                if (style == 2) {
                    byte = byte < 4 ? 'b' : 'a';
                }
            }
            haystack.assign(chunk.begin(), chunk.end());
            std::replace(haystack.begin(), haystack.end(), '\0', ' ');
        }
        std::string text;
        const uint32_t length = random.OneIn(50)    ? 200 + random.Below(100)
                                : random.OneIn(500) ? 4095 + random.Below(3)
                                                    : 1 + random.Below(6);
        if (random.OneIn(2) && length <= kSearchChunkSize) {
            // Taken from the chunk, so that it is there at least once.
            text = haystack.substr(
                random.Below(static_cast<uint32_t>(kSearchChunkSize - length + 1)), length);
        } else {
            for (uint32_t k = 0; k < length; ++k) {
                text += style == 0 ? static_cast<char>(random.NonZeroByte()) : random.Pick("ab ");
            }
        }

        SearchChunkMatch match;
        const bool found = SearchChunk(chunk.data(), text.c_str(), match);
        const ReferenceHit expected = NaiveSearch(haystack, text);
        if (found != expected.found) {
            FAIL() << "found " << found << ", expected " << expected.found << " for a text of "
                   << text.size() << " characters";
        }
        if (!found) {
            continue;
        }
        ++hits;
        if (match.offset != expected.offset) {
            FAIL() << "offset " << match.offset << ", expected " << expected.offset;
        }
        if (match.context[kSearchContextSize - 1] != '\0') {
            FAIL() << "context not terminated";
        }
        const size_t contextLength = std::strlen(match.context);
        for (size_t k = contextLength; k < kSearchContextSize; ++k) {
            if (match.context[k] != '\0') {
                FAIL() << "context not zero-filled after its end at " << k;
            }
        }
        if (std::string(match.context) != expected.context) {
            FAIL() << "context " << Printable(match.context) << ", expected "
                   << Printable(expected.context);
        }
    }
    std::printf("search chunk: %u inputs, %u hits\n", kSearchInputs, hits);
    EXPECT_GT(hits, kSearchInputs / 4);
}

// ---- Dump format ------------------------------------------------------------------------------

uint32_t InterestingLength(Random& random)
{
    static const uint32_t kEdges[] = {0,          1,          0xFE,      0xFF,   0x100,
                                      0x1000,     0xFFFD,     0xFFFE,    0xFFFF, 0x10000,
                                      0x7FFFFFFF, 0xFFFFFFFE, 0xFFFFFFFF};
    switch (random.Below(3)) {
    case 0:
        return kEdges[random.Below(sizeof(kEdges) / sizeof(kEdges[0]))] + random.Below(3) - 1;
    case 1:
        return random.Below(0x20000);
    default:
        return static_cast<uint32_t>(random.Next());
    }
}

// Reads an archive length header the way a reader of the archive does; the shortest form is
// required. Returns the header's size, or 0 when it is not a valid header.
size_t DecodeArchiveLength(const uint8_t* header, uint32_t* length)
{
    if (header[0] < 0xFF) {
        *length = header[0];
        return 1;
    }
    const uint32_t word = header[1] | (header[2] << 8);
    if (word < 0xFFFE) {
        *length = word;
        return word >= 0xFF ? 3 : 0;
    }
    if (word != 0xFFFF) {
        return 0; // 0xFFFE marks wide strings
    }
    *length =
        header[3] | (header[4] << 8) | (header[5] << 16) | (static_cast<uint32_t>(header[6]) << 24);
    return *length >= 0xFFFE ? 7 : 0;
}

uint8_t DumpCharacter(uint8_t byte)
{
    return byte == 0x00 || byte == 0x08 || byte == 0x09 || byte == 0x0A || byte == 0x0D ? ' '
                                                                                        : byte;
}

TEST(RandomInputTest, DumpHeadersDecodeAndChunksHaveTheirShape)
{
    Random random(3);
    // Length headers: each decodes to its length, and nothing beyond the header is written.
    for (uint32_t i = 0; i < kDumpHeaderInputs; ++i) {
        const uint32_t length = InterestingLength(random);
        uint8_t header[kArchiveLengthHeaderMax];
        std::memset(header, kGuardByte, sizeof(header));
        const size_t size = EncodeArchiveStringLength(length, header);
        uint32_t decoded = 0;
        if (DecodeArchiveLength(header, &decoded) != size || decoded != length) {
            FAIL() << "length " << length << " encoded in " << size << " bytes decodes as "
                   << decoded;
        }
        for (size_t b = size; b < kArchiveLengthHeaderMax; ++b) {
            if (header[b] != kGuardByte) {
                FAIL() << "length " << length << " wrote header byte " << b;
            }
        }
    }

    // Page chunks: FF 00 10, the page text, 01 0A; the page text alone is the same.
    std::vector<uint8_t> page(kDumpPageSize);
    for (uint32_t i = 0; i < kDumpChunkInputs; ++i) {
        const bool unreadable = random.OneIn(10);
        const bool controls = random.OneIn(2);
        random.Fill(page.data(), page.size());
        for (uint8_t& byte : page) {
            if (controls) {
                byte = static_cast<uint8_t>("\x00\x08\x09\x0a\x0d\x0b\x20\x41"[byte & 7]);
            }
        }
        OutputBuffer chunk(kDumpChunkSize);
        MakeDumpChunk(unreadable ? nullptr : page.data(), chunk.Data());
        const uint8_t* out = chunk.Data();
        if (out[0] != 0xFF || out[1] != 0x00 || out[2] != 0x10 || out[4099] != 0x01 ||
            out[4100] != 0x0A) {
            FAIL() << "chunk framing is wrong";
        }
        for (uint32_t b = 0; b < kDumpPageSize; ++b) {
            const uint8_t expected = unreadable ? ' ' : DumpCharacter(page[b]);
            if (out[3 + b] != expected) {
                FAIL() << "page byte " << b << " is " << int(out[3 + b]) << ", expected "
                       << int(expected);
            }
        }
        if (!chunk.GuardIntact()) {
            FAIL() << "chunk written past its " << kDumpChunkSize << " bytes";
        }

        OutputBuffer text(kDumpPageSize);
        MakeDumpPageText(unreadable ? nullptr : page.data(), text.Data());
        if (std::memcmp(text.Data(), out + 3, kDumpPageSize) != 0 || !text.GuardIntact()) {
            FAIL() << "page text differs from the chunk's or was written past its end";
        }
    }
    std::printf("dump: %u length headers, %u page chunks\n", kDumpHeaderInputs, kDumpChunkInputs);
}

// ---- Address tip --------------------------------------------------------------------------------

char TipCharacter(uint8_t byte)
{
    return static_cast<char>(DumpCharacter(byte)); // the same five bytes become blanks
}

TEST(RandomInputTest, AddressTipHasItsFixedLines)
{
    Random random(4);
    uint8_t bytes[kTipByteCount];
    for (uint32_t i = 0; i < kTipInputs; ++i) {
        const uint32_t address = static_cast<uint32_t>(random.Next());
        const bool read = !random.OneIn(8);
        for (uint8_t& byte : bytes) {
            byte = random.OneIn(3) ? static_cast<uint8_t>("\x00\x08\x09\x0a\x0d"[random.Below(5)])
                                   : random.Byte();
        }
        const std::string tip = AddressTipText(address, read ? bytes : nullptr);

        std::string expected = "Address: " + Hex8(address);
        if (read) {
            static const char kDigits[] = "0123456789abcdef";
            expected += "\n\nHex Bytes                  ASCII\n";
            for (size_t line = 0; line < 16; ++line) {
                for (size_t k = 0; k < 8; ++k) {
                    const uint8_t byte = bytes[line * 8 + k];
                    expected += kDigits[byte >> 4];
                    expected += kDigits[byte & 0xF];
                    expected += ' ';
                }
                expected += "   ";
                for (size_t k = 0; k < 8; ++k) {
                    expected += TipCharacter(bytes[line * 8 + k]);
                }
                expected += '\n';
            }
        }
        if (tip != expected) {
            FAIL() << "tip for " << Hex8(address) << ":\n"
                   << Printable(tip) << "\nexpected\n"
                   << Printable(expected);
        }
        if (tip.size() > kTipTextMax) {
            FAIL() << "tip of " << tip.size() << " characters exceeds " << kTipTextMax;
        }
    }
    std::printf("address tips: %u inputs\n", kTipInputs);
    // "ASCII" heads the byte characters of every line: column 27.
    const std::string full = AddressTipText(0, bytes);
    const size_t header = full.find("Hex Bytes");
    const size_t firstLine = full.find('\n', header) + 1;
    EXPECT_EQ(full.find("ASCII", header) - header, 27u);
    EXPECT_EQ(full.substr(firstLine + 24, 3), "   ");
}

// ---- Module label texts -------------------------------------------------------------------------

std::string PathText(Random& random)
{
    std::string path;
    if (random.OneIn(3)) {
        path += random.Pick("CDcz:.\\");
        path += ':';
    }
    const bool longParts = random.OneIn(20);
    const uint32_t length = longParts ? random.Below(700) : random.Below(40);
    for (uint32_t i = 0; i < length; ++i) {
        if (random.OneIn(longParts ? 200 : 16)) {
            path += static_cast<char>(random.NonZeroByte());
        } else {
            path +=
                random.Pick(longParts ? "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa.\\" : "ab.\\/: ");
        }
    }
    return path;
}

SplitPathParts ReferenceSplit(const std::string& path)
{
    SplitPathParts parts;
    std::string rest = path;
    if (rest.size() >= 2 && rest[1] == ':') {
        parts.drive = rest.substr(0, 2);
        rest = rest.substr(2);
    }
    const size_t slash = rest.find_last_of("\\/");
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    parts.directory = rest.substr(0, nameStart);
    const std::string name = rest.substr(nameStart);
    const size_t dot = name.rfind('.');
    parts.fileName = name.substr(0, dot);
    parts.extension = dot == std::string::npos ? std::string() : name.substr(dot);
    for (std::string* part : {&parts.drive, &parts.directory, &parts.fileName, &parts.extension}) {
        if (part->size() > 255) {
            part->resize(255);
        }
    }
    return parts;
}

TEST(RandomInputTest, ModuleLabelTextsFollowTheSplitRules)
{
    Random random(5);
    for (uint32_t i = 0; i < kLabelInputs; ++i) {
        const std::string path = PathText(random);
        const SplitPathParts parts = SplitModulePath(path.c_str());
        const SplitPathParts expected = ReferenceSplit(path);
        if (parts.drive != expected.drive || parts.directory != expected.directory ||
            parts.fileName != expected.fileName || parts.extension != expected.extension) {
            FAIL() << Printable(path) << " splits as " << Printable(parts.drive) << " "
                   << Printable(parts.directory) << " " << Printable(parts.fileName) << " "
                   << Printable(parts.extension) << ", expected " << Printable(expected.drive)
                   << " " << Printable(expected.directory) << " " << Printable(expected.fileName)
                   << " " << Printable(expected.extension);
        }
        if (path.size() <= 255 &&
            parts.drive + parts.directory + parts.fileName + parts.extension != path) {
            FAIL() << "the parts of " << Printable(path) << " do not make it up again";
        }

        // The label in a buffer of any size: cut to the buffer, terminated, nothing beyond.
        const std::string label = expected.fileName + expected.extension;
        const size_t size =
            random.OneIn(4) ? kModuleLabelSize : random.Below(kModuleLabelSize + 40);
        OutputBuffer buffer(size);
        WriteModuleLabel(path.c_str(), buffer.Chars(), size);
        if (size > 0) {
            const std::string written(buffer.Chars(),
                                      std::find(buffer.Chars(), buffer.Chars() + size, '\0'));
            if (written.size() == size || written != label.substr(0, size - 1)) {
                FAIL() << "label of " << Printable(path) << " in " << size << " bytes is "
                       << Printable(written);
            }
        }
        if (!buffer.GuardIntact()) {
            FAIL() << "label written past its " << size << " bytes";
        }

        const uint32_t pid = static_cast<uint32_t>(random.Next());
        const std::string retrieval = RetrievalProgressText(path.c_str(), pid);
        const std::string search = SearchProgressText(path.c_str());
        const std::string expectedRetrieval =
            "Retrieving memory map for process: " + (path.empty() ? Hex8(pid) : label);
        const std::string expectedSearch = path.empty()
                                               ? "Searching Memory Space of untitled process..."
                                               : "Searching Memory Space of " + path + "...";
        if (retrieval != expectedRetrieval || search != expectedSearch) {
            FAIL() << "progress texts of " << Printable(path) << ": " << Printable(retrieval)
                   << ", " << Printable(search);
        }
    }
    std::printf("module paths: %u inputs\n", kLabelInputs);
    EXPECT_EQ(RetrievalProgressText(nullptr, 0x1234),
              "Retrieving memory map for process: 0x00001234");
    EXPECT_EQ(SearchProgressText(nullptr), "Searching Memory Space of untitled process...");
}

} // namespace
