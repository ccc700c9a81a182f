// POSITION values of the framework's lists of pointers (views of a document, documents of a
// template, templates of the application): the 1-based index in a std::vector, so NULL means
// the end. Removing the element just returned by a GetNext call keeps the walk valid only
// for walks that restart from the head; walks that delete go from the head each time.
#pragma once

#include <vector>

#include "framework/AfxDefs.h"

template <class T>
POSITION AfxHeadPosition(const std::vector<T*>& list)
{
    return list.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<UINT_PTR>(1));
}

// The element at rPosition, advancing rPosition to the next one (NULL after the last).
template <class T>
T* AfxGetNextAt(const std::vector<T*>& list, POSITION& rPosition)
{
    const UINT_PTR nIndex = reinterpret_cast<UINT_PTR>(rPosition) - 1;
    if (rPosition == nullptr || nIndex >= list.size()) {
        rPosition = nullptr;
        return nullptr;
    }
    rPosition = nIndex + 1 < list.size() ? reinterpret_cast<POSITION>(nIndex + 2) : nullptr;
    return list[nIndex];
}
