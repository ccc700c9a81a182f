#pragma once
// Expected sequences (positions, enable calls, routing orders, events) compared in one call.
// Each expected sequence is a static table named after its scenario:
//
//     static const char* const kRouteWithoutChildren[] = {"main frame", "application"};
//     EXPECT_SEQUENCE(kRouteWithoutChildren, g_routeLog);
//
// On a mismatch the failure lists the expected and the actual sequence side by side, one entry
// a line, with a mark on every line where they differ, so that the whole order can be read at
// once. Any two ranges whose entries compare with == (C strings by their text) will do.
//
// Long even runs of numbers inside a table are written as runs:
//
//     // 0 as the window opens, 10 after the walk, the composition's 10 to 99, 100 at the end.
//     static const std::vector<int> kRefreshPositions =
//         expectsequence::Joined({{0, 10}, expectsequence::Run(10, 99), {100}});

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

namespace expectsequence {

// first, first + 1, ..., last.
inline std::vector<int> Run(int first, int last)
{
    std::vector<int> run;
    for (int value = first; value <= last; ++value) {
        run.push_back(value);
    }
    return run;
}

// The parts one after the other.
inline std::vector<int> Joined(std::initializer_list<std::vector<int>> parts)
{
    std::vector<int> table;
    for (const std::vector<int>& part : parts) {
        table.insert(table.end(), part.begin(), part.end());
    }
    return table;
}

template <typename A, typename B>
bool Same(const A& expected, const B& actual)
{
    return expected == actual;
}
inline bool Same(const char* expected, const char* actual)
{
    return std::strcmp(expected, actual) == 0;
}

// Predicate formatter of EXPECT_SEQUENCE and ASSERT_SEQUENCE.
template <typename Expected, typename Actual>
::testing::AssertionResult SequencesMatch(const char* expectedText, const char* actualText,
                                          const Expected& expected, const Actual& actual)
{
    std::vector<std::string> want;
    std::vector<std::string> got;
    std::vector<bool> differs;
    size_t wantCount = 0;
    size_t gotCount = 0;
    auto e = std::begin(expected);
    auto a = std::begin(actual);
    while (e != std::end(expected) || a != std::end(actual)) {
        const bool haveWant = e != std::end(expected);
        const bool haveGot = a != std::end(actual);
        want.push_back(haveWant ? ::testing::PrintToString(*e) : std::string());
        got.push_back(haveGot ? ::testing::PrintToString(*a) : std::string());
        differs.push_back(!haveWant || !haveGot || !Same(*e, *a));
        if (haveWant) {
            ++e, ++wantCount;
        }
        if (haveGot) {
            ++a, ++gotCount;
        }
    }
    const size_t first =
        static_cast<size_t>(std::find(differs.begin(), differs.end(), true) - differs.begin());
    if (first == differs.size()) {
        return ::testing::AssertionSuccess();
    }

    size_t width = std::strlen("expected");
    for (const std::string& entry : want) {
        width = std::max(width, std::min<size_t>(entry.size(), 48));
    }
    std::ostringstream out;
    out << expectedText << " and " << actualText << " differ from entry " << first << " on ("
        << wantCount << " entries expected, " << gotCount << " found):\n";
    out << "        #  " << std::string("expected").append(width - 8, ' ') << "  actual\n";
    // A long sequence shows the lines around its first difference and its last lines.
    const size_t size = want.size();
    bool skipped = false;
    for (size_t i = 0; i < size; ++i) {
        const bool shown = size <= 60 || (i + 5 >= first && i < first + 25) || i + 5 >= size;
        if (!shown) {
            if (!skipped) {
                out << "      ...\n";
            }
            skipped = true;
            continue;
        }
        skipped = false;
        out << (differs[i] ? "  > " : "    ");
        out.width(5);
        out << i << "  " << want[i];
        if (want[i].size() < width) {
            out << std::string(width - want[i].size(), ' ');
        }
        out << "  " << got[i] << "\n";
    }
    return ::testing::AssertionFailure() << out.str();
}

} // namespace expectsequence

#define EXPECT_SEQUENCE(expected, actual) \
    EXPECT_PRED_FORMAT2(::expectsequence::SequencesMatch, expected, actual)
#define ASSERT_SEQUENCE(expected, actual) \
    ASSERT_PRED_FORMAT2(::expectsequence::SequencesMatch, expected, actual)
