// Control hosting: calls of a control's automation members by dispatch identifier, with the
// arguments described by a parameter-information string of VTS_ codes and passed as variable
// arguments. The engine behind CWnd::InvokeHelper and CWnd::SetProperty. Failures come back as
// an HRESULT with the result cell zeroed; nothing throws.
#pragma once

#include <windows.h>

#include <cstdarg>

#include <oleauto.h>

// Marks a by-reference argument in a parameter-information string.
#define VT_MFCBYREF 0x40

// Parameter-information codes; concatenate them: static const BYTE params[] = VTS_I4 VTS_R4;
// Variable arguments: VTS_I4 a long, VTS_R4 a float (passed as double), VTS_BOOL a BOOL,
// VTS_VARIANT a const VARIANT* (handed on as it is: an array in it is not copied),
// VTS_PI4 a long* output cell.
#define VTS_NONE ""
#define VTS_I4 "\x03"
#define VTS_R4 "\x04"
#define VTS_BOOL "\x0B"
#define VTS_VARIANT "\x0C"
#define VTS_PI4 "\x43"

// Calls member dwDispID of pDispatch. wFlags: DISPATCH_METHOD, DISPATCH_PROPERTYGET or
// DISPATCH_PROPERTYPUT. vtRet says how to store the result into *pvRet: VT_EMPTY (none,
// pvRet may be NULL), VT_I4 (long), VT_R4 (float), VT_BOOL (BOOL). pbParamInfo may be NULL
// for no arguments.
HRESULT AfxDispatchInvokeV(IDispatch* pDispatch, DISPID dwDispID, WORD wFlags, VARTYPE vtRet,
                           void* pvRet, const BYTE* pbParamInfo, va_list argList);
HRESULT AfxDispatchInvoke(IDispatch* pDispatch, DISPID dwDispID, WORD wFlags, VARTYPE vtRet,
                          void* pvRet, const BYTE* pbParamInfo, ...);

// Sets property dwDispID to one value of type vtProp (VT_I4, VT_R4, VT_BOOL), passed as the
// single variable argument. (The variadic form takes the type as UINT: va_start needs a last
// named parameter that default promotion leaves alone.)
HRESULT AfxDispatchSetPropertyV(IDispatch* pDispatch, DISPID dwDispID, VARTYPE vtProp,
                                va_list argList);
HRESULT AfxDispatchSetProperty(IDispatch* pDispatch, DISPID dwDispID, UINT vtProp, ...);
