// VentanaQuasar.h: CVentanaQuasar, the host's main window: what the dialogs are owned by and centred
// on, as in a real host. Once it shows, it hands the work to the application.
#pragma once

#include <afxwin.h>

#include <functional>

class CVentanaQuasar : public CWnd {
public:
    // Creates and shows the window; alMostrarse then runs inside the message loop, once.
    BOOL Crea(int nCmdShow, std::function<void()> alMostrarse);

protected:
    afx_msg LRESULT OnEmpieza(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    std::function<void()> m_alMostrarse;
};
