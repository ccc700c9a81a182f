#include "common/ModuleLabelText.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

TEST(ModuleLabelTextTest, SplitsLikeTheRuntime)
{
    const SplitPathParts parts = SplitModulePath("C:\\WINDOWS\\system32\\kernel32.dll");
    EXPECT_EQ(parts.drive, "C:");
    EXPECT_EQ(parts.directory, "\\WINDOWS\\system32\\");
    EXPECT_EQ(parts.fileName, "kernel32");
    EXPECT_EQ(parts.extension, ".dll");

    const SplitPathParts dotted = SplitModulePath("C:\\dir.x\\file");
    EXPECT_EQ(dotted.fileName, "file");
    EXPECT_EQ(dotted.extension, "");

    const SplitPathParts twoDots = SplitModulePath("/usr/lib/libc.so.6");
    EXPECT_EQ(twoDots.drive, "");
    EXPECT_EQ(twoDots.directory, "/usr/lib/");
    EXPECT_EQ(twoDots.fileName, "libc.so");
    EXPECT_EQ(twoDots.extension, ".6");

    const SplitPathParts hidden = SplitModulePath("C:.profile");
    EXPECT_EQ(hidden.fileName, "");
    EXPECT_EQ(hidden.extension, ".profile");

    const std::string longName(300, 'n');
    const SplitPathParts cut = SplitModulePath(("C:\\" + longName + "." + longName).c_str());
    EXPECT_EQ(cut.fileName.size(), 255u);
    EXPECT_EQ(cut.extension.size(), 255u);
}

TEST(ModuleLabelTextTest, LabelIsTheLastComponent)
{
    const struct
    {
        const char* path;
        const char* label;
    } cases[] = {
        {"C:\\WINDOWS\\system32\\kernel32.dll", "kernel32.dll"},
        {"C:\\tools\\viewer", "viewer"},
        {"C:\\dir.x\\file", "file"},
        {"", ""},
        {nullptr, ""},
        {"C:file.txt", "file.txt"},
        {"C:/Program Files/app/ntdll.dll", "ntdll.dll"},
        {"mixed\\dir/name.ext", "name.ext"},
        {"C:\\trailing\\", ""},
    };
    for (const auto& c : cases) {
        char label[kModuleLabelSize];
        std::memset(label, 'X', sizeof(label));
        WriteModuleLabel(c.path, label, sizeof(label));
        EXPECT_STREQ(label, c.label) << (c.path ? c.path : "(null)");
    }
}

TEST(ModuleLabelTextTest, LongLabelsAreCutToTheBuffer)
{
    // 255 + 255 characters would not fit in 260 bytes: cut to 259 and terminated.
    const std::string name(255, 'a');
    const std::string extension = "." + std::string(254, 'b');
    char label[kModuleLabelSize + 8];
    std::memset(label, 'X', sizeof(label));
    WriteModuleLabel(("C:\\" + name + extension).c_str(), label, kModuleLabelSize);
    EXPECT_EQ(std::strlen(label), 259u);
    EXPECT_EQ(std::string(label), (name + extension).substr(0, 259));
    EXPECT_EQ(label[kModuleLabelSize], 'X');

    char tiny[4];
    WriteModuleLabel("C:\\kernel32.dll", tiny, sizeof(tiny));
    EXPECT_STREQ(tiny, "ker");
}

TEST(ModuleLabelTextTest, ProgressTexts)
{
    EXPECT_EQ(RetrievalProgressText("C:\\WINDOWS\\system32\\notepad.exe", 1234),
              "Retrieving memory map for process: notepad.exe");
    EXPECT_EQ(RetrievalProgressText("C:\\bin\\tool", 1234),
              "Retrieving memory map for process: tool");
    EXPECT_EQ(RetrievalProgressText(nullptr, 1234),
              "Retrieving memory map for process: 0x000004d2");
    EXPECT_EQ(RetrievalProgressText("", 0xABCDEF01),
              "Retrieving memory map for process: 0xabcdef01");

    EXPECT_EQ(SearchProgressText("C:\\a\\b.exe"), "Searching Memory Space of C:\\a\\b.exe...");
    EXPECT_EQ(SearchProgressText(""), "Searching Memory Space of untitled process...");
    EXPECT_EQ(SearchProgressText(nullptr), "Searching Memory Space of untitled process...");
}
