// A GDI object: wraps an HGDIOBJ and deletes it with the wrapper.
#pragma once

#include "framework/CObject.h"

class CGdiObject : public CObject
{
    DECLARE_DYNCREATE(CGdiObject)
public:
    CGdiObject();
    ~CGdiObject() override;

    HGDIOBJ m_hObject;

    static CGdiObject* FromHandle(HGDIOBJ hObject);
    HGDIOBJ GetSafeHandle() const
    {
        return reinterpret_cast<UINT_PTR>(this) == 0 ? nullptr : m_hObject;
    }
    operator HGDIOBJ() const { return GetSafeHandle(); }
    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    int GetObject(int nCount, LPVOID lpObject) const
    {
        return ::GetObjectA(m_hObject, nCount, lpObject);
    }

    // Used by the handle maps for temporary wrappers.
    void AttachTemporary(HGDIOBJ hObject) { m_hObject = hObject; }
    void DetachTemporary() { m_hObject = nullptr; }
};
