// Tests of catalogue storage: the entry line splitter, a private INI file and the profile in both modes.
#include <afxwin.h>

#include "../storage/SeparaCampos.h"
#include "TestSupport.h"

#include <Win32/Manejadores.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// The application whose profile the storage operations use: they run in this module's state.
CWinApp theApp;

LPCWSTR const kSeccion = L"Catalogo";
LPCWSTR const kPrefijo = L"Pre";

// Named after this process, so that parallel test processes never meet.
std::wstring DeEsteProceso(LPCWSTR nombre) { return nombre + std::to_wstring(::GetCurrentProcessId()); }

CDataConectaURL CatalogoDeEntradas(std::initializer_list<CDireccionURL> entradas)
{
    CDataConectaURL catalogo;
    catalogo.m_direcciones = entradas;
    return catalogo;
}

enum class TipoAlmacen { ArchivoPrivado, PerfilRegistro, PerfilIni };
const char* const kNombresDeAlmacen[] = {"PrivateFile", "ProfileRegistry", "ProfileIni"};

// One store, empty for a test and removed after it. Profile keys carry kPrefijo, private-file keys
// none; the raw access (EscribeValor, Claves, LeeIni) bypasses the code under test.
class Almacen {
public:
    explicit Almacen(TipoAlmacen tipo) : m_tipo(tipo)
    {
        AfxWinInit(::GetModuleHandleW(nullptr), nullptr, ::GetCommandLineW(), 0);
        ::DeleteFileW(m_archivo);
        if (tipo == TipoAlmacen::PerfilRegistro)
            theApp.SetRegistryKey(m_empresa.c_str());
        if (tipo == TipoAlmacen::PerfilIni) {
            free(const_cast<LPWSTR>(theApp.m_pszRegistryKey));
            theApp.m_pszRegistryKey = nullptr;
            free(const_cast<LPWSTR>(theApp.m_pszProfileName));
            theApp.m_pszProfileName = _wcsdup(m_archivo);
        }
    }
    ~Almacen()
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\" + m_empresa).c_str());
        ::DeleteFileW(m_archivo);
    }

    bool EsPerfil() const { return m_tipo != TipoAlmacen::ArchivoPrivado; }

    void Escribe(const CDataConectaURL& catalogo) const
    {
        if (EsPerfil())
            catalogo.WriteProfile(kSeccion, kPrefijo);
        else
            catalogo.WritePrivateProfile(m_archivo, kSeccion);
    }
    void Lee(CDataConectaURL& catalogo) const
    {
        if (EsPerfil())
            catalogo.GetProfile(kSeccion, kPrefijo);
        else
            catalogo.GetPrivateProfile(m_archivo, kSeccion);
    }
    CDataConectaURL IdaYVuelta(const CDataConectaURL& catalogo) const
    {
        Escribe(catalogo);
        CDataConectaURL leido;
        Lee(leido);
        return leido;
    }

    void EscribeValorSinPrefijo(const CString& clave, LPCWSTR valor) const
    {
        const DWORD bytes = static_cast<DWORD>((wcslen(valor) + 1) * sizeof(WCHAR));
        if (m_tipo == TipoAlmacen::PerfilRegistro)
            EXPECT_EQ(ERROR_SUCCESS, ::RegSetValueExW(Win32::ClaveDeRegistro(theApp.GetSectionKey(kSeccion)).Get(), clave, 0,
                                                      REG_SZ, reinterpret_cast<const BYTE*>(valor), bytes));
        else
            EXPECT_TRUE(::WritePrivateProfileStringW(kSeccion, clave, valor, m_archivo));
    }
    void EscribeValor(LPCWSTR clave, LPCWSTR valor) const
    {
        EscribeValorSinPrefijo((EsPerfil() ? kPrefijo : L"") + CString(clave), valor);
    }
    // The section's key names, sorted.
    std::vector<CString> Claves() const
    {
        return m_tipo == TipoAlmacen::PerfilRegistro ? ClavesDeRegistro() : LeeIni(nullptr);
    }
    // A whole value of the file, however long, or with a null key the names of the section's keys.
    std::vector<CString> LeeIni(LPCWSTR clave) const
    {
        std::vector<WCHAR> buffer(65536);
        ::GetPrivateProfileStringW(kSeccion, clave, L"", buffer.data(), static_cast<DWORD>(buffer.size()), m_archivo);
        std::vector<CString> lista;
        for (const WCHAR* p = buffer.data(); *p != L'\0'; p += wcslen(p) + 1)
            lista.push_back(p);
        std::sort(lista.begin(), lista.end());
        return lista;
    }

private:
    std::vector<CString> ClavesDeRegistro() const
    {
        const Win32::ClaveDeRegistro seccion(theApp.GetSectionKey(kSeccion));
        std::vector<CString> claves;
        WCHAR nombre[16384];
        DWORD longitud = ARRAYSIZE(nombre);
        for (DWORD i = 0; ::RegEnumValueW(seccion.Get(), i, nombre, &longitud, nullptr, nullptr, nullptr, nullptr) ==
                          ERROR_SUCCESS;
             ++i, longitud = ARRAYSIZE(nombre))
            claves.push_back(nombre);
        std::sort(claves.begin(), claves.end());
        return claves;
    }

    const TipoAlmacen m_tipo;
    const std::wstring m_empresa = DeEsteProceso(L"OrtusStorageTest-");
    const CString m_archivo =
        (std::filesystem::temp_directory_path() / (DeEsteProceso(L"ortus-catalogo-") + L".ini")).c_str();
};

// The same tests on each store.
class StorageTest : public testing::TestWithParam<TipoAlmacen>, protected Almacen {
protected:
    StorageTest() : Almacen(GetParam()) {}
};

}  // namespace

TEST(StorageLineParser, SplitsNameAndAddress)
{
    static const std::tuple<LPCWSTR, int, LPCWSTR, LPCWSTR> rows[] = {
        {L"\"Cartografia IGN\",x ", 2, L"Cartografia IGN", L"x"},
        {L"\"a b, c\" , x y", 2, L"a b, c", L"x"},
        {L"\"a\",b,c", 2, L"a", L"b"},
        {L"abc", 1, L"abc", L""},
        {L"\"abc, def", 1, L"abc, def", L""},
        {L"   ", 0, L"", L""},
        {L",,x", 2, L"", L"x"},
        {L"ab\"cd\"", 2, L"ab", L"cd"},
        {L"\"My \"best\" server\",x", 2, L"My ", L"best"},
        {L"\ufeff\"n\",u", 2, L"n", L"u"},
        {L"", 0, L"sin tocar", L"sin tocar"},              // an empty line leaves the fields alone
        // Beyond the documented table.
        {L"\t\r\n\"n\"\t,\r\nu\r\n", 2, L"n", L"u"},       // line breaks and tabs are blanks
        {L"\"n\"\"u\"", 2, L"n", L"u"},                    // a doubled mark closes and reopens
        {L"a\ufeffb", 2, L"a", L"b"},                      // a mark inside text separates
        {L"\"a\ufeffb\",u", 2, L"a\ufeffb", L"u"},         // but not inside quotes
    };
    for (const auto& [linea, cuenta, nombre, url] : rows) {
        SCOPED_TRACE(testing::Message() << "line <" << linea << ">");
        CString campos[2] = {L"sin tocar", L"sin tocar"};
        EXPECT_EQ(cuenta, SeparaCampos(linea, campos));
        EXPECT_EQ(nombre, campos[0]);
        EXPECT_EQ(url, campos[1]);
    }
}

TEST_P(StorageTest, RoundTripsTheCatalogueAndTheChoice)
{
    std::vector<CDataConectaURL> escritos = {CatalogoCompleto(), CDataConectaURL()};
    escritos[1].m_seleccionCapa = L"capa";  // no entries, a choice all the same
    for (const int valor : {-1, 0, 1, 7, INT_MIN, INT_MAX}) {
        escritos.push_back(CatalogoCompleto());
        escritos.back().m_seleccionURL = valor;
        escritos.back().m_cargar = valor;
    }
    for (const CDataConectaURL& escrito : escritos) {
        SCOPED_TRACE(testing::Message() << escrito.Cantidad() << " entries, integers " << escrito.m_cargar);
        const CDataConectaURL leido = IdaYVuelta(escrito);
        EXPECT_EQ(Nombres(escrito), Nombres(leido));
        EXPECT_EQ(Urls(escrito), Urls(leido));
        ExpectSameChoice(escrito, leido);
    }
}

TEST_P(StorageTest, KeepsOrChangesNamesAndAddressesAsTheLineFormatAllows)
{
    // Each row: the case, the name and address written, and what comes back.
    static const std::tuple<const char*, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR> rows[] = {
        {"name with a comma", L"a, b", L"http://x", L"a, b", L"http://x"},
        {"address ending in a blank", L"n", L"http://x/mapa-raster ", L"n", L"http://x/mapa-raster"},
        {"address with a comma", L"n", L"http://x/?bbox=1,2", L"n", L"http://x/?bbox=1"},
        {"name with a quotation mark", L"My \"best\" server", L"http://x", L"My ", L"best"},
        {"empty name", L"", L"http://x", L"", L"http://x"},
    };
    for (const auto& [caso, nombre, url, nombreLeido, urlLeida] : rows) {
        SCOPED_TRACE(caso);
        const CDataConectaURL leido = IdaYVuelta(CatalogoDeEntradas({Entrada(nombre, url)}));
        EXPECT_EQ(std::vector<CString>{nombreLeido}, Nombres(leido));
        EXPECT_EQ(std::vector<CString>{urlLeida}, Urls(leido));
    }
}

TEST_P(StorageTest, WritingReplacesTheWholeSectionAndOnlyIt)
{
    if (EsPerfil())
        CatalogoCompleto().WriteProfile(L"Otra", kPrefijo);  // another section of the same profile
    EscribeValorSinPrefijo(L"OtroProgramaClave", L"valor");
    EscribeValorSinPrefijo(L"OtroURL1", L"\"x\",y");
    CDataConectaURL largo = CatalogoDeEntradas({Entrada(L"1", L"u1"), Entrada(L"2", L"u2"), Entrada(L"3", L"u3"),
                                                Entrada(L"4", L"u4"), Entrada(L"5", L"u5")});
    Escribe(largo);
    largo.m_direcciones.resize(3);
    Escribe(largo);

    std::vector<CString> esperadas;
    for (LPCWSTR clave : {L"ArchivoSalida", L"Cargar", L"SeleccionCapa", L"SeleccionSR", L"SeleccionURL", L"URL1",
                          L"URL2", L"URL3"})
        esperadas.push_back((EsPerfil() ? kPrefijo : L"") + CString(clave));
    std::sort(esperadas.begin(), esperadas.end());
    EXPECT_EQ(esperadas, Claves());
    CDataConectaURL leido;
    Lee(leido);
    EXPECT_EQ((std::vector<CString>{L"1", L"2", L"3"}), Nombres(leido));
    if (EsPerfil()) {
        CDataConectaURL otra;
        otra.GetProfile(L"Otra", kPrefijo);
        EXPECT_EQ(3u, otra.Cantidad());
    }
}

TEST_P(StorageTest, StopsAtTheFirstMissingOrEmptyLine)
{
    // Each row: the case, the entry keys stored (0 stores an empty URL2), and the names read.
    const std::tuple<const char*, std::vector<int>, std::vector<CString>> rows[] = {
        {"1, 2, 4", {1, 2, 4}, {L"n1", L"n2"}},
        {"1, empty 2, 3", {1, 0, 3}, {L"n1"}},
        {"1 to 12", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
         {L"n1", L"n2", L"n3", L"n4", L"n5", L"n6", L"n7", L"n8", L"n9", L"n10", L"n11", L"n12"}},
    };
    for (const auto& [caso, numeros, nombres] : rows) {
        SCOPED_TRACE(caso);
        Escribe(CDataConectaURL());
        for (const int n : numeros) {
            CString clave, linea;
            clave.Format(L"URL%d", n == 0 ? 2 : n);
            linea.Format(L"\"n%d\",u%d", n, n);
            EscribeValor(clave, n == 0 ? L"" : linea.GetString());
        }
        CDataConectaURL leido;
        Lee(leido);
        EXPECT_EQ(nombres, Nombres(leido));
    }
}

TEST_P(StorageTest, ReadingAppendsThroughInsertaBehindTheEntriesThere)
{
    Escribe(CatalogoCompleto());  // PNOA, Cartografia IGN, \u00d1and\u00fa
    EscribeValor(L"URL4", L"\"a\",ua");
    EscribeValor(L"URL5", L"\"a\",ub");  // name repeated
    EscribeValor(L"URL6", L"\"b\",ua");  // address repeated
    CDataConectaURL leido;
    leido.CargaURLPorDefecto();  // PNOA and Cartografia IGN taken already
    Lee(leido);
    leido.m_seleccionCapa = L"cambiada";
    Lee(leido);  // the entries once, the single values again
    EXPECT_EQ((std::vector<CString>{L"PNOA", L"NOAA", L"Catastro", L"Cartografia IGN", L"MDT IGN", L"\u00d1and\u00fa",
                                    L"a"}),
              Nombres(leido));
    EXPECT_EQ(L"ua", leido[6].m_url);
    ExpectSameChoice(CatalogoCompleto(), leido);
}

// Nothing stored leaves every member as it was; an empty stored string empties a member only in the profile.
TEST_P(StorageTest, LeavesWhatIsNotStoredAndEmptiesOnlyInTheProfile)
{
    for (CDataConectaURL leido : {CatalogoCompleto(), CDataConectaURL()}) {
        const CDataConectaURL antes = leido;
        Lee(leido);
        EXPECT_EQ(Nombres(antes), Nombres(leido));
        ExpectSameChoice(antes, leido);
    }
    Escribe(CatalogoCompleto());
    EscribeValor(L"ArchivoSalida", L"");
    CDataConectaURL leido;
    leido.m_archivoSalida = L"C:\\antes.tif";
    Lee(leido);
    EXPECT_EQ(EsPerfil() ? CString() : CString(L"C:\\antes.tif"), leido.m_archivoSalida);
}

// A file gives back at most 255 characters of a value (a 256 buffer), the profile all of it; an entry line
// cut there loses the address, or the name's closing mark and the address.
TEST_P(StorageTest, ReadsLongValuesAndEntryLinesUpToTheStoresBound)
{
    for (const int longitud : {254, 255, 256, 300, 1000, 5000}) {
        SCOPED_TRACE(testing::Message() << longitud << " characters");
        CDataConectaURL escrito;
        escrito.m_archivoSalida = CString(L'a', longitud - 1) + L"z";
        const CDataConectaURL leido = IdaYVuelta(escrito);
        EXPECT_EQ(escrito.m_archivoSalida.Left(EsPerfil() ? longitud : std::min(longitud, 255)), leido.m_archivoSalida);
    }
    // Each row: the name and address written, and what a file gives back.
    const CString largo(L'n', 260);
    const CString de255 = L"http://" + CString(L'u', 255 - 4 - 7);  // with "n",
    const std::tuple<CString, CString, CString, CString> rows[] = {
        {largo, L"http://u", largo.Left(254), L""},
        {L"n", de255, L"n", de255},
    };
    for (const auto& [nombre, url, nombreCortado, urlCortada] : rows) {
        SCOPED_TRACE(testing::Message() << nombre.GetLength() + url.GetLength() + 3 << "-character line");
        const CDataConectaURL leido = IdaYVuelta(CatalogoDeEntradas({Entrada(nombre, url)}));
        EXPECT_EQ(std::vector<CString>{EsPerfil() ? nombre : nombreCortado}, Nombres(leido));
        EXPECT_EQ(std::vector<CString>{EsPerfil() ? url : urlCortada}, Urls(leido));
    }
}

INSTANTIATE_TEST_SUITE_P(Stores, StorageTest,
                         testing::Values(TipoAlmacen::ArchivoPrivado, TipoAlmacen::PerfilRegistro,
                                         TipoAlmacen::PerfilIni),
                         [](const auto& info) { return kNombresDeAlmacen[static_cast<int>(info.param)]; });

TEST(StoragePrivateFile, WritesValuesWholeAndIntegersAsSignedDecimalText)
{
    const Almacen almacen(TipoAlmacen::ArchivoPrivado);
    CDataConectaURL escrito = CatalogoDeEntradas({Entrada(CString(L'n', 300), L"http://" + CString(L'u', 400))});
    escrito.m_archivoSalida = CString(L'a', 299) + L"z";
    escrito.m_cargar = 2;
    almacen.Escribe(escrito);
    EXPECT_EQ(std::vector<CString>{escrito.m_archivoSalida}, almacen.LeeIni(L"ArchivoSalida"));
    EXPECT_EQ(std::vector<CString>{L"\"" + escrito[0].m_nombre + L"\"," + escrito[0].m_url}, almacen.LeeIni(L"URL1"));
    EXPECT_EQ(std::vector<CString>{L"-1"}, almacen.LeeIni(L"SeleccionURL"));
    EXPECT_EQ(std::vector<CString>{L"2"}, almacen.LeeIni(L"Cargar"));
}

TEST(StoragePrivateFile, ReadsIntegersAsWtoiDoes)
{
    static const std::pair<LPCWSTR, int> rows[] = {
        {L"12", 12}, {L"-3", -3}, {L"+4", 4}, {L"7abc", 7}, {L"abc", 0}, {L"-", 0}, {L"0x10", 0},
    };
    const Almacen almacen(TipoAlmacen::ArchivoPrivado);
    for (const auto& [texto, valor] : rows) {
        SCOPED_TRACE(testing::Message() << "stored <" << texto << ">");
        almacen.EscribeValor(L"SeleccionURL", texto);
        almacen.EscribeValor(L"Cargar", texto);
        CDataConectaURL leido;
        almacen.Lee(leido);
        EXPECT_EQ(valor, leido.m_seleccionURL);
        EXPECT_EQ(valor, leido.m_cargar);
    }
}

TEST(StorageProfile, ReadsOnlyKeysWithTheWholePrefix)
{
    const Almacen almacen(TipoAlmacen::PerfilRegistro);
    CatalogoCompleto().WriteProfile(kSeccion, L"Mio");
    static const std::pair<LPCWSTR, unsigned int> rows[] = {{L"Mio", 3}, {L"", 0}, {L"Mi", 0}, {L"MioX", 0}};
    for (const auto& [prefijo, entradas] : rows) {
        SCOPED_TRACE(testing::Message() << "read with prefix <" << prefijo << ">");
        CDataConectaURL leido;
        leido.GetProfile(kSeccion, prefijo);
        EXPECT_EQ(entradas, leido.Cantidad());
        EXPECT_EQ(entradas == 0 ? -1 : 2, leido.m_seleccionURL);
    }
}

TEST(StorageProfile, ABlankRegistryLineAddsAnEmptyEntryAndTheListGoesOn)
{
    // The registry keeps the blanks, so the line is not empty; Inserta decides on the empty entry.
    const Almacen almacen(TipoAlmacen::PerfilRegistro);
    almacen.EscribeValor(L"URL1", L"   ");
    almacen.EscribeValor(L"URL2", L"\"s\",us");
    CDataConectaURL leido;
    almacen.Lee(leido);
    EXPECT_EQ((std::vector<CString>{L"", L"s"}), Nombres(leido));
    EXPECT_EQ((std::vector<CString>{L"", L"us"}), Urls(leido));
}

TEST(StorageProfile, DoesNothingWithoutAnApplicationObject)
{
    const Almacen almacen(TipoAlmacen::PerfilRegistro);
    almacen.Escribe(CatalogoCompleto());
    AFX_MODULE_STATE sinAplicacion(FALSE);
    {
        AFX_MANAGE_STATE(&sinAplicacion);
        ASSERT_EQ(nullptr, AfxGetApp());
        CDataConectaURL leido;
        almacen.Lee(leido);
        EXPECT_EQ(0u, leido.Cantidad());
        ExpectSameChoice(CDataConectaURL(), leido);
        almacen.Escribe(CDataConectaURL());
    }
    CDataConectaURL leido;
    almacen.Lee(leido);
    EXPECT_EQ(3u, leido.Cantidad());
}
