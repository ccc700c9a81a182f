#include "framework/DispatchCall.h"

#include <cstring>

namespace {

constexpr UINT kMaxArguments = 16;

HRESULT ZeroResult(VARTYPE vtRet, void* pvRet)
{
    if (vtRet == VT_EMPTY) {
        return S_OK;
    }
    if (!pvRet) {
        return E_POINTER;
    }
    switch (vtRet) {
    case VT_I4:
        *static_cast<long*>(pvRet) = 0;
        return S_OK;
    case VT_R4:
        *static_cast<float*>(pvRet) = 0.0f;
        return S_OK;
    case VT_BOOL:
        *static_cast<BOOL*>(pvRet) = FALSE;
        return S_OK;
    default:
        return E_INVALIDARG;
    }
}

// Takes the next variable argument as parameter-information code `code` describes it.
HRESULT ReadArgument(BYTE code, va_list* argList, VARIANTARG& arg)
{
    switch (code) {
    case VT_I4:
        V_VT(&arg) = VT_I4;
        V_I4(&arg) = va_arg(*argList, long);
        return S_OK;
    case VT_R4:
        V_VT(&arg) = VT_R4;
        V_R4(&arg) = static_cast<float>(va_arg(*argList, double)); // floats travel as double
        return S_OK;
    case VT_BOOL:
        V_VT(&arg) = VT_BOOL;
        V_BOOL(&arg) = va_arg(*argList, BOOL) ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    case VT_VARIANT: {
        // A shallow copy: the caller keeps the variant and whatever it holds.
        const VARIANT* pValue = va_arg(*argList, const VARIANT*);
        if (!pValue) {
            return E_POINTER;
        }
        arg = *pValue;
        return S_OK;
    }
    case VT_I4 | VT_MFCBYREF:
        V_VT(&arg) = VT_I4 | VT_BYREF;
        V_I4REF(&arg) = va_arg(*argList, long*);
        return V_I4REF(&arg) ? S_OK : E_POINTER;
    default:
        return E_INVALIDARG;
    }
}

HRESULT StoreResult(VARIANT& result, VARTYPE vtRet, void* pvRet)
{
    if (vtRet == VT_EMPTY) {
        return S_OK;
    }
    if (V_VT(&result) != vtRet) {
        const HRESULT hr = VariantChangeType(&result, &result, 0, vtRet);
        if (FAILED(hr)) {
            return hr;
        }
    }
    switch (vtRet) {
    case VT_I4:
        *static_cast<long*>(pvRet) = V_I4(&result);
        break;
    case VT_R4:
        *static_cast<float*>(pvRet) = V_R4(&result);
        break;
    case VT_BOOL:
        *static_cast<BOOL*>(pvRet) = V_BOOL(&result) != VARIANT_FALSE;
        break;
    default:
        break;
    }
    return S_OK;
}

void FreeException(EXCEPINFO& exception)
{
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
}

} // namespace

HRESULT AfxDispatchInvokeV(IDispatch* pDispatch, DISPID dwDispID, WORD wFlags, VARTYPE vtRet,
                           void* pvRet, const BYTE* pbParamInfo, va_list argList)
{
    HRESULT hr = ZeroResult(vtRet, pvRet);
    if (FAILED(hr)) {
        return hr;
    }
    if (!pDispatch) {
        return E_POINTER;
    }
    const char* info = pbParamInfo ? reinterpret_cast<const char*>(pbParamInfo) : VTS_NONE;
    const UINT count = static_cast<UINT>(std::strlen(info));
    if (count > kMaxArguments) {
        return E_INVALIDARG;
    }
    // Automation takes the arguments last-first.
    VARIANTARG args[kMaxArguments];
    for (UINT i = 0; i < count; ++i) {
        VARIANTARG& arg = args[count - 1 - i];
        VariantInit(&arg);
        hr = ReadArgument(static_cast<BYTE>(info[i]), &argList, arg);
        if (FAILED(hr)) {
            return hr;
        }
    }

    DISPID namedPut = DISPID_PROPERTYPUT;
    DISPPARAMS params = {count ? args : nullptr, nullptr, count, 0};
    const bool put = (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    if (put) {
        params.rgdispidNamedArgs = &namedPut;
        params.cNamedArgs = 1;
    }
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO exception = {};
    UINT argErr = 0;
    hr = pDispatch->Invoke(dwDispID, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &params,
                           put ? nullptr : &result, &exception, &argErr);
    if (hr == DISP_E_EXCEPTION) {
        FreeException(exception);
    }
    if (SUCCEEDED(hr)) {
        hr = StoreResult(result, vtRet, pvRet);
    }
    VariantClear(&result);
    return hr;
}

HRESULT AfxDispatchInvoke(IDispatch* pDispatch, DISPID dwDispID, WORD wFlags, VARTYPE vtRet,
                          void* pvRet, const BYTE* pbParamInfo, ...)
{
    va_list argList;
    va_start(argList, pbParamInfo);
    const HRESULT hr =
        AfxDispatchInvokeV(pDispatch, dwDispID, wFlags, vtRet, pvRet, pbParamInfo, argList);
    va_end(argList);
    return hr;
}

HRESULT AfxDispatchSetPropertyV(IDispatch* pDispatch, DISPID dwDispID, VARTYPE vtProp,
                                va_list argList)
{
    if (vtProp != VT_I4 && vtProp != VT_R4 && vtProp != VT_BOOL) {
        return E_INVALIDARG;
    }
    const BYTE info[2] = {static_cast<BYTE>(vtProp), 0};
    return AfxDispatchInvokeV(pDispatch, dwDispID, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, info,
                              argList);
}

HRESULT AfxDispatchSetProperty(IDispatch* pDispatch, DISPID dwDispID, UINT vtProp, ...)
{
    va_list argList;
    va_start(argList, vtProp);
    const HRESULT hr =
        AfxDispatchSetPropertyV(pDispatch, dwDispID, static_cast<VARTYPE>(vtProp), argList);
    va_end(argList);
    return hr;
}
