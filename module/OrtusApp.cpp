// OrtusApp.cpp: COrtusApp and the library's one instance of it.
#include "OrtusApp.h"

BEGIN_MESSAGE_MAP(COrtusApp, CWinApp)
END_MESSAGE_MAP()

COrtusApp::COrtusApp() : CWinApp(nullptr) {}

BOOL COrtusApp::InitInstance()
{
    CWinApp::InitInstance();
    return TRUE;
}

COrtusApp theApp;
