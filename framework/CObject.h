// Root of the framework's classes: run-time type information and serialization.
#pragma once

#include "framework/CRuntimeClass.h"

class CObject
{
public:
    static CRuntimeClass classCObject;

    virtual ~CObject() = default;
    virtual CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    virtual void Serialize(CArchive& ar);

protected:
    CObject() = default;

private:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

// The object when it is of pClass or a class derived from it, otherwise NULL.
CObject* AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
// One checked downcast in place of IsKindOf and a static_cast: the object as a class_name
// (a class with the run-time class macros), or NULL when it is none.
#define DYNAMIC_DOWNCAST(class_name, object) \
    static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), object))
