// What the program was asked to do on its command line: the framework's standard commands
// (new document, open a file, print a file) filled in by CWinApp::ParseCommandLine.
#pragma once

#include "framework/CObject.h"
#include "framework/CString.h"

class CCommandLineInfo : public CObject
{
public:
    CCommandLineInfo();

    // Called once per argument; bFlag when it started with '-' or '/' (then without it),
    // bLast for the final argument.
    virtual void ParseParam(LPCSTR pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash;
    BOOL m_bRunEmbedded;
    BOOL m_bRunAutomated;

    enum
    {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        AppUnregister,
        FileNothing = -1
    } m_nShellCommand;

    CString m_strFileName; // the document to open or print
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

protected:
    void ParseParamFlag(LPCSTR pszParam);
    void ParseParamNotFlag(LPCSTR pszParam);
    void ParseLast(BOOL bLast);
};
