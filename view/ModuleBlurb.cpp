#include "view/ModuleBlurb.h"

ModuleBlurb::ModuleBlurb() : baseAddress(0), labelText{}
{
}

ModuleBlurb::~ModuleBlurb()
{
    if (::IsWindow(blurbWnd.m_hWnd)) {
        blurbWnd.DestroyWindow();
    }
}
