// QuasarApp.cpp: CQuasarApp.
#include "QuasarApp.h"

#include <vector>

BEGIN_MESSAGE_MAP(CQuasarApp, CWinApp)
END_MESSAGE_MAP()

CQuasarApp::CQuasarApp() : CWinApp(nullptr) {}

void CQuasarApp::UseRegistry() { SetRegistryKey(kRegistryKey); }

CString CQuasarApp::PathBesideExe(LPCWSTR fileName) const
{
    std::vector<WCHAR> path(MAX_PATH);
    while (::GetModuleFileNameW(m_hInstance, path.data(), static_cast<DWORD>(path.size())) >= path.size() - 1)
        path.resize(path.size() * 2);
    CString directory(path.data());
    directory = directory.Left(directory.ReverseFind(L'\\') + 1);
    return directory + fileName;
}
