// Base of every object that receives commands: owns a message map and routes commands and
// update requests to the handlers in it.
#pragma once

#include "framework/CObject.h"
#include "framework/MessageMap.h"

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;

    // Routes command nID with code nCode (CN_COMMAND, CN_UPDATE_COMMAND_UI, a control
    // notification, or MAKELONG(code, WM_NOTIFY)) to this object's handlers. With pHandlerInfo
    // it only reports whether a handler exists, without calling it.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // Finds the entry for (nMsg, nCode, nID) in one table; NULL when there is none.
    static const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP_ENTRY* pEntries, UINT nMsg,
                                                    UINT nCode, UINT nID);
};
