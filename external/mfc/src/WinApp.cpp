// WinApp.cpp: CWinApp: its profile (registry or INI file), help and message boxes.
#include "afxwin.h"

#include <Win32/Manejadores.h>
#include <Win32/Modulos.h>

#include <htmlhelp.h>

#include <cstdlib>
#include <initializer_list>
#include <cwchar>
#include <vector>

namespace {

HKEY CreateSubKey(HKEY hParent, LPCWSTR lpszName)
{
    HKEY hKey = nullptr;
    DWORD disposition = 0;
    if (::RegCreateKeyExW(hParent, lpszName, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                          nullptr, &hKey, &disposition) != ERROR_SUCCESS)
        return nullptr;
    return hKey;
}

void ReplaceOwned(LPCWSTR& psz, LPCWSTR pszNew)
{
    free(const_cast<LPWSTR>(psz));
    psz = pszNew ? _wcsdup(pszNew) : nullptr;
}

}  // namespace

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCWSTR lpszAppName)
{
    ReplaceOwned(m_pszAppName, lpszAppName);
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    ASSERT(pState->m_pCurrentWinApp == nullptr);  // one application object per module
    pState->m_pCurrentWinApp = this;
    m_pModuleState = pState;
}

CWinApp::~CWinApp()
{
    if (m_pModuleState->m_pCurrentWinApp == this)
        m_pModuleState->m_pCurrentWinApp = nullptr;
    if (m_pModuleState->m_lpszCurrentAppName == m_pszAppName)
        m_pModuleState->m_lpszCurrentAppName = nullptr;
    for (LPCWSTR* ppsz : {&m_pszAppName, &m_pszRegistryKey, &m_pszProfileName, &m_pszExeName, &m_pszHelpFilePath})
        ReplaceOwned(*ppsz, nullptr);
}

BOOL CWinApp::InitInstance() { return TRUE; }
int CWinApp::ExitInstance() { return 0; }

void CWinApp::HtmlHelp(DWORD_PTR dwData, UINT nCmd)
{
    if (CWnd* pMainWnd = AfxGetMainWnd())
        pMainWnd->HtmlHelp(dwData, nCmd);
    else
        ::HtmlHelpW(nullptr, m_pszHelpFilePath, nCmd, dwData);
}

void CWinApp::OnHelp() { HtmlHelp(0, HH_DISPLAY_TOC); }

int CWinApp::DoMessageBox(LPCWSTR lpszPrompt, UINT nType, UINT)
{
    // Owned by the window the user is in, which stays disabled until the box is closed.
    HWND hWndTop = nullptr;
    const HWND hWndOwner = CWnd::GetSafeOwner_(nullptr, &hWndTop);
    const int nResult = ::MessageBoxW(hWndOwner, lpszPrompt, m_pszAppName, nType);
    if (hWndTop != nullptr)
        ::EnableWindow(hWndTop, TRUE);
    return nResult;
}

void CWinApp::DoWaitCursor(int nCode)
{
    ASSERT(nCode >= -1 && nCode <= 1);
    m_nWaitCursorCount += nCode;
    if (m_nWaitCursorCount > 0) {
        const HCURSOR hcurPrevious = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        if (nCode > 0 && m_nWaitCursorCount == 1)
            m_hcurWaitCursorRestore = hcurPrevious;
    } else {
        m_nWaitCursorCount = 0;
        ::SetCursor(m_hcurWaitCursorRestore);
    }
}

CWaitCursor::CWaitCursor()
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->DoWaitCursor(1);
}

CWaitCursor::~CWaitCursor()
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->DoWaitCursor(-1);
}

void CWnd::HtmlHelp(DWORD_PTR dwData, UINT nCmd)
{
    CWinApp* pApp = AfxGetApp();
    ::HtmlHelpW(m_hWnd, pApp != nullptr ? pApp->m_pszHelpFilePath : nullptr, nCmd, dwData);
}

int AFXAPI AfxMessageBox(LPCWSTR lpszText, UINT nType, UINT nIDHelp)
{
    if (CWinApp* pApp = AfxGetApp())
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return ::MessageBoxW(nullptr, lpszText, nullptr, nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    VERIFY(text.LoadString(nIDPrompt));
    return AfxMessageBox(text, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}

void CWinApp::SetCurrentHandles()
{
    const CString fullPath(Win32::RutaDelModulo(m_hInstance).c_str());
    const CString fileName = fullPath.Mid(fullPath.ReverseFind(L'\\') + 1);
    const int dot = fileName.ReverseFind(L'.');
    const CString exeName = dot >= 0 ? fileName.Left(dot) : fileName;

    if (m_pszExeName == nullptr)
        ReplaceOwned(m_pszExeName, exeName);
    if (m_pszAppName == nullptr)
        ReplaceOwned(m_pszAppName, m_pszExeName);
    if (m_pszHelpFilePath == nullptr) {
        const int pathDot = fullPath.ReverseFind(L'.');
        ReplaceOwned(m_pszHelpFilePath, (pathDot >= 0 ? fullPath.Left(pathDot) : fullPath) + L".chm");
    }
    if (m_pszProfileName == nullptr)
        ReplaceOwned(m_pszProfileName, CString(m_pszExeName) + L".INI");
    m_pModuleState->m_lpszCurrentAppName = m_pszAppName;
}

void CWinApp::SetRegistryKey(LPCWSTR lpszRegistryKey)
{
    ASSERT(m_pszAppName != nullptr);
    ReplaceOwned(m_pszRegistryKey, lpszRegistryKey);
    ReplaceOwned(m_pszProfileName, m_pszAppName);
}

HKEY CWinApp::GetAppRegistryKey()
{
    ASSERT(m_pszRegistryKey != nullptr && m_pszProfileName != nullptr);
    const Win32::ClaveDeRegistro software(CreateSubKey(HKEY_CURRENT_USER, L"Software"));
    if (!software)
        return nullptr;
    const Win32::ClaveDeRegistro company(CreateSubKey(software.Get(), m_pszRegistryKey));
    return company ? CreateSubKey(company.Get(), m_pszProfileName) : nullptr;
}

HKEY CWinApp::GetSectionKey(LPCWSTR lpszSection)
{
    ASSERT(lpszSection != nullptr);
    const Win32::ClaveDeRegistro app(GetAppRegistryKey());
    return app ? CreateSubKey(app.Get(), lpszSection) : nullptr;
}

UINT CWinApp::GetProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nDefault)
{
    ASSERT(lpszSection != nullptr && lpszEntry != nullptr && m_pszProfileName != nullptr);
    if (m_pszRegistryKey == nullptr)
        return ::GetPrivateProfileIntW(lpszSection, lpszEntry, nDefault, m_pszProfileName);

    const Win32::ClaveDeRegistro section(GetSectionKey(lpszSection));
    DWORD value = 0, type = 0, size = sizeof value;
    if (!section || ::RegQueryValueExW(section.Get(), lpszEntry, nullptr, &type, reinterpret_cast<LPBYTE>(&value),
                                       &size) != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value)
        return static_cast<UINT>(nDefault);
    return value;
}

BOOL CWinApp::WriteProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nValue)
{
    ASSERT(lpszSection != nullptr && lpszEntry != nullptr && m_pszProfileName != nullptr);
    if (m_pszRegistryKey == nullptr) {
        WCHAR text[16];
        swprintf(text, 16, L"%d", nValue);
        return ::WritePrivateProfileStringW(lpszSection, lpszEntry, text, m_pszProfileName);
    }
    const Win32::ClaveDeRegistro section(GetSectionKey(lpszSection));
    const DWORD value = static_cast<DWORD>(nValue);
    return section && ::RegSetValueExW(section.Get(), lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                       sizeof value) == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszDefault)
{
    ASSERT(lpszSection != nullptr && lpszEntry != nullptr && m_pszProfileName != nullptr);
    if (lpszDefault == nullptr)
        lpszDefault = L"";
    if (m_pszRegistryKey == nullptr) {
        // Grow until the value fits: a full buffer may mean a longer value.
        std::vector<WCHAR> buffer(4096);
        for (;;) {
            const DWORD n = ::GetPrivateProfileStringW(lpszSection, lpszEntry, lpszDefault, buffer.data(),
                                                       static_cast<DWORD>(buffer.size()), m_pszProfileName);
            if (n < buffer.size() - 1)
                return CString(buffer.data(), static_cast<int>(n));
            buffer.resize(buffer.size() * 2);
        }
    }

    const Win32::ClaveDeRegistro section(GetSectionKey(lpszSection));
    DWORD type = 0, size = 0;
    if (!section || ::RegQueryValueExW(section.Get(), lpszEntry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return lpszDefault;
    CString value;
    LPWSTR buffer = value.GetBuffer(static_cast<int>(size / sizeof(WCHAR)) + 1);
    if (::RegQueryValueExW(section.Get(), lpszEntry, nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size) !=
        ERROR_SUCCESS)
        return lpszDefault;
    buffer[size / sizeof(WCHAR)] = L'\0';
    value.ReleaseBuffer();
    return value;
}

BOOL CWinApp::WriteProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszValue)
{
    ASSERT(lpszSection != nullptr && m_pszProfileName != nullptr);
    if (m_pszRegistryKey == nullptr)
        return ::WritePrivateProfileStringW(lpszSection, lpszEntry, lpszValue, m_pszProfileName);

    if (lpszEntry == nullptr) {
        const Win32::ClaveDeRegistro app(GetAppRegistryKey());
        return app && ::RegDeleteTreeW(app.Get(), lpszSection) == ERROR_SUCCESS;
    }
    const Win32::ClaveDeRegistro section(GetSectionKey(lpszSection));
    if (!section)
        return FALSE;
    const DWORD size = static_cast<DWORD>((wcslen(lpszValue) + 1) * sizeof(WCHAR));
    return ::RegSetValueExW(section.Get(), lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue), size) ==
           ERROR_SUCCESS;
}
