// Per-thread maps from Win32 handles to the framework objects that wrap them. Permanent
// entries belong to objects the program owns; temporary entries are wrappers made on demand
// for foreign handles and deleted when the thread is idle (AfxDeleteTempMaps).
#pragma once

#include <unordered_map>

#include "framework/AfxDefs.h"

template <class TObject, class THandle>
class CHandleMap
{
public:
    ~CHandleMap() { DeleteTemp(); }

    TObject* LookupPermanent(THandle h) const
    {
        auto it = m_permanent.find(h);
        return it == m_permanent.end() ? nullptr : it->second;
    }
    TObject* LookupTemporary(THandle h) const
    {
        auto it = m_temporary.find(h);
        return it == m_temporary.end() ? nullptr : it->second;
    }
    void SetPermanent(THandle h, TObject* pObject) { m_permanent[h] = pObject; }
    void RemovePermanent(THandle h, TObject* pObject)
    {
        auto it = m_permanent.find(h);
        if (it != m_permanent.end() && it->second == pObject) {
            m_permanent.erase(it);
        }
    }

    // The wrapper of h: the permanent object, else a temporary one made now.
    TObject* FromHandle(THandle h)
    {
        if (h == nullptr) {
            return nullptr;
        }
        if (TObject* p = LookupPermanent(h)) {
            return p;
        }
        if (TObject* p = LookupTemporary(h)) {
            return p;
        }
        TObject* p = new TObject;
        p->AttachTemporary(h);
        m_temporary[h] = p;
        return p;
    }

    // Deletes every temporary wrapper; each releases its handle without destroying it.
    void DeleteTemp()
    {
        std::unordered_map<THandle, TObject*> temp;
        temp.swap(m_temporary);
        for (auto& entry : temp) {
            entry.second->DetachTemporary();
            delete entry.second;
        }
    }

private:
    std::unordered_map<THandle, TObject*> m_permanent;
    std::unordered_map<THandle, TObject*> m_temporary;
};
