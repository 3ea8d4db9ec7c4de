// OrtusApp.h: COrtusApp, the library's own application object (internal).
#pragma once

#include <afxwin.h>

// Lives in the library's module state; exported operations never switch to it, so the host's
// application object is the one they use.
class COrtusApp : public CWinApp {
public:
    COrtusApp();

    BOOL InitInstance() override;

protected:
    DECLARE_MESSAGE_MAP()
};
