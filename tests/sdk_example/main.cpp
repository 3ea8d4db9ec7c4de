// main.cpp: sdk_example.exe, a host of ortus.dll as HOSTING.md describes it: its application object,
// the language modules in its resource search, a catalogue stored in an INI file and read back, and
// the connection dialog built on that catalogue (not shown: DoModal would open it).
// Usage: sdk_example INI_PATH (a full path)
#include <afxdllx.h>

#include <ConectaURLDlg.h>
#include <DataConectaURL.h>
#include <Quasar/AplicacionQuasar.h>
#include <Vectra/SistemaReferencia.h>

#include <cstdio>
#include <list>
#include <vector>

namespace {

// The string the dialog puts over its list's first column (HOSTING.md lists the identifiers).
constexpr UINT kColumnHeader = 26005;

// The application object the library's dialog talks to: file prompt, context value, help.
class CExampleApp : public CAplicacionQuasar {
public:
    CExampleApp() : CAplicacionQuasar(L"SdkExample") {}

    BOOL PideArchivo(CString&, UINT, DWORD, BOOL, void**, int, LPCWSTR) override { return FALSE; }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CExampleApp, CAplicacionQuasar)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CExampleApp theApp;

// A language module beside ortus.dll, joined to the application's resource search for the process's
// lifetime; the last one joined is searched first.
void JoinLanguageModule(const CString& language)
{
    WCHAR path[MAX_PATH] = L"";
    ::GetModuleFileNameW(::GetModuleHandleW(L"ortus.dll"), path, MAX_PATH);
    CString file(path);
    file = file.Left(file.ReverseFind(L'\\') + 1) + language + L"\\ortus.dll.mui";
    const HMODULE module = ::LoadLibraryExW(file, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (module == nullptr)
        return;
    static std::list<AFX_EXTENSION_MODULE> modules;
    AfxInitExtensionModule(modules.emplace_back(), module);
    new CDynLinkLibrary(modules.back());
}

}  // namespace

int wmain(int argc, wchar_t* argv[])
{
    if (argc != 2 || !AfxWinInit(::GetModuleHandleW(nullptr), nullptr, ::GetCommandLineW(), 0))
        return 2;
    JoinLanguageModule(L"en-US");
    WCHAR userLanguage[LOCALE_NAME_MAX_LENGTH] = L"";
    ::LCIDToLocaleName(MAKELCID(::GetUserDefaultUILanguage(), SORT_DEFAULT), userLanguage, LOCALE_NAME_MAX_LENGTH, 0);
    if (CString(userLanguage) != L"en-US")
        JoinLanguageModule(userLanguage);

    CDataConectaURL catalogue;
    catalogue.CargaURLPorDefecto();
    std::printf("default servers: %u\n", catalogue.Cantidad());
    CDireccionURL local;
    local.m_nombre = L"Local";
    local.m_url = L"http://127.0.0.1/wms";
    std::printf("added: %s\n", catalogue.Inserta(local) ? "yes" : "no");
    catalogue.m_seleccionURL = static_cast<int>(catalogue.Cantidad()) - 1;
    catalogue.m_seleccionCapa = L"roads";
    catalogue.m_seleccionSR = L"EPSG:25830";
    catalogue.WritePrivateProfile(argv[1], L"Servers");

    CDataConectaURL stored;
    stored.GetPrivateProfile(argv[1], L"Servers");
    const CDireccionURL selected = stored.Seleccion();
    std::printf("read back: %u servers, selected %ls %ls, layer %ls, system %ls\n", stored.Cantidad(),
                selected.m_nombre.GetString(), selected.m_url.GetString(), stored.m_seleccionCapa.GetString(),
                stored.m_seleccionSR.GetString());

    CString header;
    header.LoadString(kColumnHeader);
    std::printf("column header: %ls\n", header.GetString());

    std::vector<Vectra::CSistemaReferencia> systems = {{25830, L"ETRS89 / UTM 30N"}, {4326, L"WGS 84"}};
    CConectaURLDlg dialog(stored, 1, systems, nullptr);
    std::printf("dialog: %s, a CDialog: %s\n", dialog.GetRuntimeClass()->m_lpszClassName,
                dialog.IsKindOf(RUNTIME_CLASS(CDialog)) ? "yes" : "no");
    return 0;
}
