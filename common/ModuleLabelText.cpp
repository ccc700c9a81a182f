#include "common/ModuleLabelText.h"

#include <cstdio>
#include <cstring>

namespace {

// Longest part the C runtime keeps in its 256-byte buffers.
constexpr size_t kMaxPart = 255;

std::string CutPart(const char* begin, size_t length)
{
    return std::string(begin, length < kMaxPart ? length : kMaxPart);
}

bool HasName(const char* nameOrNull)
{
    return nameOrNull != nullptr && nameOrNull[0] != '\0';
}

std::string LabelOf(const char* pathOrNull)
{
    const SplitPathParts parts = SplitModulePath(pathOrNull);
    return parts.fileName + parts.extension;
}

} // namespace

SplitPathParts SplitModulePath(const char* pathOrNull)
{
    SplitPathParts parts;
    const char* path = pathOrNull != nullptr ? pathOrNull : "";

    if (path[0] != '\0' && path[1] == ':') {
        parts.drive.assign(path, 2);
        path += 2;
    }

    // One pass to the end, noting the character after the last separator and the last dot.
    const char* nameStart = path;
    const char* dot = nullptr;
    const char* end = path;
    for (; *end != '\0'; ++end) {
        if (*end == '\\' || *end == '/') {
            nameStart = end + 1;
        } else if (*end == '.') {
            dot = end;
        }
    }

    parts.directory = CutPart(path, static_cast<size_t>(nameStart - path));
    // A dot inside the directory is no extension.
    if (dot != nullptr && dot >= nameStart) {
        parts.fileName = CutPart(nameStart, static_cast<size_t>(dot - nameStart));
        parts.extension = CutPart(dot, static_cast<size_t>(end - dot));
    } else {
        parts.fileName = CutPart(nameStart, static_cast<size_t>(end - nameStart));
    }
    return parts;
}

void WriteModuleLabel(const char* pathOrNull, char* label, size_t labelSize)
{
    if (labelSize == 0) {
        return;
    }
    const std::string text = LabelOf(pathOrNull);
    const size_t length = text.size() < labelSize - 1 ? text.size() : labelSize - 1;
    std::memcpy(label, text.data(), length);
    label[length] = '\0';
}

std::string RetrievalProgressText(const char* module0NameOrNull, uint32_t processId)
{
    static const char kPrefix[] = "Retrieving memory map for process: ";
    if (HasName(module0NameOrNull)) {
        return kPrefix + LabelOf(module0NameOrNull);
    }
    char id[16];
    std::snprintf(id, sizeof(id), "0x%08x", static_cast<unsigned>(processId));
    return kPrefix + std::string(id);
}

std::string SearchProgressText(const char* module0NameOrNull)
{
    if (HasName(module0NameOrNull)) {
        return "Searching Memory Space of " + std::string(module0NameOrNull) + "...";
    }
    return "Searching Memory Space of untitled process...";
}
