#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Texts made from a module's path name: the module label, and the progress texts that name the
// process by its executable (module 0).

// Size of a module label's text buffer, terminator included.
constexpr size_t kModuleLabelSize = 260;

// A path split into drive ("C:"), directory (up to and including the last '\' or '/'), file name
// and extension (from the last '.' of the last component). Each part is cut to 255 characters,
// as the C runtime's splitting into 256-byte buffers does.
struct SplitPathParts
{
    std::string drive;
    std::string directory;
    std::string fileName;
    std::string extension;
};

// Splits a path; a null path splits like the empty one.
SplitPathParts SplitModulePath(const char* pathOrNull);

// Writes file name and extension of the path into label (labelSize bytes, NUL included), cut
// to labelSize - 1 characters so that it never overruns. Does nothing when labelSize is 0.
void WriteModuleLabel(const char* pathOrNull, char* label, size_t labelSize);

// "Retrieving memory map for process: " with file name and extension of module 0, or with the
// process id as "0x%08x" when there is no module 0 name or it is empty.
std::string RetrievalProgressText(const char* module0NameOrNull, uint32_t processId);

// "Searching Memory Space of <full path of module 0>...", or "Searching Memory Space of
// untitled process..." when there is no module 0 name or it is empty.
std::string SearchProgressText(const char* module0NameOrNull);
