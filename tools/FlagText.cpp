#include "tools/FlagText.h"

namespace {

// One word per bit of the page flags word, in bit order. "Gaurded" is the text users see.
const char* const kFlagWords[] = {
    "Read-",      "Write-", "Execute-",  "Copy-On-Write-", "Gaurded-", "NoCache-",
    "Committed-", "Free-",  "Reserved-", "Image-",         "Mapped-",  "Private-",
};

} // namespace

std::string PageFlagText(uint32_t flags)
{
    std::string text;
    for (unsigned bit = 0; bit < sizeof(kFlagWords) / sizeof(kFlagWords[0]); ++bit) {
        if (flags & (1u << bit)) {
            text += kFlagWords[bit];
        }
    }
    if (!text.empty()) {
        text.pop_back(); // the final "-"
    }
    return text;
}
