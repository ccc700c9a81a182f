// What a frame needs to build its contents: the view class to create, the document it shows
// and the template that binds them. Passed through window creation to OnCreate.
#ifndef VEXO_FRAMEWORK_CCREATECONTEXT_H
#define VEXO_FRAMEWORK_CCREATECONTEXT_H

#include "framework/AfxDefs.h"

struct CRuntimeClass;
class CDocument;
class CDocTemplate;
class CView;
class CFrameWnd;

struct CCreateContext {
    CRuntimeClass* m_pNewViewClass = NULL;     // view to create, or NULL
    CDocument* m_pCurrentDoc = NULL;           // document the new view shows
    CDocTemplate* m_pNewDocTemplate = NULL;    // template of a new child frame
    CView* m_pLastView = NULL;
    CFrameWnd* m_pCurrentFrame = NULL;         // frame the new one is modelled on
};

#endif // VEXO_FRAMEWORK_CCREATECONTEXT_H
