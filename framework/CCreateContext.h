// What a frame needs to build its contents: the view class to create, the document it shows
// and the template that binds them. Passed through window creation to OnCreate.
#pragma once

#include "framework/AfxDefs.h"

struct CRuntimeClass;
class CDocument;
class CDocTemplate;
class CView;
class CFrameWnd;

struct CCreateContext
{
    CRuntimeClass* m_pNewViewClass = nullptr;  // view to create, or NULL
    CDocument* m_pCurrentDoc = nullptr;        // document the new view shows
    CDocTemplate* m_pNewDocTemplate = nullptr; // template of a new child frame
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr; // frame the new one is modelled on
};
