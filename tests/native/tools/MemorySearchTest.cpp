// The whole-address-space search (CMemorySearch over the bulk reader) against the chunk-by-chunk
// way it replaces: every chunk read on its own with ReadProcessBytes and searched by
// SearchChunk, a progress position after every chunk. Both must give the same hits and the same
// positions the bar shows, in the same order.
#include "tools/MemorySearch.h"

#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "common/ProgressStepper.h"
#include "inspect/ProcessCatalogue.h"
#include "inspect/ProcessMemoryReader.h"
#include "tests/support/ExpectSequence.h"
#include "tests/support/ScriptedProcessPlatform.h"
#include "tools/SearchChunk.h"

namespace {

using R = MemoryRegion;
using Fault = ScriptedRegion::Fault;

// The scripted platform with texts planted into its memory: a read sees them wherever they lie.
class CPlantedPlatform : public CScriptedProcessPlatform
{
public:
    std::map<uint32_t, std::string> planted;

    bool ReadMemory(Handle process, uint32_t address, void* buffer, uint32_t size,
                    uint32_t* bytesRead) override
    {
        if (!CScriptedProcessPlatform::ReadMemory(process, address, buffer, size, bytesRead)) {
            return false;
        }
        const uint64_t end = static_cast<uint64_t>(address) + *bytesRead;
        for (const auto& entry : planted) {
            for (size_t i = 0; i < entry.second.size(); ++i) {
                const uint64_t at = static_cast<uint64_t>(entry.first) + i;
                if (at >= address && at < end) {
                    static_cast<uint8_t*>(buffer)[at - address] =
                        static_cast<uint8_t>(entry.second[i]);
                }
            }
        }
        return true;
    }
};

// A hit as "0x%08x [context]".
std::string HitEvent(uint32_t address, const char* context)
{
    char text[300];
    std::snprintf(text, sizeof text, "0x%08x [%s]", address, context);
    return text;
}

// Every chunk read and searched on its own, its position after it; the bar only shows changes.
std::vector<std::string> ChunkByChunk(CProcessPlatform& platform, const ProcessRecord& record,
                                      const std::string& text)
{
    const std::string kept = text.substr(0, kSearchTextMax);
    std::vector<std::string> events;
    std::vector<uint8_t> chunk(kSearchChunkSize);
    int32_t shown = -1;
    for (uint32_t a = 0; a < kSearchAddressLimit; a += kSearchChunkSize) {
        SearchChunkMatch match;
        if (ReadProcessBytes(platform, &record, a, chunk.data(), kSearchChunkSize) == 0 &&
            SearchChunk(chunk.data(), kept.c_str(), match)) {
            events.push_back(HitEvent(a + match.offset, match.context));
        }
        if (SearchProgressPosition(a) != shown) {
            events.push_back("at " + std::to_string(shown = SearchProgressPosition(a)));
        }
    }
    return events;
}

std::vector<std::string> WholeSpace(CProcessPlatform& platform, const ProcessRecord& record,
                                    const std::string& text)
{
    std::vector<std::string> events;
    CProcessMemoryReader reader(platform, &record);
    CMemorySearch(text.c_str())
        .Run(
            reader,
            [&](const SearchHit& hit) { events.push_back(HitEvent(hit.address, hit.context)); },
            [&](int32_t position) { events.push_back("at " + std::to_string(position)); });
    return events;
}

class MemorySearchTest : public ::testing::Test
{
protected:
    // Readable and unreadable pages of every kind up to the top page, with texts planted.
    void SetUp() override
    {
        platform.Add(77).regions = {
            Region(0x10000, R::kFree, R::kNoAccess, 0),
            Region(0x10000, R::kCommit, R::kReadWrite, R::kPrivate), // 0x00010000
            Region(0x10000, R::kReserve, 0, R::kPrivate),            // 0x00020000
            Region(0x1000, R::kCommit, R::kNoAccess, R::kPrivate),   // 0x00030000
            Region(0x1000, R::kCommit, R::kReadWrite | R::kGuard, R::kPrivate),
            Region(0x20000, R::kCommit, R::kReadWrite, R::kMapped, Fault::Fail), // 0x00032000
            Region(0x2000, R::kCommit, R::kReadWrite, R::kMapped, Fault::Short), // 0x00052000
            Region(0x10000, R::kCommit, R::kReadOnly, R::kImage),                // 0x00054000
            Region(0xFFF9C000 - 0x00064000, R::kFree, R::kNoAccess, 0),
            Region(0x64000, R::kCommit, R::kReadWrite, R::kPrivate), // 0xfff9c000 to the top
        };
        record.processId = 77;
        platform.planted = {
            {0x00010000, "needle"},                // at offset 0: no context before
            {0x00011000 + 4096 - 6 - 3, "needle"}, // three bytes of context after
            {0x00012100, "needle"},                // twice in one chunk: the first counts
            {0x00012900, "needle"},
            {0x00013000 + 4090, "straddling"}, // across a chunk boundary: never found
            {0x00015000, std::string(255, 'q')},
            {0x00020100, "needle"}, // reserved
            {0x00030100, "needle"}, // no access
            {0x00031100, "needle"}, // guarded
            {0x00032100, "needle"}, // reads fail
            {0x00052100, "needle"}, // reads come short
            {0x00054010, std::string("w\0i\0d\0e\0", 8)},
            {0xFFFFE000 + 4000, "needle"}, // the last chunk searched
            {0xFFFFF010, "needle"},        // the top page, never searched
        };
    }

    static ScriptedRegion Region(uint32_t size, uint32_t state, uint32_t protect, uint32_t type,
                                 Fault fault = Fault::None)
    {
        return CScriptedProcessPlatform::Region(size, state, protect, type, fault);
    }

    // Both ways over the same memory must agree; gives the addresses of the hits.
    std::vector<std::string> SearchBothWays(const std::string& text)
    {
        const std::vector<std::string> reference = ChunkByChunk(platform, record, text);
        const std::size_t opensBefore = platform.openAttempts.size();
        const std::vector<std::string> events = WholeSpace(platform, record, text);
        EXPECT_SEQUENCE(reference, events) << "text: " << text;
        // One open (and a second try with fewer rights when refused).
        EXPECT_LE(platform.openAttempts.size() - opensBefore, 2u);
        EXPECT_EQ(platform.openHandles, 0);
        std::vector<std::string> hits;
        for (const std::string& event : events) {
            if (event.compare(0, 2, "0x") == 0) {
                hits.push_back(event.substr(0, 10));
            }
        }
        return hits;
    }

    CPlantedPlatform platform;
    ProcessRecord record;
};

TEST_F(MemorySearchTest, SameHitsContextsAndPositionsAsTheChunkByChunkSearch)
{
    // The readable needles, the first of a chunk only. The last lies in the last chunk searched
    // (0xffffe000); the top page (0xfffff000) is never searched: 1,048,575 chunks in all.
    static const char* const kNeedleHits[] = {"0x00010000", "0x00011ff7", "0x00012100",
                                              "0xffffefa0"};
    static const char* const kWideHits[] = {"0x00054010"};
    // The first 255 characters of a longer text.
    static const char* const kLongTextHits[] = {"0x00015000"};
    EXPECT_SEQUENCE(kNeedleHits, SearchBothWays("needle"));
    EXPECT_SEQUENCE(kWideHits, SearchBothWays("w i d e"));
    EXPECT_TRUE(SearchBothWays("straddling").empty());
    EXPECT_TRUE(SearchBothWays("NEEDLE").empty());
    EXPECT_SEQUENCE(kLongTextHits, SearchBothWays(std::string(300, 'q')));
    SearchBothWays("   ");

    platform.processes[0].grantedRights = 0;
    EXPECT_TRUE(SearchBothWays("needle").empty()) << "a process that cannot be opened";
}

// The chunk scan alone, on chunks of few distinct bytes so that texts occur often, partly,
// at the edges and with zeros: always SearchChunk's answer.
TEST(MemorySearchFindInChunkTest, SameAnswerAsSearchChunkOnRandomChunks)
{
    std::mt19937 random(12345);
    const char alphabet[] = {'a', 'b', ' ', '\0', 'A'};
    std::vector<uint8_t> chunk(kSearchChunkSize);
    int found = 0;
    for (int round = 0; round < 3000; ++round) {
        for (uint8_t& byte : chunk) {
            byte = static_cast<uint8_t>(alphabet[random() % (round % 4 + 2)]);
        }
        std::string text;
        const size_t length = 1 + random() % (round % 3 == 0 ? 4 : 12);
        for (size_t i = 0; i < length; ++i) {
            text += "ab A"[random() % 4];
        }

        SearchChunkMatch expected;
        SearchChunkMatch actual;
        const bool hit = SearchChunk(chunk.data(), text.c_str(), expected);
        ASSERT_EQ(CMemorySearch(text.c_str()).FindInChunk(chunk.data(), actual), hit)
            << "text [" << text << "] round " << round;
        if (hit) {
            ++found;
            ASSERT_EQ(actual.offset, expected.offset) << "text [" << text << "]";
            ASSERT_EQ(std::memcmp(actual.context, expected.context, kSearchContextSize), 0);
        }
    }
    EXPECT_GT(found, 300) << "too few texts found to compare";
    EXPECT_LT(found, 2700) << "too few misses to compare";
}

} // namespace
