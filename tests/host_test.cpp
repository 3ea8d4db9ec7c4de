// Tests of the sample host's own logic, without windows: its command line, its EPSG table, its help
// project and its choice of language.
#include <IdiomaQuasar.h>
#include <MapaDeAyuda.h>
#include <OpcionesQuasar.h>
#include <TablaEPSG.h>

#include <afxwin.h>

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Argumentos = std::vector<CString>;

CString Error(const Argumentos& argumentos)
{
    COpcionesQuasar opciones;
    CString error;
    EXPECT_FALSE(opciones.Lee(argumentos, error)) << "accepted: " << ::testing::PrintToString(argumentos);
    return error;
}

// Options the arguments are a valid use of.
COpcionesQuasar Opciones(const Argumentos& argumentos)
{
    COpcionesQuasar opciones;
    CString error;
    EXPECT_TRUE(opciones.Lee(argumentos, error)) << std::wstring(error);
    return opciones;
}

// Every option's value on one line.
std::wstring Resumen(const COpcionesQuasar& o)
{
    CString resumen;
    resumen.Format(L"ini=%s section=%s prefix=%s third=%d lang=%s auto=%d screenshot=%s servers:", o.Ini().GetString(),
                   o.Seccion().GetString(), o.Prefijo().GetString(), o.TerceraOpcion(), o.Idioma().GetString(),
                   o.Automatico(), o.Captura().GetString());
    for (const CDireccionURL& servidor : o.Servidores())
        resumen += L" [" + servidor.m_nombre + L"]=[" + servidor.m_url + L"]";
    return resumen.GetString();
}

TEST(HostCommandLine, EveryOptionTakesItsValueAndTheOthersKeepTheirDefaults)
{
    const struct {
        Argumentos argumentos;
        const wchar_t* resumen;
    } casos[] = {
        {{}, L"ini= section=ConexionWMS prefix=WMS third=0 lang= auto=0 screenshot= servers:"},
        {{L"--prefix", L""}, L"ini= section=ConexionWMS prefix= third=0 lang= auto=0 screenshot= servers:"},
        // The first = splits: an address may hold more.
        {{L"--ini", L"C:\\datos\\cat\u00e1logo.ini", L"--section", L"Mapas base", L"--third-option", L"--add",
          L"\u00d1and\u00fa=http://a/wms?x=1&y=2", L"--add", L"B=C=https://b/", L"--lang", L"es-ES", L"--auto",
          L"--screenshot", L"Z:\\tmp\\foto.PNG"},
         L"ini=C:\\datos\\cat\u00e1logo.ini section=Mapas base prefix=WMS third=1 lang=es-ES auto=1 "
         L"screenshot=Z:\\tmp\\foto.PNG servers: [\u00d1and\u00fa]=[http://a/wms?x=1&y=2] [B]=[C=https://b/]"},
    };
    for (const auto& caso : casos) {
        const COpcionesQuasar opciones = Opciones(caso.argumentos);
        EXPECT_FALSE(opciones.Ayuda());
        EXPECT_EQ(caso.resumen, Resumen(opciones));
    }
}

TEST(HostCommandLine, HelpWinsOverEverythingElse)
{
    for (const Argumentos& argumentos : {Argumentos{L"/?"}, Argumentos{L"--screenshot", L"a.png", L"--help"}})
        EXPECT_TRUE(Opciones(argumentos).Ayuda());
}

TEST(HostCommandLine, EveryBadArgumentIsRefusedWithWhatIsWrong)
{
    const struct {
        Argumentos argumentos;
        const wchar_t* mensaje;
    } casos[] = {
        {{L"--frobnicate"}, L"unknown option \"--frobnicate\""},
        {{L"catalogo.ini"}, L"unexpected argument \"catalogo.ini\": quasar takes options only"},
        {{L"--ini"}, L"--ini needs the name of an INI file"},
        {{L"--ini", L"a.ini", L"--ini", L"b.ini"}, L"--ini is given twice"},
        {{L"--section", L""}, L"--section needs a section name"},
        {{L"--section", L"a]b"}, L"--section \"a]b\": a section name cannot hold [, ], \\ or control characters"},
        {{L"--section", L"quasar"}, L"--section quasar: that section holds the host's own settings"},
        {{L"--prefix"}, L"--prefix needs a key prefix (--prefix \"\" for none)"},
        {{L"--ini", L"a.ini", L"--prefix", L"P"},
         L"--prefix applies to the registry profile: the keys of an INI file have no prefix"},
        {{L"--add", L"http://a/wms"}, L"--add \"http://a/wms\": expected NAME=URL"},
        {{L"--add", L"=http://a/wms"}, L"--add \"=http://a/wms\": both the name and the address are needed"},
        {{L"--add", L"Mi \"WMS\"=http://a/"}, L"--add \"Mi \"WMS\"=http://a/\": a name cannot hold a double quotation mark"},
        {{L"--add", L"A=http://a/w ms"}, L"--add \"A=http://a/w ms\": an address cannot hold blanks or control characters"},
        {{L"--lang", L"es-es"}, L"--lang \"es-es\": the languages are es-ES and en-US"},
        {{L"--auto", L"--screenshot", L"foto.jpg"}, L"--screenshot needs the name of a .png file"},
        {{L"--screenshot", L"foto.png"}, L"--screenshot needs --auto: the picture is taken just before the host presses OK"},
    };
    for (const auto& caso : casos)
        EXPECT_EQ(caso.mensaje, std::wstring(Error(caso.argumentos))) << ::testing::PrintToString(caso.argumentos);
}

std::string Tabla(const std::string& filas, int cuantas) { return "quasar-epsg 1 " + std::to_string(cuantas) + " v10\n" + filas; }

// Every row found by its code, so read whole and in order. An identifier's code is read as the dialog
// reads it (dialogs_test's SystemRows).
TEST(HostEpsgTable, ReadsCodesAndNamesAndNamesAnIdentifierByItsCode)
{
    CTablaEPSG tabla;
    CString error;
    const char* filas = "2000\tAnguilla 1957\n4326\tWGS 84\n25830\tETRS89 / UTM zone 30N\n"
                        "900913\tGoogle Maps Global Mercator\n";
    ASSERT_TRUE(tabla.Lee(Tabla(filas, 4), error)) << std::wstring(error);
    EXPECT_EQ(4u, tabla.Sistemas().size());
    const struct {
        const wchar_t *identificador, *nombre;
    } casos[] = {
        {L"EPSG:2000", L"Anguilla 1957"},  // the first
        {L"EPSG:900913", L"Google Maps Global Mercator"},  // the last
        {L"CRS:84", L""},                                   // no such code
        {L"EPSG:-4326", L""},                               // never looked up
        {L"EPSG:4327", L""},     // between two codes
        {L"EPSG:9999999", L""},  // after the last
    };
    for (const auto& caso : casos)
        EXPECT_EQ(caso.nombre, std::wstring(tabla.NombreDe(caso.identificador))) << std::wstring(caso.identificador);
}

TEST(HostEpsgTable, ADamagedTableLeavesTheHostsOwnListAndSaysWhy)
{
    const struct {
        const char* caso;
        std::string texto;
        const wchar_t* error;
    } casos[] = {
        {"empty", "", L"is empty"},
        {"no header", "4326\tWGS 84\n", L"does not start with the table's header"},
        {"cut in a line", Tabla("4326\tWGS 84\n4327\tWG", 2), L"does not end with a whole line"},
        {"fewer rows than the header says", Tabla("4326\tWGS 84\n", 2), L"holds 1 systems where its header says 2"},
        {"no tab", Tabla("4326 WGS 84\n", 1), L"line 2 is not a code, a tab and a name"},
        {"a code beyond 32 bits", Tabla("12345678901\tHuge\n", 1), L"line 2 is not a code, a tab and a name"},
        {"a code twice", Tabla("4326\tWGS 84\n4326\tWGS 84 again\n", 2), L"line 3 breaks the ascending order of the codes"},
        {"Latin-1 instead of UTF-8", Tabla("4326\tSistema espa\xf1ol\n", 1), L"is not UTF-8 text"},
    };
    const std::vector<Vectra::CSistemaReferencia> propia = CTablaEPSG::ListaPropia();
    for (const auto& caso : casos) {
        CTablaEPSG tabla;
        CString error;
        EXPECT_FALSE(tabla.Lee(caso.texto, error)) << caso.caso;
        EXPECT_EQ(caso.error, std::wstring(error)) << caso.caso;
        ASSERT_EQ(propia.size(), tabla.Sistemas().size()) << caso.caso;
        EXPECT_EQ(L"ETRS89 / UTM zone 30N", std::wstring(tabla.NombreDe(L"EPSG:25830"))) << caso.caso;
    }
}

TEST(HostEpsgTable, AMissingFileLeavesTheHostsOwnListAscendingWithTheCommonSystems)
{
    CTablaEPSG tabla;
    CString error;
    EXPECT_FALSE(tabla.Carga(L"no-such-folder\\quasar-epsg.tsv", error));
    EXPECT_EQ(L"cannot be read", std::wstring(error));
    EXPECT_EQ(CTablaEPSG::ListaPropia().size(), tabla.Sistemas().size());
    // Found by their codes: the list is ascending.
    for (const wchar_t* identificador : {L"EPSG:4326", L"EPSG:3857", L"EPSG:4258", L"EPSG:25830"})
        EXPECT_FALSE(tabla.NombreDe(identificador).IsEmpty()) << std::wstring(identificador);
}

// The table the build wrote beside the programs, from PROJ's database.
TEST(HostEpsgTable, TheBuiltTableLoadsWhole)
{
    CTablaEPSG tabla;
    CString error;
    ASSERT_TRUE(tabla.Carga(CTablaEPSG::kArchivo, error)) << std::wstring(error);
    EXPECT_GT(tabla.Sistemas().size(), 5000u);
    EXPECT_EQ(L"ETRS89 / UTM zone 30N", std::wstring(tabla.NombreDe(L"EPSG:25830")));
    EXPECT_EQ(L"", std::wstring(tabla.NombreDe(L"EPSG:4978")));  // geocentric: no map is drawn in it
}

TEST(HostHelpProject, MapsContextsThroughTheirAliases)
{
    CMapaDeAyuda mapa;
    CString error;
    ASSERT_TRUE(mapa.Lee(L"; a comment\r\n"
                         L"[OPTIONS]\r\n"
                         L"Compatibility=1.1 or later\r\n"
                         L"Default topic = inicio.htm ; where the contents start\r\n"
                         L"[ALIAS]\r\n"
                         L"HIDD_CONECTA_URL=conectar.htm\r\n"
                         L"hidd_url = servidor.htm\r\n"
                         L"IDH_SIN_NUMERO=huerfano.htm\r\n"
                         L"[map]\r\n"
                         L"#define HIDD_CONECTA_URL 0x20065\r\n"
                         L"#DEFINE HIDD_URL\t131174 ; decimal, after a tab\r\n"
                         L"#define IDH_SIN_ALIAS 0x30001\r\n",
                         error))
        << std::wstring(error);
    EXPECT_EQ(L"inicio.htm", std::wstring(mapa.TemaPorDefecto()));
    const struct {
        DWORD_PTR contexto;
        const wchar_t* tema;
    } casos[] = {
        {0x20065, L"conectar.htm"},
        {0x20066, L"servidor.htm"},  // symbols match whatever their case
        {0x30001, L""},              // a number without an alias
        {0x20067, L""},
    };
    for (const auto& caso : casos)
        EXPECT_EQ(caso.tema, std::wstring(mapa.TemaDe(caso.contexto))) << std::hex << caso.contexto;
}

TEST(HostHelpProject, AMapLineThatIsNoDefineIsRefused)
{
    CMapaDeAyuda mapa;
    CString error;
    EXPECT_FALSE(mapa.Lee(L"[MAP]\n#define HIDD_CONECTA_URL 0x2006G\n", error));
    EXPECT_EQ(L"[MAP] holds a line that is not #define SYMBOL NUMBER: #define HIDD_CONECTA_URL 0x2006G", std::wstring(error));
}

// The help the build put beside the programs: the connection dialog's context reaches a page that
// exists in every language and is about that dialog.
TEST(HostHelpProject, TheHostsHelpAnswersTheConnectionDialog)
{
    CMapaDeAyuda mapa;
    CString error;
    ASSERT_TRUE(mapa.Carga(L"help\\quasar.hhp", error)) << std::wstring(error);
    const CString tema = mapa.TemaDe(HID_BASE_RESOURCE + 101);
    ASSERT_FALSE(tema.IsEmpty());
    EXPECT_EQ(tema, mapa.TemaPorDefecto());
    for (const auto& [idioma, titulo] : {std::pair{L"en-US", "<title>Connecting to a map server</title>"},
                                         std::pair{L"es-ES", "<title>Conectar con un servidor de mapas</title>"}}) {
        std::ifstream pagina(std::filesystem::path(L"help") / idioma / tema.GetString());
        ASSERT_TRUE(pagina) << std::wstring(idioma);
        const std::string html{std::istreambuf_iterator<char>(pagina), std::istreambuf_iterator<char>()};
        EXPECT_NE(std::string::npos, html.find(titulo)) << std::wstring(idioma);
    }
}

TEST(HostLanguage, SpanishOfAnyCountryIsSpainsAndEverythingElseEnglish)
{
    const struct {
        const wchar_t *nombre, *idioma;
    } casos[] = {
        {L"es", L"es-ES"}, {L"ES-ar", L"es-ES"}, {L"en-GB", L"en-US"}, {L"est", L"en-US"}, {L"", L"en-US"},
    };
    for (const auto& caso : casos)
        EXPECT_EQ(caso.idioma, std::wstring(CIdiomaQuasar::Soportado(caso.nombre))) << std::wstring(caso.nombre);
    EXPECT_EQ(L"es-ES", std::wstring(CIdiomaQuasar::Elige(L"es-ES")));  // asked for: the user's does not count
}

}  // namespace
