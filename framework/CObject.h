// Root of the framework's classes: run-time type information and serialization.
#ifndef VEXO_FRAMEWORK_COBJECT_H
#define VEXO_FRAMEWORK_COBJECT_H

#include "framework/CRuntimeClass.h"

class CObject {
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

#endif // VEXO_FRAMEWORK_COBJECT_H
