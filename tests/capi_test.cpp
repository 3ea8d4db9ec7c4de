// Tests of ortusc.dll through its C header as a C host calls it: statuses and messages, the Win32 way of
// returning text, the catalogue's refusals, storage round trips, handles, the module's own state, and the
// dialog with and without the host's callbacks. This program has an application object of its own,
// with its own profile and an empty resource search, which the module must never use.
#include <OrtusC.h>

#include <afxwin.h>

#include "resource.h"
#include "support/PruebaDeVentanas.h"
#include "support/UsuarioSimulado.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Texts = std::vector<std::wstring>;

CWinApp theApp(L"CApiTest");
const auto* const g_entorno = testing::AddGlobalTestEnvironment(new CEntornoDeVentanas);

std::wstring DeEsteProceso(const std::wstring& nombre) { return nombre + std::to_wstring(::GetCurrentProcessId()); }

std::wstring UltimoError()
{
    uint32_t necesarios = 0;
    EXPECT_EQ(ORTUS_ERROR_BUFFER_CORTO, OrtusUltimoError(nullptr, 0, &necesarios));
    std::wstring texto(necesarios, L'\0');
    EXPECT_EQ(ORTUS_OK, OrtusUltimoError(texto.data(), necesarios, nullptr));
    texto.resize(necesarios - 1);
    return texto;
}

// A catalogue for one test; the module's blocks released at the end of a scope.
class Catalogo {
public:
    Catalogo() { EXPECT_EQ(ORTUS_OK, OrtusCatalogoCrea(&m_manejador)); }
    ~Catalogo() { OrtusCatalogoDestruye(m_manejador); }
    operator OrtusCatalogo() const { return m_manejador; }

private:
    OrtusCatalogo m_manejador = nullptr;
};

template <typename T>
struct Bloque {
    ~Bloque() { OrtusFree(p); }
    T* p = nullptr;
};

OrtusEntrada Entrada(const wchar_t* nombre, const wchar_t* url)
{
    OrtusEntrada entrada = {};
    entrada.tamanho = sizeof entrada;
    entrada.nombre = nombre;
    entrada.url = url;
    return entrada;
}

Texts Nombres(OrtusCatalogo catalogo)
{
    uint32_t cantidad = 0;
    EXPECT_EQ(ORTUS_OK, OrtusCatalogoCantidad(catalogo, &cantidad));
    Texts nombres;
    for (uint32_t i = 0; i < cantidad; ++i) {
        Bloque<OrtusEntrada> entrada;
        EXPECT_EQ(ORTUS_OK, OrtusCatalogoEntrada(catalogo, i, &entrada.p));
        nombres.push_back(std::wstring(entrada.p->nombre) + L" " + entrada.p->url);
    }
    return nombres;
}

OrtusEleccion Eleccion(int32_t servidor, const wchar_t* capa, const wchar_t* sistema, const wchar_t* archivo,
                       int32_t cargar)
{
    return {sizeof(OrtusEleccion), servidor, capa, sistema, archivo, cargar};
}

void ExpectEleccion(const OrtusEleccion& esperada, OrtusCatalogo catalogo)
{
    Bloque<OrtusEleccion> leida;
    ASSERT_EQ(ORTUS_OK, OrtusCatalogoLeeEleccion(catalogo, &leida.p));
    EXPECT_EQ(sizeof(OrtusEleccion), leida.p->tamanho);
    EXPECT_EQ(esperada.seleccionURL, leida.p->seleccionURL);
    EXPECT_STREQ(esperada.seleccionCapa, leida.p->seleccionCapa);
    EXPECT_STREQ(esperada.seleccionSR, leida.p->seleccionSR);
    EXPECT_STREQ(esperada.archivoSalida, leida.p->archivoSalida);
    EXPECT_EQ(esperada.cargar, leida.p->cargar);
}

class CApi : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(ORTUS_OK, OrtusEstableceIdioma(L"en-US")); }
};

// The exports share one check of the handle: a row per kind of call (release, read, edit, store, dialog).
TEST_F(CApi, CatalogueCallsRefuseAHandleThatIsNotLive)
{
    OrtusDialogo dialogo = {};
    dialogo.tamanho = sizeof dialogo;
    int32_t resultado = 0;
    OrtusEntrada* leida = nullptr;
    const struct {
        const char* funcion;
        std::function<OrtusEstado(OrtusCatalogo)> llamada;
    } llamadas[] = {
        {"Destruye", [](OrtusCatalogo c) { return OrtusCatalogoDestruye(c); }},
        {"Entrada", [&](OrtusCatalogo c) { return OrtusCatalogoEntrada(c, 0, &leida); }},
        {"Ordenar", [](OrtusCatalogo c) { return OrtusCatalogoOrdenar(c); }},
        {"EscribeIni", [](OrtusCatalogo c) { return OrtusCatalogoEscribeIni(c, L"C:\\x.ini", L"S"); }},
        {"DialogoEjecuta", [&](OrtusCatalogo c) { return OrtusDialogoEjecuta(c, &dialogo, &resultado); }},
    };
    OrtusCatalogo destruido = nullptr;
    ASSERT_EQ(ORTUS_OK, OrtusCatalogoCrea(&destruido));
    ASSERT_EQ(ORTUS_OK, OrtusCatalogoDestruye(destruido));
    const struct {
        const char* caso;
        OrtusCatalogo manejador;
    } manejadores[] = {{"null", nullptr}, {"destroyed", destruido}, {"made up", reinterpret_cast<OrtusCatalogo>(0xBAD0)}};
    for (const auto& [funcion, llamada] : llamadas) {
        for (const auto& [caso, manejador] : manejadores) {
            SCOPED_TRACE(std::string(funcion) + ", " + caso);
            EXPECT_EQ(ORTUS_ERROR_MANEJADOR, llamada(manejador));
            EXPECT_EQ(L"The catalogue handle is not one this module made, or it was destroyed already.", UltimoError());
        }
    }
    EXPECT_EQ(nullptr, leida);
}

TEST_F(CApi, NullArgumentsAndUnknownSizesGiveAStatusAndAMessage)
{
    Catalogo catalogo;
    OrtusEntrada corta = Entrada(L"a", L"http://a/");
    corta.tamanho = sizeof corta - 8;
    OrtusEntrada sinCapas = Entrada(L"b", L"http://b/");
    sinCapas.numeroCapas = 2;
    OrtusDialogo dialogo = {};
    dialogo.tamanho = sizeof dialogo;
    OrtusDialogo huerfano = dialogo;
    huerfano.padre = reinterpret_cast<HWND>(0x1234);
    int32_t resultado = 0;
    const struct {
        const char* caso;
        std::function<OrtusEstado()> llamada;
        OrtusEstado estado;
        std::wstring mensaje;
    } casos[] = {
        {"no place for the handle", [] { return OrtusCatalogoCrea(nullptr); }, ORTUS_ERROR_ARGUMENTO,
         L"The argument catalogo is missing."},
        {"an entry of another size", [&] { return OrtusCatalogoInserta(catalogo, &corta); }, ORTUS_ERROR_TAMANHO,
         L"This ortusc.dll knows no OrtusEntrada structure of " + std::to_wstring(corta.tamanho) +
             L" bytes (its own has " + std::to_wstring(sizeof corta) +
             L"): the program was built with another version of OrtusC.h."},
        {"layers counted but not given", [&] { return OrtusCatalogoInserta(catalogo, &sinCapas); },
         ORTUS_ERROR_ARGUMENTO, L"The argument OrtusEntrada.capas is missing."},
        {"a parent that is not a window", [&] { return OrtusDialogoEjecuta(catalogo, &huerfano, &resultado); },
         ORTUS_ERROR_ARGUMENTO, L"The parent window given for the dialog is not a window."},
        {"a block the module never gave", [&] { return OrtusFree(&resultado); }, ORTUS_ERROR_ARGUMENTO,
         L"OrtusFree was given memory this module did not hand out, or released already."},
        {"a language the module lacks", [] { return OrtusEstableceIdioma(L"fr-FR"); }, ORTUS_ERROR_IDIOMA,
         L"ortusc.dll has no texts in fr-FR (there is no fr-FR\\ortusc.dll.mui beside it)."},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        EXPECT_EQ(caso.estado, caso.llamada());
        EXPECT_EQ(caso.mensaje, UltimoError());
    }
    EXPECT_EQ(Texts{}, Nombres(catalogo));
}

TEST_F(CApi, TheLastFailureComesTheWin32WayAndStaysTheThreads)
{
    ASSERT_EQ(ORTUS_ERROR_MANEJADOR, OrtusCatalogoOrdenar(nullptr));
    const std::wstring mensaje = L"The catalogue handle is not one this module made, or it was destroyed already.";
    const uint32_t longitud = static_cast<uint32_t>(mensaje.size()) + 1;
    const struct {
        const char* caso;
        bool conTexto;
        uint32_t capacidad;
        OrtusEstado estado;
    } casos[] = {
        {"asking the size", false, 0, ORTUS_ERROR_BUFFER_CORTO},
        {"one character short", true, longitud - 1, ORTUS_ERROR_BUFFER_CORTO},
        {"a capacity and no buffer", false, longitud, ORTUS_ERROR_ARGUMENTO},
        {"just enough", true, longitud, ORTUS_OK},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        std::wstring texto(longitud + 4, L'#');
        uint32_t necesarios = 0;
        EXPECT_EQ(caso.estado, OrtusUltimoError(caso.conTexto ? texto.data() : nullptr, caso.capacidad, &necesarios));
        const std::wstring escrito = caso.estado == ORTUS_OK ? mensaje + L'\0' + L"####" : std::wstring(longitud + 4, L'#');
        EXPECT_EQ(escrito, texto);
        EXPECT_EQ(caso.estado == ORTUS_ERROR_ARGUMENTO ? 0u : longitud, necesarios);
    }
    // Those calls kept it; a call that succeeds keeps it too; another thread has none.
    EXPECT_EQ(ORTUS_OK, OrtusVersion(nullptr, nullptr, nullptr));
    EXPECT_EQ(mensaje, UltimoError());
    std::wstring enOtroHilo = L"unset";
    std::thread([&] { enOtroHilo = UltimoError(); }).join();
    EXPECT_EQ(L"", enOtroHilo);
}

// Each edit's status: the catalogue's own refusals (catalogue_test has their rules) and positions past the end.
TEST_F(CApi, EditsKeepTheCataloguesRefusals)
{
    Catalogo catalogo;
    const OrtusEntrada b = Entrada(L"b", L"http://b/");
    const OrtusEntrada a = Entrada(L"a", L"http://a/");
    const OrtusEntrada otraB = Entrada(L"b", L"http://c/");
    const OrtusEntrada c = Entrada(L"c", L"http://c/");
    const struct {
        const char* caso;
        std::function<OrtusEstado()> edicion;
        OrtusEstado estado;
        Texts despues;
    } pasos[] = {
        {"insert", [&] { return OrtusCatalogoInserta(catalogo, &b); }, ORTUS_OK, {L"b http://b/"}},
        {"insert another", [&] { return OrtusCatalogoInserta(catalogo, &a); }, ORTUS_OK, {L"b http://b/", L"a http://a/"}},
        {"insert a name taken", [&] { return OrtusCatalogoInserta(catalogo, &otraB); }, ORTUS_ERROR_RECHAZADA,
         {L"b http://b/", L"a http://a/"}},
        {"modify", [&] { return OrtusCatalogoModifica(catalogo, 0, &c); }, ORTUS_OK, {L"c http://c/", L"a http://a/"}},
        {"modify past the end", [&] { return OrtusCatalogoModifica(catalogo, 2, &b); }, ORTUS_ERROR_INDICE,
         {L"c http://c/", L"a http://a/"}},
        {"sort", [&] { return OrtusCatalogoOrdenar(catalogo); }, ORTUS_OK, {L"a http://a/", L"c http://c/"}},
        {"delete", [&] { return OrtusCatalogoBorra(catalogo, 0); }, ORTUS_OK, {L"c http://c/"}},
        {"delete past the end", [&] { return OrtusCatalogoBorra(catalogo, 1); }, ORTUS_ERROR_INDICE, {L"c http://c/"}},
    };
    for (const auto& paso : pasos) {
        SCOPED_TRACE(paso.caso);
        EXPECT_EQ(paso.estado, paso.edicion());
        EXPECT_EQ(paso.despues, Nombres(catalogo));
    }
    EXPECT_EQ(ORTUS_ERROR_RECHAZADA, OrtusCatalogoInserta(catalogo, &c));
    EXPECT_EQ(L"Another server of the catalogue already has the name \u201cc\u201d or the address \u201chttp://c/\u201d.",
              UltimoError());
    EXPECT_EQ(ORTUS_ERROR_INDICE, OrtusCatalogoBorra(catalogo, 7));
    EXPECT_EQ(L"The catalogue has no server at position 7: it has 1.", UltimoError());
    // The built-in servers come whatever is there, without the refusals.
    ASSERT_EQ(ORTUS_OK, OrtusCatalogoCargaURLPorDefecto(catalogo));
    ASSERT_EQ(ORTUS_OK, OrtusCatalogoCargaURLPorDefecto(catalogo));
    EXPECT_EQ(11u, Nombres(catalogo).size());
}

TEST_F(CApi, EntriesAndTheChoiceComeOutWholeAndAreReleasedOnce)
{
    Catalogo catalogo;
    const wchar_t* capas[] = {L"r\u00edos", L"", L"carreteras"};
    const wchar_t* sistemas[] = {L"EPSG:4326", L"EPSG:25830"};
    OrtusEntrada entera = Entrada(L"\u00d1and\u00fa \U0001F5FA", L"http://127.0.0.1/wms?a=1&b=2");
    entera.metadato1 = L"T\u00edtulo";
    entera.metadato2 = nullptr;  // reads as empty
    entera.metadato3 = L"contact";
    entera.metadato4 = L"1.3.0";
    entera.numeroCapas = 3;
    entera.capas = capas;
    entera.numeroSistemas = 2;
    entera.sistemas = sistemas;
    ASSERT_EQ(ORTUS_OK, OrtusCatalogoInserta(catalogo, &entera));

    OrtusEntrada* leida = nullptr;
    ASSERT_EQ(ORTUS_OK, OrtusCatalogoEntrada(catalogo, 0, &leida));
    EXPECT_EQ(sizeof(OrtusEntrada), leida->tamanho);
    EXPECT_STREQ(entera.nombre, leida->nombre);
    EXPECT_STREQ(entera.url, leida->url);
    EXPECT_EQ(Texts({L"T\u00edtulo", L"", L"contact", L"1.3.0"}),
              Texts({leida->metadato1, leida->metadato2, leida->metadato3, leida->metadato4}));
    ASSERT_EQ(3u, leida->numeroCapas);
    EXPECT_EQ(Texts(capas, capas + 3), Texts(leida->capas, leida->capas + 3));
    ASSERT_EQ(2u, leida->numeroSistemas);
    EXPECT_EQ(Texts(sistemas, sistemas + 2), Texts(leida->sistemas, leida->sistemas + 2));
    EXPECT_EQ(ORTUS_OK, OrtusFree(leida));
    EXPECT_EQ(ORTUS_ERROR_ARGUMENTO, OrtusFree(leida));  // twice
    EXPECT_EQ(ORTUS_OK, OrtusFree(nullptr));

    // A fresh catalogue's choice, then one set whole.
    ExpectEleccion(Eleccion(-1, L"", L"", L"", 1), catalogo);
    const OrtusEleccion eleccion = Eleccion(0, L"r\u00edos", L"EPSG:25830", L"C:\\salida\\mapa final.tif", 2);
    ASSERT_EQ(ORTUS_OK, OrtusCatalogoEstableceEleccion(catalogo, &eleccion));
    ExpectEleccion(eleccion, catalogo);
}

// A catalogue written to the registry and read into another (the stores' rules: storage_test; an INI file
// through this interface: sdk_test's C host).
TEST_F(CApi, StorageRoundTripsThroughTheRegistry)
{
    const std::wstring clave = DeEsteProceso(L"Software\\Ortus Tests\\CApi");
    const wchar_t* const seccion = L"Servidores";
    const OrtusEleccion eleccion = Eleccion(1, L"r\u00edos", L"EPSG:25830", L"C:\\salida\\mapa.tif", 0);
    {
        Catalogo escrito;
        const OrtusEntrada entradas[] = {Entrada(L"Cartografia IGN", L"http://b/wms"),
                                         Entrada(L"\u00d1and\u00fa", L"http://c/\u00e1")};
        for (const OrtusEntrada& entrada : entradas)
            ASSERT_EQ(ORTUS_OK, OrtusCatalogoInserta(escrito, &entrada));
        ASSERT_EQ(ORTUS_OK, OrtusCatalogoEstableceEleccion(escrito, &eleccion));
        ASSERT_EQ(ORTUS_OK, OrtusCatalogoEscribeRegistro(escrito, clave.c_str(), seccion, L"Pre"));
    }
    Catalogo leido;
    ASSERT_EQ(ORTUS_OK, OrtusCatalogoLeeRegistro(leido, clave.c_str(), seccion, L"Pre"));
    EXPECT_EQ(Texts({L"Cartografia IGN http://b/wms", L"\u00d1and\u00fa http://c/\u00e1"}), Nombres(leido));
    ExpectEleccion(eleccion, leido);
    // The registry's values under the key and section given, named with the prefix.
    std::wstring capa(64, L'\0');
    DWORD bytes = 64 * sizeof(wchar_t);
    EXPECT_EQ(ERROR_SUCCESS, ::RegGetValueW(HKEY_CURRENT_USER, (clave + L"\\" + seccion).c_str(), L"PreSeleccionCapa",
                                            RRF_RT_REG_SZ, nullptr, capa.data(), &bytes));
    EXPECT_EQ(L"r\u00edos", capa.substr(0, bytes / sizeof(wchar_t) - 1));
    ::RegDeleteTreeW(HKEY_CURRENT_USER, clave.c_str());
    // Nothing went to this program's own profile (its INI file, as it never named a registry key).
    EXPECT_EQ(CString(L"(none)"), theApp.GetProfileString(seccion, L"PreURL1", L"(none)"));
}

TEST_F(CApi, StoresThatCannotBeUsedAreRefused)
{
    Catalogo catalogo;
    const std::wstring sinCarpeta =
        (std::filesystem::temp_directory_path() / DeEsteProceso(L"capi-missing-") / L"x.ini").wstring();
    const struct {
        const char* caso;
        std::function<OrtusEstado()> llamada;
        OrtusEstado estado;
        std::wstring comienzo;
    } casos[] = {
        {"a key outside Software",
         [&] { return OrtusCatalogoEscribeRegistro(catalogo, L"Environment\\X", L"S", nullptr); },
         ORTUS_ERROR_ARGUMENTO, L"The registry key \u201cEnvironment\\X\u201d is not under Software"},
        {"an empty section", [&] { return OrtusCatalogoEscribeRegistro(catalogo, L"Software\\X", L"", nullptr); },
         ORTUS_ERROR_ARGUMENTO, L"The section name is missing"},
        {"an INI file in a folder that does not exist",
         [&] { return OrtusCatalogoEscribeIni(catalogo, sinCarpeta.c_str(), L"S"); }, ORTUS_ERROR_ALMACEN,
         sinCarpeta + L" cannot be written: "},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        EXPECT_EQ(caso.estado, caso.llamada());
        EXPECT_EQ(caso.comienzo, UltimoError().substr(0, caso.comienzo.size()));
    }
}

TEST_F(CApi, EveryCallRunsInTheModulesStateAndLeavesTheCallersCurrent)
{
    // This program's state has no resource module joined: the module's texts come from its own search.
    CString nadaAqui;
    EXPECT_FALSE(nadaAqui.LoadString(27101));
    ASSERT_EQ(ORTUS_ERROR_MANEJADOR, OrtusCatalogoOrdenar(nullptr));
    EXPECT_FALSE(UltimoError().empty());
    EXPECT_EQ(&theApp, AfxGetApp());
    EXPECT_EQ(AfxGetAppModuleState(), AfxGetModuleState());
    // Switching the module's language leaves this program's resource search alone.
    ASSERT_EQ(ORTUS_OK, OrtusEstableceIdioma(L"es-ES"));
    ASSERT_EQ(ORTUS_ERROR_MANEJADOR, OrtusCatalogoOrdenar(nullptr));
    EXPECT_EQ(L"El cat\u00e1logo indicado no lo ha creado este m\u00f3dulo, o ya se ha destruido.", UltimoError());
    EXPECT_FALSE(nadaAqui.LoadString(IDS_COLUMNA_NOMBRE));
    // The user's language: Spanish for a Spanish-speaking user, else English.
    ASSERT_EQ(ORTUS_OK, OrtusEstableceIdioma(nullptr));
    ASSERT_EQ(ORTUS_ERROR_MANEJADOR, OrtusCatalogoOrdenar(nullptr));
    WCHAR idioma[LOCALE_NAME_MAX_LENGTH] = L"";
    ULONG cuantos = 0, longitud = LOCALE_NAME_MAX_LENGTH;
    ::GetThreadPreferredUILanguages(MUI_LANGUAGE_NAME, &cuantos, idioma, &longitud);
    EXPECT_EQ(std::wstring(idioma).rfind(L"es", 0) == 0 ? L"El cat" : L"The ca", UltimoError().substr(0, 6));
}

// The dialog on an empty catalogue over this program's main window, run by a simulated user.
class CApiDialog : public CApi {
protected:
    struct Anfitrion {
        int pedidos = 0;
        std::wstring titulo;
        std::wstring propuesto;
        std::vector<uint32_t> temas;
        OrtusCatalogo destruyeAlPedirAyuda = nullptr;
    };

    static BOOL CALLBACK PideArchivo(void* contexto, HWND, const wchar_t* titulo, wchar_t* archivo, uint32_t capacidad)
    {
        auto* anfitrion = static_cast<Anfitrion*>(contexto);
        ++anfitrion->pedidos;
        anfitrion->titulo = titulo;
        anfitrion->propuesto = archivo;
        return lstrcpynW(archivo, L"C:\\mapas\\elegido.tif", static_cast<int>(capacidad)) != nullptr;
    }
    static void CALLBACK MuestraAyuda(void* contexto, HWND, uint32_t tema)
    {
        auto* anfitrion = static_cast<Anfitrion*>(contexto);
        anfitrion->temas.push_back(tema);
        OrtusCatalogoDestruye(anfitrion->destruyeAlPedirAyuda);
    }

    OrtusDialogo Opciones(bool conRetrollamadas)
    {
        OrtusDialogo opciones = {};
        opciones.tamanho = sizeof opciones;
        opciones.padre = m_principal.Ventana().GetSafeHwnd();
        opciones.pideArchivo = conRetrollamadas ? &PideArchivo : nullptr;
        opciones.muestraAyuda = conRetrollamadas ? &MuestraAyuda : nullptr;
        opciones.contexto = &m_anfitrion;
        return opciones;
    }

    static HWND Conexion()
    {
        const HWND activo = Ventanas::DialogoActivo();
        return activo != nullptr && ::GetDlgItem(activo, IDC_LISTA_URL) != nullptr ? activo : nullptr;
    }
    static std::wstring Texto(int id) { return Ventanas::Texto(::GetDlgItem(Conexion(), id)); }

    CVentanaPrincipal m_principal;
    Anfitrion m_anfitrion;
};

// The prompt's English title: the next test, whose system prompt is given the same title.
TEST_F(CApiDialog, TheHostsCallbacksServeBrowseAndHelpInTheLanguageChosenWhateverHappensToTheHandle)
{
    ASSERT_EQ(ORTUS_OK, OrtusEstableceIdioma(L"es-ES"));
    OrtusCatalogo catalogo = nullptr;
    ASSERT_EQ(ORTUS_OK, OrtusCatalogoCrea(&catalogo));
    m_anfitrion.destruyeAlPedirAyuda = catalogo;
    const OrtusDialogo opciones = Opciones(true);
    CUsuarioSimulado usuario;
    usuario
        .Cuando("the dialog is up", [] { return Conexion() != nullptr; }, [] {
            EXPECT_EQ(L"Conectar con un servidor de mapas", Ventanas::Texto(Conexion()));
            Usuario::Clic(::GetDlgItem(Conexion(), IDC_BUSCAR_FICHERO));
        })
        .Cuando("the host's prompt answered", [] { return Conexion() != nullptr && !Texto(IDC_ARCHIVO_SALIDA).empty(); },
                [] {
                    EXPECT_EQ(L"C:\\mapas\\elegido.tif", Texto(IDC_ARCHIVO_SALIDA));
                    Usuario::Clic(::GetDlgItem(Conexion(), ID_HELP));
                })
        .Cuando("help asked, the catalogue's handle destroyed", [&] { return m_anfitrion.temas.size() == 1; },
                [] { Usuario::Tecla(VK_RETURN); });
    usuario.Empieza();
    int32_t resultado = 0;
    ASSERT_EQ(ORTUS_OK, OrtusDialogoEjecuta(catalogo, &opciones, &resultado));
    EXPECT_EQ(IDOK, resultado);
    EXPECT_EQ(1, m_anfitrion.pedidos);
    EXPECT_EQ(L"Guardar como", m_anfitrion.titulo);
    EXPECT_EQ(L"", m_anfitrion.propuesto);
    EXPECT_EQ(std::vector<uint32_t>{0x20065}, m_anfitrion.temas);
    EXPECT_EQ(ORTUS_ERROR_MANEJADOR, OrtusCatalogoOrdenar(catalogo));
    EXPECT_EQ(&theApp, AfxGetApp());
}

TEST_F(CApiDialog, WithoutCallbacksTheSystemsSaveAsAndNoHelpButton)
{
    Catalogo catalogo;
    const OrtusDialogo opciones = Opciones(false);
    CUsuarioSimulado usuario;
    usuario
        .Cuando("the dialog is up", [] { return Conexion() != nullptr; }, [] {
            EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(Conexion(), ID_HELP)));
            Usuario::Clic(::GetDlgItem(Conexion(), IDC_BUSCAR_FICHERO));
        })
        .Cuando("the system's Save As prompt has the keyboard",
                [] { return Ventanas::Activa(Ventanas::ConTitulo(L"Save As")); }, [] { Usuario::Tecla(VK_ESCAPE); })
        .Cuando("back in the dialog", [] { return Ventanas::Activa(Conexion()); }, [] { Usuario::Tecla(VK_ESCAPE); });
    usuario.Empieza();
    int32_t resultado = 0;
    ASSERT_EQ(ORTUS_OK, OrtusDialogoEjecuta(catalogo, &opciones, &resultado));
    EXPECT_EQ(IDCANCEL, resultado);
}

}  // namespace
