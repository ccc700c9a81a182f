#pragma once
#include <cstdint>

#include "common/ModuleLabelText.h"
#include "view/BlurbWnd.h"

// One module label of a view: its tip window (created the first time the label is shown), the
// module's load address and the module's file name with extension.
struct ModuleBlurb
{
    ModuleBlurb();
    // Destroys the label's window before the window object goes.
    ~ModuleBlurb();

    ModuleBlurb(const ModuleBlurb&) = delete;
    ModuleBlurb& operator=(const ModuleBlurb&) = delete;

    CBlurbWnd blurbWnd;
    uint32_t baseAddress;
    char labelText[kModuleLabelSize];
};
