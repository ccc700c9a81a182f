#pragma once
#include <windows.h>
#include <oleauto.h>

// Reads the positional arguments of one IDispatch::Invoke call, which arrive last-first, as the
// types a member expects. Arguments of another type are coerced the way automation does
// (an I4 where an R4 is expected, and so on). The first failure is kept with its argument index.
class CDispatchArgs
{
public:
    CDispatchArgs(const DISPPARAMS& params, UINT* argErr) : m_params(params), m_pArgErr(argErr) {}

    // Exactly `count` positional arguments; named ones only as allowed.
    bool Expect(UINT count, bool allowPropertyPut = false);
    bool Int(UINT index, LONG& value);
    bool Float(UINT index, float& value);
    bool Bool(UINT index, BOOL& value);
    // A by-reference I4 cell the member writes its result into.
    bool IntOut(UINT index, LONG*& cell);
    // A one-dimensional SAFEARRAY of I4, by value or by reference; it stays the caller's.
    bool IntArray(UINT index, SAFEARRAY*& array);

    UINT Count() const { return m_params.cArgs - m_params.cNamedArgs; }
    HRESULT Error() const { return m_hrError; }

private:
    const VARIANTARG& At(UINT index) const { return m_params.rgvarg[m_params.cArgs - 1 - index]; }
    bool Coerce(UINT index, VARTYPE type, VARIANT& converted);
    bool Fail(HRESULT error, UINT index);

    const DISPPARAMS& m_params;
    UINT* m_pArgErr;
    HRESULT m_hrError = S_OK;
};
