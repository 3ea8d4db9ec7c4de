// QuasarApp.h: CQuasarApp, the sample host's application object.
#pragma once

#include <afxwin.h>

class CQuasarApp : public CWinApp {
public:
    CQuasarApp();

    // Moves the profile from quasar.INI to HKCU\Software\<kRegistryKey>\<application name>.
    void UseRegistry();
    // Full path of a file beside the executable.
    CString PathBesideExe(LPCWSTR fileName) const;

    static constexpr LPCWSTR kRegistryKey = L"Ortus Samples";

protected:
    DECLARE_MESSAGE_MAP()
};
