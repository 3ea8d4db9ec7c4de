// Tests of catalogue storage: the entry line splitter, and the catalogue written to and read from a
// private INI file and the application profile (registry and INI modes) of this test's application.
#include <afxwin.h>

#include <DataConectaURL.h>

#include "../storage/SeparaCampos.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

void PrintTo(const CString& texto, std::ostream* os) { *os << ::testing::PrintToString(std::wstring(texto.GetString())); }

namespace {

// The application whose profile the storage operations use: they run in this module's state.
class CStorageTestApp : public CWinApp {
public:
    void UsaRegistro(LPCWSTR clave) { SetRegistryKey(clave); }

    void UsaArchivoIni(const CString& ruta)
    {
        free(const_cast<LPWSTR>(m_pszRegistryKey));
        m_pszRegistryKey = nullptr;
        free(const_cast<LPWSTR>(m_pszProfileName));
        m_pszProfileName = _wcsdup(ruta);
    }
};

CStorageTestApp theApp;

LPCWSTR const kSeccion = L"Catalogo";
LPCWSTR const kPrefijo = L"Pre";

// Owns an open registry key.
class ClaveRegistro {
public:
    explicit ClaveRegistro(HKEY h = nullptr) : m_h(h) {}
    ClaveRegistro(ClaveRegistro&& otra) noexcept : m_h(otra.m_h) { otra.m_h = nullptr; }
    ~ClaveRegistro()
    {
        if (m_h != nullptr)
            ::RegCloseKey(m_h);
    }
    HKEY get() const { return m_h; }

private:
    HKEY m_h;
};

ClaveRegistro CreaClave(const CString& ruta)
{
    HKEY h = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, ruta, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &h, nullptr) !=
        ERROR_SUCCESS)
        ADD_FAILURE() << "cannot create HKCU\\" << ruta.GetString();
    return ClaveRegistro(h);
}

void EscribeEnRegistro(const CString& seccion, const CString& clave, LPCWSTR valor)
{
    const ClaveRegistro h = CreaClave(seccion);
    const DWORD bytes = static_cast<DWORD>((wcslen(valor) + 1) * sizeof(WCHAR));
    EXPECT_EQ(ERROR_SUCCESS, ::RegSetValueExW(h.get(), clave, 0, REG_SZ, reinterpret_cast<const BYTE*>(valor), bytes));
}

std::vector<CString> ClavesDeRegistro(const CString& seccion)
{
    std::vector<CString> claves;
    HKEY h = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, seccion, 0, KEY_READ, &h) != ERROR_SUCCESS)
        return claves;
    const ClaveRegistro abierta(h);
    WCHAR nombre[16384];
    DWORD longitud = ARRAYSIZE(nombre);
    for (DWORD i = 0; ::RegEnumValueW(abierta.get(), i, nombre, &longitud, nullptr, nullptr, nullptr, nullptr) ==
                      ERROR_SUCCESS;
         ++i, longitud = ARRAYSIZE(nombre))
        claves.push_back(nombre);
    std::sort(claves.begin(), claves.end());
    return claves;
}

// A whole value of an INI file, or with a null key the names of the section's keys, however long.
std::vector<CString> LeeIni(const CString& archivo, LPCWSTR clave)
{
    std::vector<WCHAR> buffer(65536);
    ::GetPrivateProfileStringW(kSeccion, clave, L"", buffer.data(), static_cast<DWORD>(buffer.size()), archivo);
    std::vector<CString> lista;
    for (const WCHAR* p = buffer.data(); *p != L'\0'; p += wcslen(p) + 1)
        lista.push_back(p);
    std::sort(lista.begin(), lista.end());
    return lista;
}

CString ValorIni(const CString& archivo, LPCWSTR clave)
{
    const std::vector<CString> valor = LeeIni(archivo, clave);
    return valor.empty() ? CString() : valor[0];
}

// A directory under %TEMP% for one test, removed with everything in it.
class DirectorioTemporal {
public:
    DirectorioTemporal()
    {
        // A unique name from the system, turned from a file into a directory.
        WCHAR temp[MAX_PATH], unico[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        ::GetTempFileNameW(temp, L"ort", 0, unico);
        ::DeleteFileW(unico);
        m_ruta = unico;
        std::filesystem::create_directories(std::wstring(m_ruta.GetString()));
    }
    ~DirectorioTemporal()
    {
        std::error_code ignorado;
        std::filesystem::remove_all(std::wstring(m_ruta.GetString()), ignorado);
    }
    DirectorioTemporal(const DirectorioTemporal&) = delete;
    DirectorioTemporal& operator=(const DirectorioTemporal&) = delete;

    CString Archivo(LPCWSTR nombre) const { return m_ruta + L"\\" + nombre; }

private:
    CString m_ruta;
};

enum class TipoAlmacen { ArchivoPrivado, PerfilRegistro, PerfilIni };

std::string NombreDe(TipoAlmacen tipo)
{
    switch (tipo) {
    case TipoAlmacen::ArchivoPrivado:
        return "PrivateFile";
    case TipoAlmacen::PerfilRegistro:
        return "ProfileRegistry";
    case TipoAlmacen::PerfilIni:
        return "ProfileIni";
    }
    return "?";
}

void PrintTo(TipoAlmacen tipo, std::ostream* os) { *os << NombreDe(tipo); }

CDireccionURL Entrada(LPCWSTR nombre, LPCWSTR url)
{
    CDireccionURL entrada;
    entrada.m_nombre = nombre;
    entrada.m_url = url;
    return entrada;
}

CDataConectaURL CatalogoDeEntradas(std::initializer_list<CDireccionURL> entradas)
{
    CDataConectaURL catalogo;
    catalogo.m_direcciones = entradas;
    return catalogo;
}

CDataConectaURL CatalogoCompleto()
{
    CDataConectaURL catalogo = CatalogoDeEntradas(
        {Entrada(L"PNOA", L"http://a/wms"), Entrada(L"Cartografia IGN", L"http://b/wms?x=1&y=2"),
         Entrada(L"\u00d1and\u00fa", L"http://c/\u00e1")});
    catalogo.m_seleccionURL = 2;
    catalogo.m_seleccionCapa = L"OI.OrthoimageCoverage";
    catalogo.m_seleccionSR = L"EPSG:25830";
    catalogo.m_archivoSalida = L"C:\\salida\\mapa final.tif";
    catalogo.m_cargar = 2;
    return catalogo;
}

std::vector<CString> NombresDe(const CDataConectaURL& catalogo)
{
    std::vector<CString> nombres;
    for (const CDireccionURL& entrada : catalogo.m_direcciones)
        nombres.push_back(entrada.m_nombre);
    return nombres;
}

std::vector<CString> UrlsDe(const CDataConectaURL& catalogo)
{
    std::vector<CString> urls;
    for (const CDireccionURL& entrada : catalogo.m_direcciones)
        urls.push_back(entrada.m_url);
    return urls;
}

void ExpectSameChoice(const CDataConectaURL& esperado, const CDataConectaURL& leido)
{
    EXPECT_EQ(esperado.m_seleccionURL, leido.m_seleccionURL);
    EXPECT_EQ(esperado.m_seleccionCapa, leido.m_seleccionCapa);
    EXPECT_EQ(esperado.m_seleccionSR, leido.m_seleccionSR);
    EXPECT_EQ(esperado.m_archivoSalida, leido.m_archivoSalida);
    EXPECT_EQ(esperado.m_cargar, leido.m_cargar);
}

CString Repite(WCHAR c, int veces) { return CString(c, veces); }

// The profile's registry key of this process, so parallel test processes never meet.
CString ClaveDeEmpresa()
{
    CString clave;
    clave.Format(L"OrtusStorageTest-%lu", ::GetCurrentProcessId());
    return clave;
}

// The same tests on each store. Raw access (EscribeValor, Claves) bypasses the code under test;
// profile keys carry the prefix, private-file keys none.
class StorageTest : public testing::TestWithParam<TipoAlmacen> {
protected:
    static void SetUpTestSuite() { AfxWinInit(::GetModuleHandleW(nullptr), nullptr, ::GetCommandLineW(), 0); }

    void SetUp() override
    {
        m_archivo = m_directorio.Archivo(L"catalogo.ini");
        if (GetParam() == TipoAlmacen::PerfilIni)
            theApp.UsaArchivoIni(m_archivo);
        if (GetParam() == TipoAlmacen::PerfilRegistro) {
            theApp.UsaRegistro(ClaveDeEmpresa());
            m_seccionRegistro = L"Software\\" + ClaveDeEmpresa() + L"\\" + theApp.m_pszProfileName + L"\\" + kSeccion;
        }
    }
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\" + ClaveDeEmpresa()); }

    bool EsPerfil() const { return GetParam() != TipoAlmacen::ArchivoPrivado; }
    CString Prefijo() const { return EsPerfil() ? kPrefijo : L""; }
    // Longest value read back whole; 0 for no bound.
    int LongitudLeible() const { return EsPerfil() ? 0 : 255; }

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
        if (GetParam() == TipoAlmacen::PerfilRegistro)
            EscribeEnRegistro(m_seccionRegistro, clave, valor);
        else
            EXPECT_TRUE(::WritePrivateProfileStringW(kSeccion, clave, valor, m_archivo));
    }
    void EscribeValor(LPCWSTR clave, LPCWSTR valor) const { EscribeValorSinPrefijo(Prefijo() + clave, valor); }
    std::vector<CString> Claves() const
    {
        return GetParam() == TipoAlmacen::PerfilRegistro ? ClavesDeRegistro(m_seccionRegistro)
                                                          : LeeIni(m_archivo, nullptr);
    }

    DirectorioTemporal m_directorio;
    CString m_archivo;  // the private file, or the profile's in INI mode
    CString m_seccionRegistro;
};

}  // namespace

TEST(StorageLineParser, SplitsNameAndAddress)
{
    struct Row {
        LPCWSTR linea;
        int cuenta;
        LPCWSTR nombre, url;
    };
    static const Row rows[] = {
        {L"\"PNOA\",wms", 2, L"PNOA", L"wms"},
        {L"\"Cartografia IGN\",x ", 2, L"Cartografia IGN", L"x"},
        {L"\"a b, c\" , x y", 2, L"a b, c", L"x"},
        {L"\"a\",b,c", 2, L"a", L"b"},
        {L"abc", 1, L"abc", L""},
        {L"\"abc, def", 1, L"abc, def", L""},
        {L"\"n\",", 1, L"n", L""},
        {L"\"\"", 1, L"", L""},
        {L"\"\", x", 2, L"", L"x"},
        {L"   ", 0, L"", L""},
        {L",x", 1, L"x", L""},
        {L",,x", 2, L"", L"x"},
        {L"\"a\",,b", 2, L"a", L""},
        {L"a, ,b", 2, L"a", L""},
        {L"a ,b", 2, L"a", L"b"},
        {L"ab\"cd\"", 2, L"ab", L"cd"},
        {L"\"a\"b,c", 2, L"a", L"b"},
        {L"\"My \"best\" server\",x", 2, L"My ", L"best"},
        {L",\"b\"", 1, L"b", L""},
        {L"\ufeff\"n\",u", 2, L"n", L"u"},
        // Beyond the documented table.
        {L"\"abc, def  ", 1, L"abc, def  ", L""},          // unclosed quote keeps trailing blanks
        {L"\t\r\n\"n\"\t,\r\nu\r\n", 2, L"n", L"u"},       // line breaks and tabs are blanks
        {L"\"n\"\"u\"", 2, L"n", L"u"},                    // a doubled mark closes and reopens
        {L"\"\u00d1and\u00fa\",http://x/\u00e1", 2, L"\u00d1and\u00fa", L"http://x/\u00e1"},
        {L"a\ufeffb", 2, L"a", L"b"},                      // a mark inside text separates
        {L"\"a\ufeffb\",u", 2, L"a\ufeffb", L"u"},         // but not inside quotes
        {L",", 0, L"", L""},
        {L",,", 1, L"", L""},
        {L" , , ", 1, L"", L""},
        {L"\"", 1, L"", L""},                              // a lone mark opens an empty field
        {L"\"a\" \"b\"", 2, L"a", L"b"},
        {L"a\"", 2, L"a", L""},                            // an unclosed empty quote is still a field
        {L"x;y=1,2", 2, L"x;y=1", L"2"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "line <" << row.linea << ">");
        CString campos[2] = {L"sin tocar", L"sin tocar"};
        EXPECT_EQ(row.cuenta, SeparaCampos(row.linea, campos));
        EXPECT_EQ(CString(row.nombre), campos[0]);
        EXPECT_EQ(CString(row.url), campos[1]);
    }
}

TEST(StorageLineParser, LeavesTheFieldsAloneOnAnEmptyLine)
{
    CString campos[2] = {L"nombre", L"url"};
    EXPECT_EQ(0, SeparaCampos(L"", campos));
    EXPECT_EQ(CString(L"nombre"), campos[0]);
    EXPECT_EQ(CString(L"url"), campos[1]);
}

TEST_P(StorageTest, RoundTripsTheCatalogueAndTheChoice)
{
    const CDataConectaURL escrito = CatalogoCompleto();
    const CDataConectaURL leido = IdaYVuelta(escrito);
    EXPECT_EQ(NombresDe(escrito), NombresDe(leido));
    EXPECT_EQ(UrlsDe(escrito), UrlsDe(leido));
    ExpectSameChoice(escrito, leido);
}

TEST_P(StorageTest, RoundTripsAnEmptyCatalogue)
{
    CDataConectaURL escrito;
    escrito.m_seleccionCapa = L"capa";
    escrito.m_cargar = 0;
    const CDataConectaURL leido = IdaYVuelta(escrito);
    EXPECT_EQ(0u, leido.Cantidad());
    ExpectSameChoice(escrito, leido);
}

TEST_P(StorageTest, RoundTripsSignedIntegers)
{
    static const int valores[] = {-1, 0, 1, 7, -2147483647 - 1, 2147483647};
    for (const int valor : valores) {
        SCOPED_TRACE(testing::Message() << "value " << valor);
        CDataConectaURL escrito = CatalogoCompleto();
        escrito.m_seleccionURL = valor;
        escrito.m_cargar = valor;
        const CDataConectaURL leido = IdaYVuelta(escrito);
        EXPECT_EQ(valor, leido.m_seleccionURL);
        EXPECT_EQ(valor, leido.m_cargar);
    }
}

TEST_P(StorageTest, KeepsOrChangesNamesAndAddressesAsTheLineFormatAllows)
{
    struct Row {
        const char* caso;
        LPCWSTR nombre, url;
        LPCWSTR nombreLeido, urlLeida;
    };
    static const Row rows[] = {
        {"name with a blank", L"Cartografia IGN", L"http://x", L"Cartografia IGN", L"http://x"},
        {"name with a comma", L"a, b", L"http://x", L"a, b", L"http://x"},
        {"address ending in a blank", L"n", L"http://x/mapa-raster ", L"n", L"http://x/mapa-raster"},
        {"address with a blank inside", L"n", L"http://x/a b", L"n", L"http://x/a"},
        {"address with a comma", L"n", L"http://x/?bbox=1,2", L"n", L"http://x/?bbox=1"},
        {"name with a quotation mark", L"My \"best\" server", L"http://x", L"My ", L"best"},
        {"empty name", L"", L"http://x", L"", L"http://x"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.caso);
        const CDataConectaURL leido = IdaYVuelta(CatalogoDeEntradas({Entrada(row.nombre, row.url)}));
        ASSERT_EQ(1u, leido.Cantidad());
        EXPECT_EQ(CString(row.nombreLeido), leido[0].m_nombre);
        EXPECT_EQ(CString(row.urlLeida), leido[0].m_url);
    }
}

TEST_P(StorageTest, WritingReplacesTheWholeSection)
{
    const CString p = Prefijo();
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
        esperadas.push_back(p + clave);
    std::sort(esperadas.begin(), esperadas.end());
    EXPECT_EQ(esperadas, Claves());

    CDataConectaURL leido;
    Lee(leido);
    EXPECT_EQ((std::vector<CString>{L"1", L"2", L"3"}), NombresDe(leido));
}

TEST_P(StorageTest, StopsAtTheFirstMissingOrEmptyLine)
{
    struct Row {
        const char* caso;
        std::vector<int> numeros;  // stored entry keys; 0 stores an empty URL2
        std::vector<CString> nombres;
    };
    const Row rows[] = {
        {"1, 2, 4", {1, 2, 4}, {L"n1", L"n2"}},
        {"2, 3 only", {2, 3}, {}},
        {"1, empty 2, 3", {1, 0, 3}, {L"n1"}},
        {"1 to 12", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
         {L"n1", L"n2", L"n3", L"n4", L"n5", L"n6", L"n7", L"n8", L"n9", L"n10", L"n11", L"n12"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.caso);
        Escribe(CDataConectaURL());
        for (const int n : row.numeros) {
            CString clave, linea;
            clave.Format(L"URL%d", n == 0 ? 2 : n);
            linea.Format(L"\"n%d\",u%d", n, n);
            EscribeValor(clave, n == 0 ? L"" : linea.GetString());
        }
        CDataConectaURL leido;
        Lee(leido);
        EXPECT_EQ(row.nombres, NombresDe(leido));
    }
}

TEST_P(StorageTest, SkipsStoredLinesThatInsertaRefuses)
{
    Escribe(CDataConectaURL());
    EscribeValor(L"URL1", L"\"a\",ua");
    EscribeValor(L"URL2", L"\"a\",ub");   // name repeated
    EscribeValor(L"URL3", L"\"b\",ua");   // address repeated
    EscribeValor(L"URL4", L"\"A\",uA");   // differs in case only: kept
    EscribeValor(L"URL5", L"\"c\",uc");
    CDataConectaURL leido;
    Lee(leido);
    EXPECT_EQ((std::vector<CString>{L"a", L"A", L"c"}), NombresDe(leido));
    EXPECT_EQ((std::vector<CString>{L"ua", L"uA", L"uc"}), UrlsDe(leido));
}

TEST_P(StorageTest, ReadingTwiceAddsEachEntryOnce)
{
    const CDataConectaURL escrito = CatalogoCompleto();
    Escribe(escrito);
    CDataConectaURL leido;
    Lee(leido);
    leido.m_seleccionCapa = L"cambiada";
    Lee(leido);
    EXPECT_EQ(NombresDe(escrito), NombresDe(leido));
    ExpectSameChoice(escrito, leido);  // the single values are read again
}

TEST_P(StorageTest, AppendsBehindEntriesAlreadyThere)
{
    CDataConectaURL escrito = CatalogoDeEntradas({Entrada(L"PNOA", L"http://otra"), Entrada(L"Mio", L"http://mio"),
                                                 Entrada(L"Otro", L"http://www.ign.es/wms-inspire/mdt")});
    Escribe(escrito);
    CDataConectaURL leido;
    leido.CargaURLPorDefecto();
    Lee(leido);
    ASSERT_EQ(6u, leido.Cantidad());
    EXPECT_EQ(CString(L"PNOA"), leido[0].m_nombre);
    EXPECT_EQ(CString(L"Mio"), leido[5].m_nombre);
}

TEST_P(StorageTest, RestoresTheSelectionEvenWhenOutOfRange)
{
    CDataConectaURL escrito = CatalogoDeEntradas({Entrada(L"a", L"ua")});
    escrito.m_seleccionURL = 5;
    const CDataConectaURL leido = IdaYVuelta(escrito);
    EXPECT_EQ(5, leido.m_seleccionURL);
    EXPECT_TRUE(leido.Seleccion().m_nombre.IsEmpty());
}

TEST_P(StorageTest, LeavesEverythingAsItWasWhenNothingIsStored)
{
    CDataConectaURL leido = CatalogoCompleto();
    Lee(leido);
    EXPECT_EQ(NombresDe(CatalogoCompleto()), NombresDe(leido));
    ExpectSameChoice(CatalogoCompleto(), leido);

    CDataConectaURL nuevo;
    Lee(nuevo);
    EXPECT_EQ(0u, nuevo.Cantidad());
    ExpectSameChoice(CDataConectaURL(), nuevo);
}

TEST_P(StorageTest, AnEmptyStoredStringEmptiesOnlyInTheProfile)
{
    Escribe(CatalogoCompleto());
    EscribeValor(L"ArchivoSalida", L"");
    CDataConectaURL leido;
    leido.m_archivoSalida = L"C:\\antes.tif";
    Lee(leido);
    EXPECT_EQ(EsPerfil() ? CString() : CString(L"C:\\antes.tif"), leido.m_archivoSalida);
}

TEST_P(StorageTest, ReadsLongValuesUpToTheStoresBound)
{
    struct Row {
        int longitud;
    };
    static const Row rows[] = {{254}, {255}, {256}, {300}, {1000}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.longitud << " characters");
        CDataConectaURL escrito;
        escrito.m_archivoSalida = Repite(L'a', row.longitud - 1) + L"z";
        const CDataConectaURL leido = IdaYVuelta(escrito);
        const int bound = LongitudLeible();
        const int esperada = bound == 0 ? row.longitud : std::min(row.longitud, bound);
        EXPECT_EQ(escrito.m_archivoSalida.Left(esperada), leido.m_archivoSalida);
    }
}

TEST_P(StorageTest, CutEntryLinesLoseTheirAddress)
{
    // "name",u with a 260-character name: cut to 255, the closing mark is gone.
    const CString nombre = Repite(L'n', 260);
    const CDataConectaURL leido = IdaYVuelta(CatalogoDeEntradas({Entrada(nombre, L"http://u")}));
    ASSERT_EQ(1u, leido.Cantidad());
    if (LongitudLeible() == 0) {
        EXPECT_EQ(nombre, leido[0].m_nombre);
        EXPECT_EQ(CString(L"http://u"), leido[0].m_url);
    } else {
        EXPECT_EQ(nombre.Left(254), leido[0].m_nombre);
        EXPECT_TRUE(leido[0].m_url.IsEmpty());
    }
}

TEST_P(StorageTest, ReadsAnEntryLineOfExactly255CharactersWhole)
{
    const CString url = L"http://" + Repite(L'u', 255 - 4 - 7);  // "n", and the scheme
    const CDataConectaURL leido = IdaYVuelta(CatalogoDeEntradas({Entrada(L"n", url)}));
    ASSERT_EQ(1u, leido.Cantidad());
    EXPECT_EQ(url, leido[0].m_url);
}

INSTANTIATE_TEST_SUITE_P(Stores, StorageTest,
                         testing::Values(TipoAlmacen::ArchivoPrivado, TipoAlmacen::PerfilRegistro,
                                         TipoAlmacen::PerfilIni),
                         [](const testing::TestParamInfo<TipoAlmacen>& info) { return NombreDe(info.param); });

// Private-file details the shared tests above do not see.
class StoragePrivateFileTest : public testing::Test {
protected:
    DirectorioTemporal m_directorio;
    CString m_archivo = m_directorio.Archivo(L"catalogo.ini");
};

TEST_F(StoragePrivateFileTest, WritesLongValuesWhole)
{
    CDataConectaURL escrito = CatalogoDeEntradas({Entrada(Repite(L'n', 300), L"http://" + Repite(L'u', 400))});
    escrito.m_archivoSalida = Repite(L'a', 299) + L"z";
    escrito.WritePrivateProfile(m_archivo, kSeccion);
    EXPECT_EQ(escrito.m_archivoSalida, ValorIni(m_archivo, L"ArchivoSalida"));
    EXPECT_EQ(L"\"" + escrito[0].m_nombre + L"\"," + escrito[0].m_url, ValorIni(m_archivo, L"URL1"));
}

TEST_F(StoragePrivateFileTest, StoresIntegersAsSignedDecimalText)
{
    CDataConectaURL escrito;
    escrito.m_cargar = 2;
    escrito.WritePrivateProfile(m_archivo, kSeccion);
    EXPECT_EQ(CString(L"-1"), ValorIni(m_archivo, L"SeleccionURL"));
    EXPECT_EQ(CString(L"2"), ValorIni(m_archivo, L"Cargar"));
}

TEST_F(StoragePrivateFileTest, ReadsIntegersAsWtoiDoes)
{
    struct Row {
        LPCWSTR texto;
        int valor;
    };
    static const Row rows[] = {
        {L"12", 12}, {L"-3", -3}, {L"+4", 4}, {L"7abc", 7}, {L"abc", 0}, {L"-", 0}, {L"0x10", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "stored <" << row.texto << ">");
        ::WritePrivateProfileStringW(kSeccion, L"SeleccionURL", row.texto, m_archivo);
        ::WritePrivateProfileStringW(kSeccion, L"Cargar", row.texto, m_archivo);
        CDataConectaURL leido;
        leido.GetPrivateProfile(m_archivo, kSeccion);
        EXPECT_EQ(row.valor, leido.m_seleccionURL);
        EXPECT_EQ(row.valor, leido.m_cargar);
    }
}

TEST_F(StoragePrivateFileTest, AMissingFileReadsAsNothingStored)
{
    CDataConectaURL leido = CatalogoCompleto();
    leido.GetPrivateProfile(m_directorio.Archivo(L"no-existe.ini"), kSeccion);
    EXPECT_EQ(NombresDe(CatalogoCompleto()), NombresDe(leido));
    ExpectSameChoice(CatalogoCompleto(), leido);
}

// Profile details: prefixes, registry-only values and the absence of an application object.
class StorageProfileTest : public testing::Test {
protected:
    static void SetUpTestSuite() { AfxWinInit(::GetModuleHandleW(nullptr), nullptr, ::GetCommandLineW(), 0); }

    void SetUp() override
    {
        theApp.UsaRegistro(ClaveDeEmpresa());
        m_seccionRegistro = L"Software\\" + ClaveDeEmpresa() + L"\\" + theApp.m_pszProfileName + L"\\" + kSeccion;
    }
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\" + ClaveDeEmpresa()); }

    CString m_seccionRegistro;
};

TEST_F(StorageProfileTest, PutsThePrefixInFrontOfEveryKey)
{
    struct Row {
        LPCWSTR prefijoLeido;
        unsigned int entradas;
    };
    static const Row rows[] = {{L"Mio", 3}, {L"", 0}, {L"Mi", 0}, {L"MioX", 0}};
    CatalogoCompleto().WriteProfile(kSeccion, L"Mio");
    EXPECT_EQ(CString(L"\"PNOA\",http://a/wms"), theApp.GetProfileString(kSeccion, L"MioURL1", L""));
    EXPECT_EQ(2, static_cast<int>(theApp.GetProfileInt(kSeccion, L"MioSeleccionURL", 0)));
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "read with prefix <" << row.prefijoLeido << ">");
        CDataConectaURL leido;
        leido.GetProfile(kSeccion, row.prefijoLeido);
        EXPECT_EQ(row.entradas, leido.Cantidad());
        EXPECT_EQ(row.entradas == 0 ? -1 : 2, leido.m_seleccionURL);
    }
}

TEST_F(StorageProfileTest, ABlankLineAddsAnEmptyEntryUnlessOneIsThere)
{
    struct Row {
        const char* caso;
        std::vector<CDireccionURL> antes;
        unsigned int despues;
    };
    const Row rows[] = {
        {"empty catalogue", {}, 2},
        {"an entry with an empty name", {Entrada(L"", L"x")}, 2},
        {"an entry with an empty address", {Entrada(L"x", L"")}, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.caso);
        EscribeEnRegistro(m_seccionRegistro, L"URL1", L"   ");
        EscribeEnRegistro(m_seccionRegistro, L"URL2", L"\"s\",us");
        CDataConectaURL leido;
        leido.m_direcciones = row.antes;
        leido.GetProfile(kSeccion, L"");
        ASSERT_EQ(row.despues, leido.Cantidad());
        // The blank line does not end the list; it adds an empty entry only when nothing clashes.
        EXPECT_EQ(CString(L"s"), leido[leido.Cantidad() - 1].m_nombre);
        if (row.antes.empty()) {
            EXPECT_TRUE(leido[0].m_nombre.IsEmpty());
            EXPECT_TRUE(leido[0].m_url.IsEmpty());
        }
    }
}

TEST_F(StorageProfileTest, DoesNothingWithoutAnApplicationObject)
{
    CatalogoCompleto().WriteProfile(kSeccion, L"");
    AFX_MODULE_STATE sinAplicacion(FALSE);
    {
        AFX_MANAGE_STATE(&sinAplicacion);
        ASSERT_EQ(nullptr, AfxGetApp());
        CDataConectaURL leido;
        leido.GetProfile(kSeccion, L"");
        EXPECT_EQ(0u, leido.Cantidad());
        ExpectSameChoice(CDataConectaURL(), leido);
        CDataConectaURL().WriteProfile(kSeccion, L"");
    }
    CDataConectaURL leido;
    leido.GetProfile(kSeccion, L"");
    EXPECT_EQ(3u, leido.Cantidad());
}
