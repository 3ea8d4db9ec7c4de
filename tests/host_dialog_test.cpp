// Tests of the sample host's road, store -> dialog -> choice -> store, in-process as quasar.exe runs it: the
// real dialogs over the host's main window, driven by mouse and keyboard, asking loopback servers (--auto:
// host_program_test). InSpanish* tests run in a process started in a Spanish locale (tests/CMakeLists.txt),
// the others in an English one; the Picture one for tests/dialog_pictures.sh.
#include <AlmacenCatalogo.h>
#include <ConexionQuasar.h>
#include <QuasarApp.h>
#include <VentanaQuasar.h>
#include <CapturaDeVentana.h>

#include "NadirTestSupport.h"
#include "TestSupport.h"
#include "resource.h"
#include "support/DialogoDeConexion.h"
#include "support/InicioDeSesion.h"
#include "support/PruebaDeVentanas.h"
#include "support/UsuarioSimulado.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Argumentos = std::vector<CString>;
using DialogoDeConexion::CentroDeFila;
using DialogoDeConexion::FilaDe;

// The host, but for the browser: the help page it would open is recorded.
class CAnfitrionDePrueba : public CQuasarApp {
public:
    std::vector<std::wstring> m_paginas;

protected:
    bool AbrePagina(const CString& ruta) override
    {
        m_paginas.push_back(ruta.GetString());
        return true;
    }
};

CAnfitrionDePrueba theApp;
const auto* const g_entorno = testing::AddGlobalTestEnvironment(new CEntornoDeVentanas);

std::wstring DeEsteProceso(const std::wstring& nombre) { return nombre + std::to_wstring(::GetCurrentProcessId()); }

// The connection dialog when it is up and has the keyboard.
HWND Conexion()
{
    const HWND activo = Ventanas::DialogoActivo();
    return activo != nullptr && ::GetDlgItem(activo, IDC_LISTA_URL) != nullptr ? activo : nullptr;
}

void ClicEnFila(const std::wstring& nombre)
{
    Usuario::Clic(::GetDlgItem(Conexion(), IDC_LISTA_URL), CentroDeFila(Conexion(), FilaDe(Conexion(), nombre)));
}

// The catalogue's store: an INI file of this process's own, empty at the start.
struct Almacen {
    std::wstring Seccion() const { return DeEsteProceso(L"Prueba"); }
    std::wstring Archivo() const
    {
        return (std::filesystem::temp_directory_path() / DeEsteProceso(L"quasar-prueba-")).wstring() + L".ini";
    }
    Argumentos Opciones() const { return {L"--ini", Archivo().c_str(), L"--section", Seccion().c_str()}; }
    // A stored value as the file holds it, read past the host and the library.
    std::wstring Crudo(const wchar_t* clave, const std::wstring& seccion = {}) const
    {
        std::vector<WCHAR> valor(1024);
        ::GetPrivateProfileStringW((seccion.empty() ? Seccion() : seccion).c_str(), clave, L"", valor.data(), 1024,
                                   Archivo().c_str());
        return valor.data();
    }
    void Vacia() const { ::DeleteFileW(Archivo().c_str()); }
};

class HostDialog : public testing::Test {
protected:
    // The options of a command line, and the host prepared with them as quasar.exe prepares itself.
    static COpcionesQuasar Prepara(const Argumentos& argumentos)
    {
        COpcionesQuasar opciones;
        CString error;
        EXPECT_TRUE(opciones.Lee(argumentos, error)) << std::wstring(error);
        EXPECT_TRUE(theApp.Prepara(opciones));
        return opciones;
    }

    void SetUp() override { theApp.m_paginas.clear(); }

    CVentanaPrincipal m_principal;
};

Argumentos Mas(Argumentos argumentos, const Argumentos& otros)
{
    argumentos.insert(argumentos.end(), otros.begin(), otros.end());
    return argumentos;
}

CString Servidor(const wchar_t* nombre, const CString& url) { return CString(nombre) + L"=" + url; }

constexpr int kTiempoDeEspera = 1003;  // the wait window's time text (Nadir's TextosSockets.h)

// The choice and the edits reach the store and come back from it, also after Cancel. The dialog's own
// cases (choices, edits, browse, help): dialogs_test.
TEST_F(HostDialog, TheChoiceAndTheEditsComeBackFromTheStoreAndCancelKeepsThem)
{
    const Almacen almacen;
    almacen.Vacia();
    // First run: nothing stored, so the default servers, and the one of --add.
    const COpcionesQuasar primera =
        Prepara(Mas(almacen.Opciones(), {L"--add", Servidor(L"MapServer", Url("mapserver", L"/wms"))}));
    CConexionQuasar conexion(primera, theApp.Tabla());
    CUsuarioSimulado usuario;
    usuario.Cuando("the dialog is up", [] { return Conexion() != nullptr; }, [] {
        ClicEnFila(L"MapServer");
        Usuario::Tecla(VK_RETURN);
    });
    usuario.Empieza();
    ASSERT_EQ(IDOK, conexion.Ejecuta(AfxGetMainWnd()));
    const CDataConectaURL& elegido = conexion.Catalogo();
    EXPECT_EQ(L"rio_de_la_plata", almacen.Crudo(L"SeleccionCapa"));
    EXPECT_EQ(std::wstring(elegido.m_seleccionSR), almacen.Crudo(L"SeleccionSR"));

    // Second run, with nothing added: the store alone. The user deletes a server and cancels.
    const COpcionesQuasar segunda = Prepara(almacen.Opciones());
    CConexionQuasar otra(segunda, theApp.Tabla());
    CUsuarioSimulado otroUsuario;
    otroUsuario.Cuando("the dialog is up", [] { return Conexion() != nullptr; }, [] {
        ClicEnFila(L"Catastro");
        Usuario::Tecla(VK_DELETE);
        Usuario::Tecla(VK_ESCAPE);
    });
    otroUsuario.Empieza();
    ASSERT_EQ(IDCANCEL, otra.Ejecuta(AfxGetMainWnd()));
    CDataConectaURL guardado;
    CAlmacenCatalogo(segunda).Lee(guardado);
    EXPECT_EQ(std::vector<CString>({L"Cartografia IGN", L"MDT IGN", L"MapServer", L"NOAA", L"PNOA"}),
              Nombres(guardado));
    EXPECT_EQ(L"rio_de_la_plata", std::wstring(guardado.m_seleccionCapa));
    EXPECT_EQ(elegido.m_seleccionSR, guardado.m_seleccionSR);
    almacen.Vacia();
}

// While the dialog fills, a silent server brings the wait's window over the host (its behaviour: nadir_window_test)
// and one that asks for a password the system's prompt: the password is remembered by Windows and never held
// by the store (login_test signs in with it; refusals: nadir_window_test). Then Save As, which remembers its folder.
TEST_F(HostDialog, NadirsWindowsAndSaveAsShowOverTheHostThePasswordIsNeverStoredAndTheFolderIsRemembered)
{
    using namespace InicioDeSesion;
    const CString ruta = RutaPropia(L"/basic");
    CString anfitrion;
    anfitrion.Format(L"localhost:%u", Puerto("http"));
    const CredencialGuardada guardada(L"Nadir:http://" + anfitrion);
    const Almacen almacen;
    almacen.Vacia();
    const std::filesystem::path carpeta = std::filesystem::temp_directory_path() / DeEsteProceso(L"quasar-salida-");
    std::filesystem::create_directories(carpeta);
    const std::wstring escrito = (carpeta / L"mapa").wstring();
    const COpcionesQuasar opciones = Prepara(Mas(almacen.Opciones(), {
        L"--add", Servidor(L"Mudo", Url("http", RutaPropia(L"/never-answers"))), L"--add",
        Servidor(L"Privado", L"http://" + anfitrion + ruta)}));
    CConexionQuasar conexion(opciones, theApp.Tabla());
    HWND dialogo = nullptr;
    CUsuarioSimulado usuario;
    usuario.Cuando("the wait window has the keyboard", [] { return Ventanas::Activa(Ventanas::ConTitulo(L"Waiting for a server")); }, [] {
        EXPECT_EQ(AfxGetMainWnd()->m_hWnd, ::GetWindow(Ventanas::ConTitulo(L"Waiting for a server"), GW_OWNER));
        Usuario::Tecla(VK_ESCAPE);
    });
    Teclea(usuario, [&] { return Ventanas::ConTitulo(L"Sign in to " + std::wstring(anfitrion)); },
           {kContrasena}, true, L"Over http the password travels unencrypted.");
    usuario.Cuando("the dialog is up", [&] { return (dialogo = Conexion()) != nullptr; },
                   [] { Usuario::Clic(::GetDlgItem(Conexion(), IDC_BUSCAR_FICHERO)); })
        .Cuando("the Save As prompt has the keyboard",
                [] { return Ventanas::Activa(Ventanas::ConTitulo(L"Save As")); }, [&] {
                    EXPECT_EQ(dialogo, ::GetWindow(Ventanas::DialogoActivo(), GW_OWNER));
                    Usuario::Escribe(escrito);
                    Usuario::Tecla(VK_RETURN);
                })
        .Cuando("back with the name", [] { return !Ventanas::Texto(::GetDlgItem(Conexion(), IDC_ARCHIVO_SALIDA)).empty(); },
                [] { Usuario::Tecla(VK_RETURN); });
    usuario.Empieza();
    ASSERT_EQ(IDOK, conexion.Ejecuta(AfxGetMainWnd()));
    EXPECT_EQ(std::wstring(kUsuario + L" " + kContrasena), guardada.Leida());
    EXPECT_EQ(std::vector<std::string>({"-", Basic(kUsuario, kContrasena)}), LoginsVistos(ruta));
    std::vector<WCHAR> seccion(32768);
    const std::wstring guardado(seccion.data(), ::GetPrivateProfileSectionW(almacen.Seccion().c_str(), seccion.data(),
                                                                         32768, almacen.Archivo().c_str()));
    EXPECT_NE(std::wstring::npos, guardado.find(L"Privado")) << "the store was written";
    EXPECT_EQ(std::wstring::npos, guardado.find(L"contrase\u00f1a")) << std::string(guardado.begin(), guardado.end());
    // The host's first filter gives the extension; the prompt's folder is kept in the host's own section.
    EXPECT_EQ(escrito + L".tif", almacen.Crudo(L"ArchivoSalida"));
    EXPECT_EQ(carpeta.wstring(), almacen.Crudo(L"CarpetaDeSalida", L"Quasar"));
    almacen.Vacia();
    std::filesystem::remove_all(carpeta);
}

// A host started in a Spanish locale, with no --lang: the dialog and its help are Spanish (Nadir's texts:
// nadir_window_test).
TEST_F(HostDialog, InSpanishEverythingIsSpanish)
{
    const Almacen almacen;
    almacen.Vacia();
    const COpcionesQuasar opciones = Prepara(almacen.Opciones());
    ASSERT_EQ(L"es-ES", std::wstring(theApp.Idioma())) << "this suite runs in a process started with LC_MESSAGES=es_ES";
    CConexionQuasar conexion(opciones, theApp.Tabla());
    CUsuarioSimulado usuario;
    usuario
        .Cuando("the dialog is up", [] { return Conexion() != nullptr; }, [] {
            EXPECT_EQ(L"Conectar con un servidor de mapas", Ventanas::Texto(Conexion()));
            Usuario::Clic(::GetDlgItem(Conexion(), ID_HELP));
        })
        .Cuando("help shown", [] { return theApp.m_paginas.size() == 1; }, [] { Usuario::Tecla(VK_ESCAPE); });
    usuario.Empieza();
    EXPECT_EQ(IDCANCEL, conexion.Ejecuta(AfxGetMainWnd()));
    EXPECT_EQ(std::vector<std::wstring>{theApp.RutaJuntoAlEjecutable(L"help\\es-ES\\conectar.htm").GetString()}, theApp.m_paginas);
    almacen.Vacia();
}

// Pictures of Nadir's windows over the host's own main window, as its user sees the screen: the wait's two
// seconds into a silence, and the credential prompt with a user name typed (run by tests/dialog_pictures.sh
// under Xvfb, in an English and a Spanish process; ORTUS_FOTOS names the folder).
TEST_F(HostDialog, PictureOfNadirsWindowsOverTheHost)
{
    const char* carpeta = std::getenv("ORTUS_FOTOS");
    if (carpeta == nullptr)
        GTEST_SKIP() << "ORTUS_FOTOS names the folder for the pictures (tests/dialog_pictures.sh sets it)";
    const Almacen almacen;
    almacen.Vacia();
    const COpcionesQuasar opciones = Prepara(Mas(almacen.Opciones(), {
        L"--add", Servidor(L"Servidor lento", Url("http", L"/never-answers/fotos")), L"--add",
        Servidor(L"Servidor privado", Url("http", L"/basic/fotos"))}));
    CConexionQuasar conexion(opciones, theApp.Tabla());
    // The host's window in place of the tests' own: Nadir's windows are owned by the main window.
    m_principal.Ventana().ShowWindow(SW_HIDE);
    CVentanaQuasar ventana;
    ASSERT_TRUE(ventana.Crea(SW_SHOW, [] {}));
    AfxGetApp()->m_pMainWnd = &ventana;
    const std::wstring idioma = theApp.Idioma().GetString();
    std::string sufijo(idioma.begin(), idioma.end());
    sufijo[2] = '_';
    const auto foto = [&](const std::string& nombre) {
        for (const HWND pintada : {ventana.m_hWnd, Ventanas::DialogoActivo()})
            ::RedrawWindow(pintada, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        const std::filesystem::path ruta = std::filesystem::path(carpeta) /
                                           (nombre + "_" + sufijo + "_" + std::to_string(::GetDpiForSystem()) + "dpi.png");
        EXPECT_TRUE(CapturaDeVentana(ventana.m_hWnd, true).GuardaPng(ruta)) << ruta.string();
    };
    const auto encima = [](int id) { return ::GetDlgItem(Ventanas::DialogoActivo(), id); };
    CUsuarioSimulado usuario;
    usuario
        .Cuando("the wait window two seconds in",
                [&] { return Ventanas::Texto(encima(kTiempoDeEspera)).find(L" 2 s") != std::wstring::npos; }, [&] {
                    foto("anfitrion_espera");
                    Usuario::Tecla(VK_ESCAPE);
                })
        .Cuando("the prompt is up", [&] { return encima(InicioDeSesion::kUsuarioDelPrompt) != nullptr; }, [&] {
            ::SetWindowTextW(encima(InicioDeSesion::kUsuarioDelPrompt), L"ana");
            foto("anfitrion_credenciales");
            Usuario::Tecla(VK_ESCAPE);
        })
        .Cuando("back in the dialog", [] { return Ventanas::Activa(Conexion()); }, [] { Usuario::Tecla(VK_ESCAPE); });
    usuario.Empieza();
    EXPECT_EQ(IDCANCEL, conexion.Ejecuta(&ventana));
    AfxGetApp()->m_pMainWnd = &m_principal.Ventana();
    ventana.DestroyWindow();
    almacen.Vacia();
}

}  // namespace
