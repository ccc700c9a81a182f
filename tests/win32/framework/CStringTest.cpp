// CString: construction, formatting, searching, buffers and the string table.
#include <gtest/gtest.h>
#include <string>

#include "CoreTestIds.h"
#include "framework/Afx.h"

TEST(CStringTest, ConstructionAndComparison)
{
    EXPECT_TRUE(CString().IsEmpty());
    EXPECT_TRUE(CString((LPCSTR) nullptr).IsEmpty());
    EXPECT_STREQ("abc", CString("abcdef", 3));
    EXPECT_STREQ("xxxx", CString('x', 4));
    CString s("Hello");
    EXPECT_EQ(5, s.GetLength());
    EXPECT_TRUE(s == "Hello");
    EXPECT_TRUE("Hello" == s);
    EXPECT_TRUE(s != "hello");
    EXPECT_EQ(0, s.CompareNoCase("HELLO"));
    EXPECT_LT(s.Compare("Hellp"), 0);
    EXPECT_EQ('e', s[1]);
}

TEST(CStringTest, Concatenation)
{
    CString s("a");
    s += "b";
    s += 'c';
    s += CString("d");
    EXPECT_STREQ("abcd", s);
    EXPECT_STREQ("xabcd", "x" + s);
    EXPECT_STREQ("abcdy", s + "y");
    EXPECT_STREQ("abcdabcd", s + s);
    EXPECT_STREQ("abcd!", s + '!');
    s += (LPCSTR) nullptr;
    EXPECT_STREQ("abcd", s);
}

TEST(CStringTest, FormatHandlesShortAndLongResults)
{
    CString s;
    s.Format("0x%08x", 0x1234abu);
    EXPECT_STREQ("0x001234ab", s);
    s.Format("%s - %d", "VexoPr", 12);
    EXPECT_STREQ("VexoPr - 12", s);
    std::string longText(5000, 'z');
    s.Format("[%s]", longText.c_str());
    EXPECT_EQ(5002, s.GetLength());
    EXPECT_EQ('z', s[4999]);
    s.Format("%s", "");
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CStringTest, ExtractionAndSearchClampTheirArguments)
{
    CString s("C:\\dir\\file.exe");
    EXPECT_STREQ("C:", s.Left(2));
    EXPECT_STREQ("file.exe", s.Mid(7));
    EXPECT_STREQ("file", s.Mid(7, 4));
    EXPECT_STREQ("exe", s.Right(3));
    EXPECT_STREQ("", s.Mid(100));
    EXPECT_STREQ("", s.Left(-1));
    EXPECT_STREQ(s, s.Left(100));
    EXPECT_STREQ(s, s.Mid(-3));
    EXPECT_EQ(2, s.Find('\\'));
    EXPECT_EQ(6, s.Find('\\', 3));
    EXPECT_EQ(6, s.ReverseFind('\\'));
    EXPECT_EQ(7, s.Find("file"));
    EXPECT_EQ(-1, s.Find("nothing"));
    EXPECT_EQ(-1, s.Find('x', 100));
    EXPECT_EQ(-1, s.Find("x", -1));
}

TEST(CStringTest, BufferAccess)
{
    CString s("abc");
    LPSTR p = s.GetBuffer(10);
    strcpy(p, "0123456789");
    s.ReleaseBuffer();
    EXPECT_STREQ("0123456789", s);
    p = s.GetBuffer(0);
    p[3] = '\0';
    s.ReleaseBuffer();
    EXPECT_STREQ("012", s);
    p = s.GetBufferSetLength(5);
    memcpy(p, "hello", 5);
    s.ReleaseBuffer(4);
    EXPECT_STREQ("hell", s);
}

TEST(CStringTest, TrimAndCase)
{
    CString s("  Mixed Case \t");
    s.TrimLeft();
    s.TrimRight();
    EXPECT_STREQ("Mixed Case", s);
    s.MakeUpper();
    EXPECT_STREQ("MIXED CASE", s);
    s.MakeLower();
    EXPECT_STREQ("mixed case", s);
}

TEST(CStringTest, LoadStringFromTheModule)
{
    CString s("old");
    EXPECT_TRUE(s.LoadString(IDS_TEST_HELLO));
    EXPECT_STREQ("Hello from the string table", s);
    EXPECT_FALSE(s.LoadString(12345));
    EXPECT_TRUE(s.IsEmpty());
    // A resource id passed as a string pointer loads that string.
    EXPECT_STREQ("Hello from the string table", CString(MAKEINTRESOURCEA(IDS_TEST_HELLO)));
}
