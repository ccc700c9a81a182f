#include "imagectl/DispatchArgs.h"

bool CDispatchArgs::Expect(UINT count, bool allowPropertyPut)
{
    if (m_params.cNamedArgs > 0) {
        const bool propertyPut = allowPropertyPut && m_params.cNamedArgs == 1 &&
                                 m_params.rgdispidNamedArgs &&
                                 m_params.rgdispidNamedArgs[0] == DISPID_PROPERTYPUT;
        if (!propertyPut) {
            m_hrError = DISP_E_NONAMEDARGS;
            return false;
        }
        if (m_params.cArgs != count) {
            m_hrError = DISP_E_BADPARAMCOUNT;
            return false;
        }
        return true;
    }
    if (m_params.cArgs != count || (count > 0 && !m_params.rgvarg)) {
        m_hrError = DISP_E_BADPARAMCOUNT;
        return false;
    }
    return true;
}

bool CDispatchArgs::Fail(HRESULT error, UINT index)
{
    if (SUCCEEDED(m_hrError)) {
        m_hrError = error;
        if (m_pArgErr) {
            *m_pArgErr = m_params.cArgs - 1 - index;
        }
    }
    return false;
}

bool CDispatchArgs::Coerce(UINT index, VARTYPE type, VARIANT& converted)
{
    VariantInit(&converted);
    const HRESULT hr = VariantChangeType(&converted, const_cast<VARIANTARG*>(&At(index)), 0, type);
    return SUCCEEDED(hr) || Fail(hr, index);
}

bool CDispatchArgs::Int(UINT index, LONG& value)
{
    const VARIANTARG& arg = At(index);
    if (V_VT(&arg) == VT_I4) {
        value = V_I4(&arg);
        return true;
    }
    VARIANT converted;
    if (!Coerce(index, VT_I4, converted)) {
        return false;
    }
    value = V_I4(&converted);
    return true;
}

bool CDispatchArgs::Float(UINT index, float& value)
{
    const VARIANTARG& arg = At(index);
    if (V_VT(&arg) == VT_R4) {
        value = V_R4(&arg);
        return true;
    }
    VARIANT converted;
    if (!Coerce(index, VT_R4, converted)) {
        return false;
    }
    value = V_R4(&converted);
    return true;
}

bool CDispatchArgs::Bool(UINT index, BOOL& value)
{
    const VARIANTARG& arg = At(index);
    if (V_VT(&arg) == VT_BOOL) {
        value = V_BOOL(&arg) != VARIANT_FALSE;
        return true;
    }
    VARIANT converted;
    if (!Coerce(index, VT_BOOL, converted)) {
        return false;
    }
    value = V_BOOL(&converted) != VARIANT_FALSE;
    return true;
}

bool CDispatchArgs::IntOut(UINT index, LONG*& cell)
{
    const VARIANTARG& arg = At(index);
    if (V_VT(&arg) == (VT_I4 | VT_BYREF) && V_I4REF(&arg)) {
        cell = V_I4REF(&arg);
        return true;
    }
    VARIANT* inner = V_VT(&arg) == (VT_VARIANT | VT_BYREF) ? V_VARIANTREF(&arg) : nullptr;
    if (inner && V_VT(inner) == VT_I4) {
        cell = &V_I4(inner);
        return true;
    }
    return Fail(DISP_E_TYPEMISMATCH, index);
}

bool CDispatchArgs::IntArray(UINT index, SAFEARRAY*& array)
{
    const VARIANTARG* arg = &At(index);
    if (V_VT(arg) == (VT_VARIANT | VT_BYREF) && V_VARIANTREF(arg)) {
        arg = V_VARIANTREF(arg);
    }
    SAFEARRAY* found = nullptr;
    if (V_VT(arg) == (VT_ARRAY | VT_I4)) {
        found = V_ARRAY(arg);
    } else if (V_VT(arg) == (VT_ARRAY | VT_I4 | VT_BYREF) && V_ARRAYREF(arg)) {
        found = *V_ARRAYREF(arg);
    }
    if (!found || SafeArrayGetDim(found) != 1 || SafeArrayGetElemsize(found) != sizeof(LONG)) {
        return Fail(DISP_E_TYPEMISMATCH, index);
    }
    array = found;
    return true;
}
