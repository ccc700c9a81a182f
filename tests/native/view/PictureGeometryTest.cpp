#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "view/BlurbPlacement.h"
#include "view/ModuleLabelText.h"
#include "view/PictureGeometry.h"
#include "view/ProgressStepper.h"
#include "view/TipText.h"

TEST(PictureGeometry, AddressesAndPixelsAgree)
{
    EXPECT_EQ(AddressOfPixel(0, 1023), 0x00000000u);
    EXPECT_EQ(AddressOfPixel(1023, 0), 0xFFFFF000u);
    EXPECT_EQ(AddressOfPixel(5, 1023), 0x00005000u);

    const PicturePixel shared = PixelOfAddress(0x7FFE0000);
    EXPECT_EQ(shared.column, 992);
    EXPECT_EQ(BottomRowOfAddress(0x7FFE0000), 511);
    EXPECT_EQ(shared.row, 512);

    const PicturePixel top = PixelOfAddress(0xFFFFFFFF);
    EXPECT_EQ(top.column, 1023);
    EXPECT_EQ(top.row, 0);

    // Every pixel maps to its page and back.
    for (int32_t row = 0; row < kPictureSide; row += 31) {
        for (int32_t column = 0; column < kPictureSide; column += 17) {
            const PicturePixel back = PixelOfAddress(AddressOfPixel(column, row) + 0xABC);
            EXPECT_EQ(back.column, column);
            EXPECT_EQ(back.row, row);
        }
    }
    EXPECT_TRUE(IsInsidePicture(0, 1023));
    EXPECT_FALSE(IsInsidePicture(-1, 0));
    EXPECT_FALSE(IsInsidePicture(0, 1024));
}

TEST(PictureGeometry, ColourOrderFreeReservedCommitted)
{
    uint32_t colour = 12345;
    EXPECT_FALSE(PageColour(0, colour));
    EXPECT_FALSE(PageColour(0x001 | 0x002 | 0x200 | 0x800, colour));
    EXPECT_EQ(colour, 12345u);
    ASSERT_TRUE(PageColour(0x080 | 0x040, colour));
    EXPECT_EQ(colour, 0x00FF00u);
    ASSERT_TRUE(PageColour(0x100 | 0x040, colour));
    EXPECT_EQ(colour, 0xFF0000u);
    ASSERT_TRUE(PageColour(0x040 | 0x004, colour));
    EXPECT_EQ(colour, 0x0000FFu);
    EXPECT_EQ(kBackgroundColour, 12500670u);
}

TEST(PictureGeometry, ViewPositionsAndLabelAnchor)
{
    const float k = 1.0f / 1023.0f;
    const PictureViewPosition go = ZoomPositionOfAddress(0x7C801234);
    EXPECT_EQ(go.x, 1.0f - 1.0f * k);
    EXPECT_EQ(go.y, 498.0f * k);
    EXPECT_EQ(PixelOfAddress(0x7C801234).row, 525);

    const PictureViewPosition corner = ZoomPositionOfPixel(0, 1023);
    EXPECT_EQ(corner.x, 1.0f);
    EXPECT_EQ(corner.y, 0.0f);
    const PictureViewPosition middle = ZoomPositionOfPixel(100, 200);
    EXPECT_EQ(middle.x, 1.0f - 100.0f * k);
    EXPECT_EQ(middle.y, 1.0f - 200.0f * k);
    // Every position is the single-precision result, whatever precision the compiler keeps.
    for (int32_t v = 0; v < kPictureSide; ++v) {
        volatile float product = static_cast<float>(v) * k;
        volatile float expected = 1.0f - product;
        ASSERT_EQ(ZoomPositionOfPixel(v, v).x, expected) << v;
        ASSERT_EQ(ZoomPositionOfAddress(static_cast<uint32_t>(v) << 22).y, product) << v;
    }

    const PicturePixel label = LabelAnchorOfModule(0x7C800000);
    EXPECT_EQ(label.column, 0);
    EXPECT_EQ(label.row, 525);
    const PicturePixel odd = LabelAnchorOfModule(0x00401000);
    EXPECT_EQ(odd.column, 1);
    EXPECT_EQ(odd.row, 1022);
}

TEST(ProgressStepper, CompositionPositions)
{
    const uint32_t total = 1024u * 1024u;
    CProgressStepper stepper(10, 100, total);
    std::vector<int32_t> sent;
    int32_t position = -1;
    for (uint32_t k = 0; k < total; ++k) {
        const bool changed = stepper.Next(position);
        if (k == 0) {
            EXPECT_EQ(position, 10);
            EXPECT_TRUE(changed);
        }
        if (k == 11650) {
            EXPECT_EQ(position, 10);
        }
        if (k == 11651) {
            EXPECT_EQ(position, 11);
            EXPECT_TRUE(changed);
        }
        if (changed) sent.push_back(position);
    }
    EXPECT_EQ(position, 99);
    ASSERT_EQ(sent.size(), 90u);
    for (size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(sent[i], static_cast<int32_t>(10 + i));
    }

    CProgressStepper empty(10, 100, 0);
    EXPECT_TRUE(empty.Next(position));
    EXPECT_EQ(position, 10);
    EXPECT_FALSE(empty.Next(position));
}

// NextChange must find exactly the pages where Next, page by page, reports a change: rising,
// standing and falling ranges, more steps than pages, and spans whose running sum wraps.
TEST(ProgressStepper, NextChangeFindsThePagesThatNextReports)
{
    struct Range {
        int32_t start, end;
        uint32_t total;
    };
    const Range ranges[] = {{10, 100, 1024u * 1024u}, {0, 100, 1000}, {10, 10, 500}, {100, 10, 1000},
                            {0, 5000, 7},           {3, 4, 1},       {0, 0x40000000, 64},
                            {10, 100, 0}};
    for (const Range& range : ranges) {
        std::vector<std::pair<uint32_t, int32_t>> expected, found;
        CProgressStepper byPage(range.start, range.end, range.total);
        for (uint32_t k = 0; k < range.total; ++k) {
            int32_t position = 0;
            if (byPage.Next(position))
                expected.emplace_back(k, position);
        }
        CProgressStepper byChange(range.start, range.end, range.total);
        uint32_t page = 0;
        int32_t position = 0;
        while (byChange.NextChange(page, position))
            found.emplace_back(page, position);
        EXPECT_EQ(found, expected) << range.start << ".." << range.end << " over " << range.total;
    }
}

TEST(ProgressStepper, SearchPositions)
{
    EXPECT_EQ(SearchProgressPosition(0), 0);
    EXPECT_EQ(SearchProgressPosition(0x028F5C28), 0);
    EXPECT_EQ(SearchProgressPosition(0x028F5C29), 1);
    EXPECT_EQ(SearchProgressPosition(0x80000000), 50);
    EXPECT_EQ(SearchProgressPosition(0xFFFFE000), 99);
}

TEST(ModuleLabelText, SplitsLikeTheRuntime)
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

TEST(ModuleLabelText, LabelIsTheLastComponent)
{
    const struct { const char* path; const char* label; } cases[] = {
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

TEST(ModuleLabelText, LongLabelsAreCutToTheBuffer)
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

TEST(ModuleLabelText, ProgressTexts)
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

TEST(TipText, AddressOnlyAndFullTip)
{
    EXPECT_EQ(AddressTipText(0x00401000, nullptr), "Address: 0x00401000");

    uint8_t bytes[kTipByteCount] = {0x48, 0x65, 0x6C, 0x6C, 0x6F, 0x00, 0x0D, 0x0A};
    for (size_t i = 8; i < kTipByteCount; ++i) {
        bytes[i] = static_cast<uint8_t>(0x80 + i);
    }
    bytes[8] = 0x08;
    bytes[9] = 0x09;
    bytes[10] = 0x07;
    const std::string tip = AddressTipText(0xFFFFF000, bytes);
    EXPECT_EQ(tip.size(), kTipTextMax);

    const std::string head = "Address: 0xfffff000\n\nHex Bytes                  ASCII\n";
    ASSERT_EQ(tip.substr(0, head.size()), head);
    const std::string first = tip.substr(head.size(), 36);
    EXPECT_EQ(first, "48 65 6c 6c 6f 00 0d 0a    Hello   \n");
    // "ASCII" stands above the byte text.
    EXPECT_EQ(head.find("ASCII") - head.find("Hex"), first.find("Hello"));
    const std::string second = tip.substr(head.size() + 36, 36);
    EXPECT_EQ(second.substr(0, 27), "08 09 07 8b 8c 8d 8e 8f    ");
    EXPECT_EQ(second.substr(27), std::string("  \x07\x8b\x8c\x8d\x8e\x8f\n"));
    const std::string last = tip.substr(tip.size() - 36);
    EXPECT_EQ(last, "f8 f9 fa fb fc fd fe ff    \xf8\xf9\xfa\xfb\xfc\xfd\xfe\xff\n");
}

TEST(BlurbPlacement, BoxAndFlips)
{
    const PlainRect parent{0, 0, 800, 600};
    // Fits: text starts at (x, y), box 2 wider and taller.
    EXPECT_EQ(PlaceBlurb(100, 50, 150, 16, parent), (PlainRect{99, 49, 251, 67}));
    // Right edge reached: box spans x - w - 3 .. x - 1.
    EXPECT_EQ(PlaceBlurb(700, 50, 99, 16, parent), (PlainRect{700 - 99 - 3, 49, 699, 67}));
    EXPECT_EQ(PlaceBlurb(700, 50, 98, 16, parent), (PlainRect{699, 49, 799, 67}));
    // Bottom edge reached.
    EXPECT_EQ(PlaceBlurb(10, 590, 50, 16, parent), (PlainRect{9, 589 - 18, 61, 589}));
    // Both.
    EXPECT_EQ(PlaceBlurb(790, 590, 50, 16, parent), (PlainRect{789 - 52, 589 - 18, 789, 589}));
}
