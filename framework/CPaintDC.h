// The device context of one WM_PAINT: BeginPaint in the constructor, EndPaint in the destructor.
#ifndef VEXO_FRAMEWORK_CPAINTDC_H
#define VEXO_FRAMEWORK_CPAINTDC_H

#include "framework/CDC.h"

class CPaintDC : public CDC {
    DECLARE_DYNAMIC(CPaintDC)
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps;

protected:
    HWND m_hWnd;
};

#endif // VEXO_FRAMEWORK_CPAINTDC_H
