// Tests of ortus.dll as a host sees it: the MFC state it runs in, version, exports (its MUI record:
// resources_test; its manifest's bindings: assembly_binding_test; its classes used across the boundary,
// memory and all: catalogue_test).
#include <afxwin.h>

#include "TestSupport.h"

#include <Win32/Modulos.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Read while this module's globals are built, before theApp: ortus.dll is attached by then, and
// its application object must have gone into its own module state, not into this one.
CWinApp* const g_appAntesDelHost = AfxGetApp();
CWinApp theApp;

HMODULE Ortus() { return ::GetModuleHandleW(L"ortus.dll"); }

// Names in the export directory of a loaded module.
std::vector<std::string> Exportados(HMODULE modulo)
{
    const auto* base = reinterpret_cast<const BYTE*>(modulo);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directorio = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    std::vector<std::string> nombres;
    if (directorio.Size == 0)
        return nombres;
    const auto* exportacion = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + directorio.VirtualAddress);
    const auto* rvas = reinterpret_cast<const DWORD*>(base + exportacion->AddressOfNames);
    for (DWORD i = 0; i < exportacion->NumberOfNames; ++i)
        nombres.emplace_back(reinterpret_cast<const char*>(base + rvas[i]));
    return nombres;
}

}  // namespace

TEST(ModuleState, TheHostKeepsItsApplicationObjectAndResourceChain)
{
    EXPECT_EQ(nullptr, g_appAntesDelHost);
    AfxWinInit(::GetModuleHandleW(nullptr), nullptr, ::GetCommandLineW(), 0);
    CDataConectaURL catalogo;
    catalogo.CargaURLPorDefecto();  // a call into ortus.dll leaves the caller's state as it was
    EXPECT_EQ(5u, catalogo.Cantidad());
    EXPECT_EQ(&theApp, AfxGetApp());
    EXPECT_EQ(AfxGetAppModuleState(), AfxGetModuleState());
    // Only ortus.dll has a MUI record: the host's search finds it only if the library joined its chain.
    ASSERT_NE(nullptr, Ortus());
    EXPECT_EQ(::GetModuleHandleW(nullptr), AfxFindResourceHandle(MAKEINTRESOURCEW(1), L"MUI"));
    EXPECT_EQ(::GetModuleHandleW(nullptr), AfxGetResourceHandle());
}

TEST(ModuleResources, CarriesTheProjectVersion)
{
    const CString ruta = Win32::RutaDelModulo(Ortus()).c_str();
    DWORD ignorado = 0;
    std::vector<BYTE> datos(::GetFileVersionInfoSizeW(ruta, &ignorado));
    ASSERT_FALSE(datos.empty());
    ASSERT_TRUE(::GetFileVersionInfoW(ruta, 0, static_cast<DWORD>(datos.size()), datos.data()));

    VS_FIXEDFILEINFO* fijo = nullptr;
    UINT longitud = 0;
    ASSERT_TRUE(::VerQueryValueW(datos.data(), L"\\", reinterpret_cast<void**>(&fijo), &longitud));
    EXPECT_EQ(static_cast<DWORD>(MAKELONG(ORTUS_VERSION_MINOR, ORTUS_VERSION_MAJOR)), fijo->dwFileVersionMS);
    EXPECT_EQ(static_cast<DWORD>(MAKELONG(0, ORTUS_VERSION_PATCH)), fijo->dwFileVersionLS);
    EXPECT_EQ(static_cast<DWORD>(VFT_DLL), fijo->dwFileType);

    CString version;
    version.Format(L"%d.%d.%d.0", ORTUS_VERSION_MAJOR, ORTUS_VERSION_MINOR, ORTUS_VERSION_PATCH);
    const std::pair<LPCWSTR, CString> rows[] = {{L"FileVersion", version}, {L"ProductVersion", version}};
    for (const auto& [clave, valor] : rows) {
        SCOPED_TRACE(testing::Message() << clave);
        LPWSTR texto = nullptr;
        ASSERT_TRUE(::VerQueryValueW(datos.data(), L"\\StringFileInfo\\040904B0\\" + CString(clave),
                                     reinterpret_cast<void**>(&texto), &longitud));
        EXPECT_EQ(valor, CString(texto));
    }
}

TEST(ModuleExports, ExportsOnlyItsThreeClasses)
{
    // The members themselves are there, or the tests would not link; a polymorphic class brings
    // its type record and virtual table.
    const std::vector<std::string> nombres = Exportados(Ortus());
    EXPECT_FALSE(nombres.empty());
    const char* const prefijos[] = {"_ZN13CDireccionURL",  "_ZNK13CDireccionURL",  "_ZN15CDataConectaURL",
                                    "_ZNK15CDataConectaURL", "_ZN14CConectaURLDlg", "_ZNK14CConectaURLDlg",
                                    "_ZTI14CConectaURLDlg", "_ZTV14CConectaURLDlg"};
    for (const std::string& nombre : nombres) {
        const bool deUnaClase = std::any_of(std::begin(prefijos), std::end(prefijos),
                                            [&](const char* prefijo) { return nombre.starts_with(prefijo); });
        EXPECT_TRUE(deUnaClase) << nombre;
    }
    EXPECT_NE(nombres.end(), std::find(nombres.begin(), nombres.end(), "_ZN14CConectaURLDlg12GetThisClassEv"));
    EXPECT_NE(nombres.end(), std::find(nombres.begin(), nombres.end(), "_ZN14CConectaURLDlg19classCConectaURLDlgE"));
}
