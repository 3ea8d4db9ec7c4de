// Tests of ortus.dll as a host sees it: exported classes across the module boundary, the MFC state
// the exported code runs in, the library's own resources, and what it exports.
#include <afxwin.h>

#include <DataConectaURL.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <ostream>
#include <string>
#include <vector>

void PrintTo(const CString& texto, std::ostream* os) { *os << ::testing::PrintToString(std::wstring(texto.GetString())); }

namespace {

// One call the storage code made on the application object.
struct Llamada {
    CString operacion, seccion, clave, valor;
    bool operator==(const Llamada& otra) const
    {
        return operacion == otra.operacion && seccion == otra.seccion && clave == otra.clave && valor == otra.valor;
    }
};

void PrintTo(const Llamada& llamada, std::ostream* os)
{
    *os << ::testing::PrintToString(std::wstring(llamada.operacion + L"(" + llamada.seccion + L"," + llamada.clave +
                                                 L"," + llamada.valor + L")"));
}

// The host's application object: its profile lives in memory and every call is recorded, so the
// tests see which application object the library's storage code reaches.
class CModuleTestApp : public CWinApp {
public:
    CString GetProfileString(LPCWSTR seccion, LPCWSTR clave, LPCWSTR porDefecto) override
    {
        m_llamadas.push_back({L"GetProfileString", seccion, clave, porDefecto});
        const auto it = m_perfil.find(Clave(seccion, clave));
        return it != m_perfil.end() ? it->second : CString(porDefecto);
    }
    UINT GetProfileInt(LPCWSTR seccion, LPCWSTR clave, int porDefecto) override
    {
        m_llamadas.push_back({L"GetProfileInt", seccion, clave, Texto(porDefecto)});
        const auto it = m_perfil.find(Clave(seccion, clave));
        return static_cast<UINT>(it != m_perfil.end() ? _wtoi(it->second) : porDefecto);
    }
    BOOL WriteProfileString(LPCWSTR seccion, LPCWSTR clave, LPCWSTR valor) override
    {
        m_llamadas.push_back({L"WriteProfileString", seccion, clave ? clave : L"(null)", valor ? valor : L"(null)"});
        if (clave == nullptr)
            m_perfil.clear();
        else
            m_perfil[Clave(seccion, clave)] = valor;
        return TRUE;
    }
    BOOL WriteProfileInt(LPCWSTR seccion, LPCWSTR clave, int valor) override
    {
        m_llamadas.push_back({L"WriteProfileInt", seccion, clave, Texto(valor)});
        m_perfil[Clave(seccion, clave)] = Texto(valor);
        return TRUE;
    }

    std::vector<Llamada> m_llamadas;

private:
    static std::wstring Clave(LPCWSTR seccion, LPCWSTR clave) { return std::wstring(seccion) + L"|" + clave; }
    static CString Texto(int valor)
    {
        CString texto;
        texto.Format(L"%d", valor);
        return texto;
    }

    std::map<std::wstring, CString> m_perfil;
};

// Read while this module's globals are built, before theApp: ortus.dll is attached by then, and
// its application object must have gone into its own module state, not into this one.
CWinApp* const g_appAntesDelHost = AfxGetApp();
CModuleTestApp theApp;

HMODULE Ortus() { return ::GetModuleHandleW(L"ortus.dll"); }

CString RutaDeOrtus()
{
    WCHAR ruta[MAX_PATH];
    ::GetModuleFileNameW(Ortus(), ruta, MAX_PATH);
    return ruta;
}

// The bytes of a resource of ortus.dll, empty when it has none.
std::string Recurso(LPCWSTR nombre, LPCWSTR tipo)
{
    const HRSRC hRecurso = ::FindResourceW(Ortus(), nombre, tipo);
    if (hRecurso == nullptr)
        return {};
    const void* datos = ::LockResource(::LoadResource(Ortus(), hRecurso));
    return std::string(static_cast<const char*>(datos), ::SizeofResource(Ortus(), hRecurso));
}

DWORD DwordEn(const std::string& datos, size_t desplazamiento)
{
    DWORD valor = 0;
    std::memcpy(&valor, datos.data() + desplazamiento, sizeof valor);
    return valor;
}

BOOL CALLBACK AnotaTipo(HMODULE, LPWSTR tipo, LONG_PTR lParam)
{
    auto* tipos = reinterpret_cast<std::vector<CString>*>(lParam);
    CString nombre;
    if (IS_INTRESOURCE(tipo))
        nombre.Format(L"#%u", static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(tipo)));
    else
        nombre = tipo;
    tipos->push_back(nombre);
    return TRUE;
}

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

bool HeapsIntactos()
{
    std::vector<HANDLE> heaps(::GetProcessHeaps(0, nullptr) + 16);
    heaps.resize(::GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    return std::all_of(heaps.begin(), heaps.end(), [](HANDLE h) { return ::HeapValidate(h, 0, nullptr) != FALSE; });
}

class ModuleTest : public testing::Test {
protected:
    static void SetUpTestSuite() { AfxWinInit(::GetModuleHandleW(nullptr), nullptr, ::GetCommandLineW(), 0); }
    void SetUp() override { theApp.m_llamadas.clear(); }
};

}  // namespace

TEST_F(ModuleTest, TheHostsApplicationObjectIsTheCurrentOne)
{
    EXPECT_EQ(nullptr, g_appAntesDelHost);
    EXPECT_EQ(&theApp, AfxGetApp());
    EXPECT_EQ(AfxGetAppModuleState(), AfxGetModuleState());
}

TEST_F(ModuleTest, TheLibraryStaysOutOfTheHostsResourceChain)
{
    // Only ortus.dll has a MUI record: the host's search finds it only if the library joined its chain.
    ASSERT_NE(nullptr, Ortus());
    EXPECT_EQ(::GetModuleHandleW(nullptr), AfxFindResourceHandle(MAKEINTRESOURCEW(1), L"MUI"));
    EXPECT_EQ(::GetModuleHandleW(nullptr), AfxGetResourceHandle());
}

TEST_F(ModuleTest, LoadingAnotherCopyLeavesTheCallersStateAlone)
{
    WCHAR temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    CString copia;
    copia.Format(L"%sortus-copia-%lu.dll", temp, ::GetCurrentProcessId());
    ASSERT_TRUE(::CopyFileW(RutaDeOrtus(), copia, FALSE));

    AFX_MODULE_STATE* const antes = AfxGetModuleState();
    const HMODULE hCopia = ::LoadLibraryW(copia);
    ASSERT_NE(nullptr, hCopia) << "error " << ::GetLastError();  // its application object started
    EXPECT_NE(Ortus(), hCopia);
    EXPECT_EQ(antes, AfxGetModuleState());
    EXPECT_EQ(&theApp, AfxGetApp());
    EXPECT_TRUE(::FreeLibrary(hCopia));
    EXPECT_EQ(antes, AfxGetModuleState());
    EXPECT_EQ(&theApp, AfxGetApp());
    ::DeleteFileW(copia);
}

TEST_F(ModuleTest, StorageGoesThroughTheHostsApplicationObject)
{
    CDataConectaURL escrito;
    escrito.CargaURLPorDefecto();
    escrito.m_direcciones.resize(2);
    escrito.m_seleccionURL = -1;
    escrito.m_seleccionCapa = L"capa";
    escrito.m_archivoSalida = L"C:\\s.tif";
    escrito.WriteProfile(L"Sec", L"P");

    const std::vector<Llamada> esperadas = {
        {L"WriteProfileString", L"Sec", L"(null)", L"(null)"},
        {L"WriteProfileString", L"Sec", L"PArchivoSalida", L"C:\\s.tif"},
        {L"WriteProfileInt", L"Sec", L"PSeleccionURL", L"-1"},
        {L"WriteProfileString", L"Sec", L"PSeleccionCapa", L"capa"},
        {L"WriteProfileString", L"Sec", L"PSeleccionSR", L""},
        {L"WriteProfileInt", L"Sec", L"PCargar", L"1"},
        {L"WriteProfileString", L"Sec", L"PURL1", L"\"PNOA\",http://www.ign.es/wms-inspire/pnoa-ma"},
        {L"WriteProfileString", L"Sec", L"PURL2",
         L"\"NOAA\",http://nowcoast.noaa.gov/wms/?request=GetCapabilities&service=wms"},
    };
    EXPECT_EQ(esperadas, theApp.m_llamadas);

    theApp.m_llamadas.clear();
    CDataConectaURL leido;
    leido.m_seleccionSR = L"previo";
    leido.GetProfile(L"Sec", L"P");
    const std::vector<Llamada> lecturas = {
        {L"GetProfileString", L"Sec", L"PArchivoSalida", L""},
        {L"GetProfileInt", L"Sec", L"PSeleccionURL", L"-1"},
        {L"GetProfileString", L"Sec", L"PSeleccionCapa", L""},
        {L"GetProfileString", L"Sec", L"PSeleccionSR", L"previo"},  // the present value is the default
        {L"GetProfileInt", L"Sec", L"PCargar", L"1"},
        {L"GetProfileString", L"Sec", L"PURL1", L""},
        {L"GetProfileString", L"Sec", L"PURL2", L""},
        {L"GetProfileString", L"Sec", L"PURL3", L""},
    };
    EXPECT_EQ(lecturas, theApp.m_llamadas);
    EXPECT_EQ(2u, leido.Cantidad());
    EXPECT_EQ(-1, leido.m_seleccionURL);
    EXPECT_EQ(CString(L"capa"), leido.m_seleccionCapa);
    EXPECT_EQ(CString(L""), leido.m_seleccionSR);
}

TEST_F(ModuleTest, MemoryCrossesTheBoundaryBothWays)
{
    // Built in ortus.dll, released here.
    std::vector<CDireccionURL> entradas;
    std::vector<CString> nombres;
    {
        CDataConectaURL catalogo;
        catalogo.CargaURLPorDefecto();
        entradas = std::move(catalogo.m_direcciones);
        CDireccionURL copia = catalogo.Seleccion();
        CString nombre = std::move(entradas[0].m_nombre);
        nombres.push_back(std::move(nombre));
    }
    ASSERT_EQ(5u, entradas.size());
    EXPECT_EQ(CString(L"PNOA"), nombres[0]);
    entradas.clear();
    entradas.shrink_to_fit();
    nombres.clear();

    // Built here, released in ortus.dll.
    CDataConectaURL catalogo;
    for (int i = 0; i < 20; ++i) {
        CDireccionURL entrada;
        entrada.m_nombre.Format(L"servidor %02d", 19 - i);
        entrada.m_url.Format(L"http://h%d/wms", i);
        entrada.m_capas.assign(static_cast<size_t>(i), CString(L"capa"));
        catalogo.m_direcciones.push_back(entrada);
    }
    catalogo.Ordenar();
    while (catalogo.Cantidad() > 10)
        EXPECT_TRUE(catalogo.Borra(0));
    EXPECT_TRUE(catalogo.Modifica(0, CDireccionURL()));
    EXPECT_EQ(CString(L"servidor 11"), catalogo[1].m_nombre);
    EXPECT_EQ(8u, catalogo[1].m_capas.size());
    EXPECT_TRUE(HeapsIntactos());
}

TEST(ModuleResources, CarriesTheProjectVersion)
{
    const CString ruta = RutaDeOrtus();
    DWORD ignorado = 0;
    const DWORD tamano = ::GetFileVersionInfoSizeW(ruta, &ignorado);
    ASSERT_NE(0u, tamano);
    std::vector<BYTE> datos(tamano);
    ASSERT_TRUE(::GetFileVersionInfoW(ruta, 0, tamano, datos.data()));

    VS_FIXEDFILEINFO* fijo = nullptr;
    UINT longitud = 0;
    ASSERT_TRUE(::VerQueryValueW(datos.data(), L"\\", reinterpret_cast<void**>(&fijo), &longitud));
    EXPECT_EQ(static_cast<DWORD>(MAKELONG(ORTUS_VERSION_MINOR, ORTUS_VERSION_MAJOR)), fijo->dwFileVersionMS);
    EXPECT_EQ(static_cast<DWORD>(MAKELONG(0, ORTUS_VERSION_PATCH)), fijo->dwFileVersionLS);
    EXPECT_EQ(static_cast<DWORD>(VFT_DLL), fijo->dwFileType);

    struct Row {
        LPCWSTR clave;
        CString valor;
    };
    CString version;
    version.Format(L"%d.%d.%d.0", ORTUS_VERSION_MAJOR, ORTUS_VERSION_MINOR, ORTUS_VERSION_PATCH);
    const Row rows[] = {
        {L"\\StringFileInfo\\040904B0\\FileVersion", version},
        {L"\\StringFileInfo\\040904B0\\ProductVersion", version},
        {L"\\StringFileInfo\\040904B0\\OriginalFilename", L"ortus.dll"},
        {L"\\StringFileInfo\\040904B0\\ProductName", L"Ortus"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.clave);
        LPWSTR texto = nullptr;
        ASSERT_TRUE(::VerQueryValueW(datos.data(), row.clave, reinterpret_cast<void**>(&texto), &longitud));
        EXPECT_EQ(row.valor, CString(texto));
    }
}

TEST(ModuleResources, CarriesTheSideBySideManifest)
{
    const std::string manifiesto = Recurso(ISOLATIONAWARE_MANIFEST_RESOURCE_ID, RT_MANIFEST);
    ASSERT_FALSE(manifiesto.empty());
    static const char* const partes[] = {
        "<requestedExecutionLevel level=\"asInvoker\"",
        ">true/PM</dpiAware>",
        ">PerMonitorV2</dpiAwareness>",
        "name=\"Ortus\"",
    };
    for (const char* parte : partes)
        EXPECT_NE(std::string::npos, manifiesto.find(parte)) << parte;
}

TEST(ModuleResources, CarriesTheMuiConfigurationWithEnUsAsFallback)
{
    const std::string mui = Recurso(MAKEINTRESOURCEW(1), L"MUI");
    ASSERT_GE(mui.size(), 132u);
    struct Row {
        const char* campo;
        size_t desplazamiento;
        DWORD valor;
    };
    const Row rows[] = {
        {"signature", 0x00, 0xFECDFECD},
        {"size", 0x04, static_cast<DWORD>(mui.size())},
        {"version", 0x08, 0x10000},
        {"file type: language-neutral main", 0x10, 0x11},
        {"fallback location: external", 0x18, 2},
        {"language offset (an LN file names only its fallback)", 0x74, 0},
        {"language size", 0x78, 0},
        {"fallback language size", 0x80, 12},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.valor, DwordEn(mui, row.desplazamiento)) << row.campo;
    EXPECT_EQ(mui.substr(0x1C, 16), mui.substr(0x2C, 16));  // service checksum and checksum
    EXPECT_NE(std::string(16, '\0'), mui.substr(0x2C, 16));

    const DWORD desplazamiento = DwordEn(mui, 0x7C);
    ASSERT_GE(desplazamiento, 132u);
    ASSERT_LE(desplazamiento + 12, mui.size());
    EXPECT_EQ(std::wstring(L"en-US"), std::wstring(reinterpret_cast<const wchar_t*>(mui.data() + desplazamiento)));
}

TEST(ModuleResources, HoldsNoUserInterfaceResources)
{
    std::vector<CString> tipos;
    ASSERT_TRUE(::EnumResourceTypesW(Ortus(), AnotaTipo, reinterpret_cast<LONG_PTR>(&tipos)));
    std::sort(tipos.begin(), tipos.end());
    EXPECT_EQ((std::vector<CString>{L"#16", L"#24", L"MUI"}), tipos);  // version, manifest, MUI
}

TEST(ModuleExports, ExportsOnlyTheCatalogueClasses)
{
    // The members themselves are there, or the tests would not link.
    const std::vector<std::string> nombres = Exportados(Ortus());
    EXPECT_FALSE(nombres.empty());
    static const char* const clases[] = {"13CDireccionURL", "15CDataConectaURL"};
    for (const std::string& nombre : nombres) {
        const bool deUnaClase = std::any_of(std::begin(clases), std::end(clases), [&](const char* clase) {
            return nombre.rfind(std::string("_ZN") + clase, 0) == 0 || nombre.rfind(std::string("_ZNK") + clase, 0) == 0;
        });
        EXPECT_TRUE(deUnaClase) << nombre;
    }
}
