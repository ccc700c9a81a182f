// The whole text dump of the helper target, saved through the view's Save command into a
// temporary folder and read back.

#include <chrono>
#include <cstdio>

#include "document/DumpFormat.h"
#include "document/DumpWriter.h"
#include "res/resource.h"
#include "tests/support/PictureHarness.h"

using namespace picturetest;

namespace {

constexpr unsigned long long kDumpBytes = 4300206075ull;
constexpr unsigned long long kChunkBytes = 4101;

// A fresh folder under the system's temporary folder, made the current directory while the
// test runs and removed with what it holds afterwards.
class CTemporaryDirectory
{
public:
    CTemporaryDirectory()
    {
        char base[MAX_PATH];
        ::GetTempPathA(sizeof base, base);
        char name[MAX_PATH];
        std::snprintf(name, sizeof name, "%svexo-dump-%lu", base, ::GetCurrentProcessId());
        m_path = name;
        ::CreateDirectoryA(m_path.c_str(), nullptr);
        ::GetCurrentDirectoryA(sizeof m_previous, m_previous);
        ::SetCurrentDirectoryA(m_path.c_str());
    }
    ~CTemporaryDirectory()
    {
        ::SetCurrentDirectoryA(m_previous);
        ::DeleteFileA((m_path + "\\test.txt").c_str());
        ::RemoveDirectoryA(m_path.c_str());
    }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
    char m_previous[MAX_PATH] = {};
};

class CDumpFile
{
public:
    explicit CDumpFile(const std::string& path)
        : m_file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               0, nullptr))
    {
    }
    ~CDumpFile()
    {
        if (m_file != INVALID_HANDLE_VALUE) {
            ::CloseHandle(m_file);
        }
    }
    bool IsOpen() const { return m_file != INVALID_HANDLE_VALUE; }
    unsigned long long Size() const
    {
        LARGE_INTEGER size = {};
        ::GetFileSizeEx(m_file, &size);
        return static_cast<unsigned long long>(size.QuadPart);
    }
    std::string Read(unsigned long long offset, DWORD count) const
    {
        LARGE_INTEGER at;
        at.QuadPart = static_cast<LONGLONG>(offset);
        ::SetFilePointerEx(m_file, at, nullptr, FILE_BEGIN);
        std::string bytes(count, '\0');
        DWORD read = 0;
        ::ReadFile(m_file, &bytes[0], count, &read, nullptr);
        bytes.resize(read);
        return bytes;
    }
    // The page text of the chunk of the page that holds address.
    std::string PageText(uint32_t address) const
    {
        return Read((address / 4096) * kChunkBytes + 3, 4096);
    }

private:
    HANDLE m_file;
};

// The writer's blocks are crossed both ways, by a run of blank chunks and by one of read pages:
// the file holds one chunk after the other in page order.
TEST(DumpWriterTest, ChunksComeOutInPageOrderAcrossBlocks)
{
    CTemporaryDirectory directory;
    std::vector<uint8_t> page(kDumpPageSize);
    for (size_t i = 0; i < page.size(); ++i) {
        page[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
    }
    // true: a read page (its bytes, marked with its number), false: a page that was not read.
    std::vector<bool> read = {true};
    read.insert(read.end(), CDumpWriter::kBlockChunks + 5, false);
    read.insert(read.end(), CDumpWriter::kBlockChunks + 3, true);
    read.push_back(false);
    read.push_back(true);

    std::string expected;
    std::vector<uint8_t> chunk(kDumpChunkSize);
    {
        CFile file("dump.bin", CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        CDumpWriter writer(ar);
        for (size_t i = 0; i < read.size(); ++i) {
            page[0] = static_cast<uint8_t>(i);
            MakeDumpChunk(read[i] ? page.data() : nullptr, chunk.data());
            expected.append(chunk.begin(), chunk.end());
            ASSERT_TRUE(writer.AddPage(read[i] ? page.data() : nullptr));
        }
        EXPECT_TRUE(writer.Finish());
        EXPECT_TRUE(ar.Close());
    }
    {
        CDumpFile dump(directory.Path() + "\\dump.bin");
        EXPECT_EQ(dump.Size(), expected.size());
        EXPECT_TRUE(dump.Read(0, static_cast<DWORD>(expected.size())) == expected);
    }
    ::DeleteFileA("dump.bin");
}

TEST(DumpWriterTest, NothingMoreIsWrittenAfterAFailedWrite)
{
    CTemporaryDirectory directory;
    {
        CFile("dump.bin", CFile::modeCreate | CFile::modeWrite);
    }
    CFile file("dump.bin", CFile::modeRead); // not writable
    CArchive ar(&file, CArchive::store);
    CDumpWriter writer(ar);
    bool failed = false;
    for (size_t i = 0; i < CDumpWriter::kBlockChunks && !failed; ++i) {
        failed = !writer.AddPage(nullptr);
    }
    EXPECT_TRUE(failed) << "a full block of blank chunks is written, and fails";
    EXPECT_FALSE(writer.AddPage(nullptr));
    EXPECT_FALSE(writer.Finish());
    ar.Abort();
    file.Close();
    ::DeleteFileA("dump.bin");
}

TEST(DumpTest, SavesTheWholeAddressSpaceOfTheTarget)
{
    CTemporaryDirectory directory;
    ULARGE_INTEGER freeBytes = {};
    ASSERT_TRUE(::GetDiskFreeSpaceExA(directory.Path().c_str(), &freeBytes, nullptr, nullptr));
    if (freeBytes.QuadPart < 8ull << 30) {
        GTEST_SKIP() << "the dump needs 4.3 GB and this disk has less than 8 GiB free ("
                     << (freeBytes.QuadPart >> 20) << " MiB)";
    }

    CViewHarness harness;
    ASSERT_NE(harness.view, nullptr);
    const ProcessRecord* pRecord = TargetRecord();
    ASSERT_NE(pRecord, nullptr);
    harness.document->SetTarget(&Env().catalogue, pRecord->processId);

    const auto start = std::chrono::steady_clock::now();
    harness.view->SendMessage(WM_COMMAND, ID_FILE_SAVE);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("dump of the target (4,300,206,075 bytes) written in %.1f s\n", seconds);

    CDumpFile dump(directory.Path() + "\\test.txt");
    ASSERT_TRUE(dump.IsOpen()) << "test.txt is in the current directory";
    ASSERT_EQ(dump.Size(), kDumpBytes);
    // A chunk for every page from 0 up to the last page below the top one, which is left out,
    // as the dump format states them.
    EXPECT_EQ(dump.Size() / kChunkBytes, kDumpChunkCount);
    EXPECT_EQ(dump.Size(), (kDumpLastPage / kDumpPageSize + 1ull) * kChunkBytes);
    EXPECT_EQ(dump.Size(), kDumpTotalSize);
    EXPECT_EQ(dump.Read(0, 3), std::string("\xFF\x00\x10", 3));
    EXPECT_EQ(dump.Read(kDumpBytes - 2, 2), std::string("\x01\x0A", 2));
    EXPECT_EQ(dump.Read(4099, 5), std::string("\x01\x0A\xFF\x00\x10", 5)) << "chunk boundary";

    // The control bytes at offset 0x100 of their page, with 00 08 09 0A 0D as blanks.
    const uint32_t ctrl = Env().target.Address("bytes_ctrl");
    const std::string page = dump.PageText(ctrl);
    EXPECT_EQ(page.substr(0x100, 10), std::string("\x41\x20\x42\x20\x20\x20\x43\x20\x07\x0C", 10));
    EXPECT_EQ(page.substr(0, 0x100), std::string(0x100, ' '));
    // A page of the bytes 0, 1, 2, ...
    const std::string all = dump.PageText(Env().target.Address("bytes_all"));
    EXPECT_EQ(all.substr(0, 16),
              std::string(" \x01\x02\x03\x04\x05\x06\x07   \x0b\x0c \x0e\x0f", 16));
    // Pages that cannot be read are blanks.
    EXPECT_EQ(dump.PageText(Env().target.Address("reserve_rest")), std::string(4096, ' '));
    EXPECT_EQ(dump.PageText(Env().target.Address("guard")), std::string(4096, ' '));
    EXPECT_EQ(dump.PageText(0x7FFF0000), std::string(4096, ' '));
}

} // namespace
