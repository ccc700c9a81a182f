// CFile and CArchive on real files: the string length encoding at every boundary, reading
// back, large buffered writes and failures.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "framework/Afx.h"

namespace {

class CArchiveTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char dir[MAX_PATH];
        ::GetTempPathA(MAX_PATH, dir);
        char name[MAX_PATH];
        ::GetTempFileNameA(dir, "arc", 0, name);
        m_path = name;
    }
    void TearDown() override { ::DeleteFileA(m_path.c_str()); }

    std::vector<BYTE> ReadRaw()
    {
        CFile file;
        EXPECT_TRUE(file.Open(m_path.c_str(), CFile::modeRead | CFile::shareDenyWrite));
        std::vector<BYTE> bytes((size_t)file.GetLength());
        if (!bytes.empty()) {
            EXPECT_EQ(bytes.size(), file.Read(bytes.data(), (UINT)bytes.size()));
        }
        return bytes;
    }

    std::string m_path;
};

struct LengthCase
{
    UINT nLength;
    std::vector<BYTE> header;
};

TEST_F(CArchiveTest, StringLengthHeadersAtEveryBoundaryAndReadBack)
{
    const LengthCase cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {0x10000, {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}},
    };
    for (const LengthCase& c : cases) {
        SCOPED_TRACE(c.nLength);
        std::string text(c.nLength, 'q');
        if (!text.empty()) {
            text[text.size() - 1] = 'Z';
        }
        {
            CFile file;
            ASSERT_TRUE(file.Open(m_path.c_str(),
                                  CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive));
            CArchive ar(&file, CArchive::store);
            EXPECT_TRUE(ar.IsStoring());
            ar << CString(text.c_str(), (int)text.size());
            EXPECT_TRUE(ar.Close());
        }
        std::vector<BYTE> raw = ReadRaw();
        ASSERT_EQ(c.header.size() + c.nLength, raw.size());
        EXPECT_TRUE(std::equal(c.header.begin(), c.header.end(), raw.begin()));
        EXPECT_EQ(0, memcmp(text.data(), raw.data() + c.header.size(), text.size()));

        CFile file;
        ASSERT_TRUE(file.Open(m_path.c_str(), CFile::modeRead));
        CArchive ar(&file, CArchive::load);
        EXPECT_TRUE(ar.IsLoading());
        CString back("previous");
        ar >> back;
        EXPECT_FALSE(ar.IsFailed());
        EXPECT_EQ((int)c.nLength, back.GetLength());
        EXPECT_TRUE(back == text.c_str());
    }
}

TEST_F(CArchiveTest, LargeWritesInOddPiecesArriveInOrder)
{
    // More than twice the buffer, in pieces that straddle its boundary, plus pieces larger
    // than the buffer, the first of them with nothing buffered before it.
    const size_t nTotal = 2 * CArchive::kDefaultBufferSize + 4101 * 300;
    std::vector<BYTE> data(nTotal);
    for (size_t i = 0; i < nTotal; ++i) {
        data[i] = (BYTE)(i * 7 + (i >> 12));
    }
    {
        CFile file;
        ASSERT_TRUE(file.Open(m_path.c_str(), CFile::modeCreate | CFile::modeWrite));
        CArchive ar(&file, CArchive::store);
        size_t pos = 0;
        const UINT pieces[] = {(UINT)CArchive::kDefaultBufferSize + 5,  4101,  1,
                               (UINT)CArchive::kDefaultBufferSize + 17, 65536, 3};
        for (int i = 0; pos < nTotal; ++i) {
            UINT n = pieces[i % 6];
            if (n > nTotal - pos) {
                n = (UINT)(nTotal - pos);
            }
            EXPECT_TRUE(ar.Write(&data[pos], n));
            pos += n;
        }
        ar << (BYTE)0xAB << (WORD)0x1234 << (DWORD)0xDEADBEEF << (LONG)-5;
        EXPECT_TRUE(ar.Close());
        EXPECT_EQ(nTotal + 1 + 2 + 4 + 4, file.GetLength());
    }
    CFile file;
    ASSERT_TRUE(file.Open(m_path.c_str(), CFile::modeRead));
    CArchive ar(&file, CArchive::load);
    std::vector<BYTE> back(nTotal);
    EXPECT_EQ(nTotal, ar.Read(back.data(), (UINT)nTotal));
    EXPECT_TRUE(back == data);
    BYTE by = 0;
    WORD w = 0;
    DWORD dw = 0;
    LONG l = 0;
    ar >> by >> w >> dw >> l;
    EXPECT_EQ(0xAB, by);
    EXPECT_EQ(0x1234, w);
    EXPECT_EQ(0xDEADBEEFu, dw);
    EXPECT_EQ(-5, l);
    EXPECT_FALSE(ar.IsFailed());
    ar >> by; // past the end
    EXPECT_TRUE(ar.IsFailed());
}

TEST_F(CArchiveTest, DestructorFlushesWhatWasWritten)
{
    {
        CFile file;
        ASSERT_TRUE(file.Open(m_path.c_str(), CFile::modeCreate | CFile::modeWrite));
        CArchive ar(&file, CArchive::store);
        ar << CString("kept");
    }
    std::vector<BYTE> raw = ReadRaw();
    ASSERT_EQ(5u, raw.size());
    EXPECT_EQ(4, raw[0]);
}

TEST_F(CArchiveTest, TruncatedStringFailsTheArchive)
{
    {
        CFile file;
        ASSERT_TRUE(file.Open(m_path.c_str(), CFile::modeCreate | CFile::modeWrite));
        const BYTE bytes[] = {0xFF, 0x00, 0x01, 'a', 'b'}; // says 256, holds 2
        EXPECT_TRUE(file.Write(bytes, sizeof(bytes)));
    }
    CFile file;
    ASSERT_TRUE(file.Open(m_path.c_str(), CFile::modeRead));
    CArchive ar(&file, CArchive::load);
    CString s("x");
    ar >> s;
    EXPECT_TRUE(ar.IsFailed());
    EXPECT_TRUE(s.IsEmpty());
}

TEST_F(CArchiveTest, WriteFailureIsReportedByClose)
{
    CFile file;
    ASSERT_TRUE(file.Open(m_path.c_str(), CFile::modeRead)); // not writable
    CArchive ar(&file, CArchive::store);
    ar << CString("lost");
    EXPECT_FALSE(ar.Close());
    EXPECT_TRUE(ar.IsFailed());
}

TEST_F(CArchiveTest, OpenFailureFillsTheFileException)
{
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open("C:\\no such dir\\x\\y.txt", CFile::modeRead, &error));
    EXPECT_EQ(CFileException::badPath, error.m_cause);
    EXPECT_STREQ("C:\\no such dir\\x\\y.txt", error.m_strFileName);
    EXPECT_EQ(INVALID_HANDLE_VALUE, file.m_hFile);

    CFile exclusive;
    ASSERT_TRUE(exclusive.Open(m_path.c_str(), CFile::modeWrite | CFile::shareExclusive));
    CFile second;
    EXPECT_FALSE(second.Open(m_path.c_str(), CFile::modeRead, &error));
    EXPECT_EQ(CFileException::sharingViolation, error.m_cause);
}

} // namespace
