// Tests of what Nadir shows a user while it asks a server, driven by mouse and keyboard over a main
// window as a host has one: the wait's window (delay, texts, Skip, Escape, byte counts, the longer
// limit), the system's credential prompt (wrong then right, remember, Cancel, three tries), the
// window's layout in every language at this process's DPI, and its pictures. The Espanol tests run
// in a process started in a Spanish locale (tests/CMakeLists.txt).
#include "Nadir/OpenGIS/WMS/NegociadorWMS.h"
#include "Nadir/Sockets/ConexionHttp.h"

#include "CapturaDeVentana.h"
#include "support/ControlesDeDialogo.h"
#include "support/InicioDeSesion.h"
#include "support/PruebaDeVentanas.h"
#include "support/UsuarioSimulado.h"

#include <afxwin.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

using Nadir::ExcepcionNadir;
using Nadir::OpenGIS::WMS::NegociadorWMS;
using Nadir::Sockets::ConexionHttp;
using Nadir::Sockets::ServidorOmitido;
using namespace InicioDeSesion;
using namespace std::chrono_literals;
using Reloj = std::chrono::steady_clock;

namespace {

CWinApp theApp(L"nadir_window_test");
const auto* const g_entorno = testing::AddGlobalTestEnvironment(new CEntornoDeVentanas);

// The wait window's controls (external/nadir/src/sockets/TextosSockets.h).
constexpr int kServidor = 1001;
constexpr int kFase = 1002;
constexpr int kTiempo = 1003;
// The credential prompt's (credui): the password box and the "remember" check box.
constexpr int kContrasenaDelPrompt = 102;
constexpr int kRecordar = 104;

// The texts a user reads, in the language of this process.
struct Textos {
    const wchar_t* titulo;
    const wchar_t* servidor;
    const wchar_t* esperando;
    const wchar_t* omitir;
    const wchar_t* omitido;  // after the host
    const wchar_t* iniciar;
    const wchar_t* sinCifrar;
    const wchar_t* cancelado;  // after the host
};

const Textos kIngles = {L"Waiting for a server",
                        L"Server: ",
                        L"Waiting for the answer\u2026",
                        L"&Skip",
                        L": its answer was not waited for.",
                        L"Sign in to ",
                        L"Over http the password travels unencrypted.",
                        L" needs a user name and password; signing in was cancelled."};
const Textos kEspanol = {L"Esperando a un servidor",
                         L"Servidor: ",
                         L"Esperando la respuesta\u2026",
                         L"&Omitir",
                         L": no se esper\u00f3 su respuesta.",
                         L"Iniciar sesi\u00f3n en ",
                         L"Por http la contrase\u00f1a viaja sin cifrar.",
                         L" necesita un nombre de usuario y una contrase\u00f1a; se cancel\u00f3 el inicio de sesi\u00f3n."};

double Segundos(Reloj::duration duracion)
{
    return std::chrono::duration<double>(duracion).count();
}

// A connection as Ortus makes one, with limits that end a forgotten wait well inside CTest's.
std::shared_ptr<ConexionHttp> Conexion()
{
    auto conexion = std::make_shared<ConexionHttp>(L"Quasar", ConexionHttp::kProxyDelSistema);
    ConexionHttp::Limites limites;
    limites.inactividadConUsuario = 15s;
    limites.total = 30s;
    conexion->SetLimites(limites);
    return conexion;
}

// CreaClienteWMS as Ortus calls it: "answered", or the failure's message; omitido tells a skip.
CString Interroga(const CString& url, bool* omitido = nullptr, std::shared_ptr<ConexionHttp> conexion = Conexion())
{
    try {
        NegociadorWMS::CreaClienteWMS(std::move(conexion), url);
        return L"answered";
    } catch (const ServidorOmitido& e) {
        if (omitido)
            *omitido = true;
        return e.m_mensaje;
    } catch (const ExcepcionNadir& e) {
        return e.m_mensaje;
    }
}

HWND Espera(const Textos& textos)
{
    return Ventanas::ConTitulo(textos.titulo);
}

HWND Prompt(const Textos& textos)
{
    return Ventanas::ConTitulo(textos.iniciar + std::wstring(HostDe("http")));
}

// Every test runs over a main window, as a host's user works.
class ConVentanaPrincipal : public testing::Test {
protected:
    HWND Principal() { return m_principal.Ventana().m_hWnd; }

    CVentanaPrincipal m_principal;
};

// Skip and Escape, each against a server that never answers, in this process's language.
void SaltaUnServidorMudo(HWND principal, const Textos& textos)
{
    const auto espera = [&] { return Espera(textos); };
    for (const bool conEscape : {false, true}) {
        SCOPED_TRACE(conEscape ? "Escape" : "Skip");
        const Reloj::time_point inicio = Reloj::now();
        std::optional<Reloj::time_point> aparece;
        Reloj::time_point salto;
        CUsuarioSimulado pasos;
        pasos.Cuando("the wait window is up", [&] { return espera() != nullptr; }, [&] {
                 aparece = Reloj::now();
                 const HWND ventana = espera();
                 EXPECT_EQ(principal, ::GetWindow(ventana, GW_OWNER));
                 EXPECT_FALSE(::IsWindowEnabled(principal)) << "the host takes no input meanwhile";
                 EXPECT_EQ(textos.servidor + std::wstring(HostDe("http")), Ventanas::Texto(::GetDlgItem(ventana, kServidor)));
                 EXPECT_EQ(textos.omitir, Ventanas::Texto(::GetDlgItem(ventana, IDCANCEL)));
             })
            .Cuando("the server's silence shown",
                    [&] { return Ventanas::Texto(::GetDlgItem(espera(), kFase)) == textos.esperando; }, [&] {
                        salto = Reloj::now();
                        if (conEscape)
                            Usuario::Tecla(VK_ESCAPE);
                        else
                            Usuario::Clic(::GetDlgItem(espera(), IDCANCEL));
                    });
        pasos.Empieza();
        bool omitido = false;
        const CString mensaje = Interroga(Url("http", RutaPropia(L"/never-answers")), &omitido);
        const Reloj::time_point fin = Reloj::now();
        EXPECT_TRUE(omitido) << Utf8(mensaje);
        EXPECT_EQ(HostDe("http") + textos.omitido, mensaje.Mid(mensaje.Find(HostDe("http"))));
        ASSERT_TRUE(aparece.has_value());
        EXPECT_LT(Segundos(*aparece - inicio), 1.0) << "the window is late";
        EXPECT_LT(Segundos(fin - salto), 0.2) << "the call went on after the user skipped";
        EXPECT_TRUE(::IsWindowEnabled(principal));
        EXPECT_EQ(nullptr, espera()) << "the window is left behind";
    }
}

using WaitWindow = ConVentanaPrincipal;

TEST_F(WaitWindow, ASilentServerShowsItWithinASecondAndSkipOrEscapeEndTheCallAtOnce)
{
    SaltaUnServidorMudo(Principal(), kIngles);
}

// Counts the captioned windows this thread creates while it lives.
class ContadorDeVentanas {
public:
    ContadorDeVentanas() { s_cuenta = 0; m_gancho = ::SetWindowsHookExW(WH_CBT, Gancho, nullptr, ::GetCurrentThreadId()); }
    ~ContadorDeVentanas() { ::UnhookWindowsHookEx(m_gancho); }
    ContadorDeVentanas(const ContadorDeVentanas&) = delete;
    ContadorDeVentanas& operator=(const ContadorDeVentanas&) = delete;
    int Cuenta() const { return s_cuenta; }

private:
    static LRESULT CALLBACK Gancho(int codigo, WPARAM wParam, LPARAM lParam)
    {
        if (codigo == HCBT_CREATEWND && (reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs->style & WS_CAPTION) == WS_CAPTION)
            ++s_cuenta;
        return ::CallNextHookEx(nullptr, codigo, wParam, lParam);
    }
    static inline int s_cuenta = 0;
    HHOOK m_gancho;
};

TEST_F(WaitWindow, AServerThatAnswersWithinTheDelayShowsNothing)
{
    const Reloj::time_point inicio = Reloj::now();
    const ContadorDeVentanas ventanas;
    EXPECT_EQ(L"answered", Interroga(Url("http", L"/corpus/mapserver__wms_cap130.xml")));
    const double segundos = Segundos(Reloj::now() - inicio);
    if (segundos < 0.35) {
        EXPECT_EQ(0, ventanas.Cuenta());
    } else {
        GTEST_SKIP() << "the answer took " << segundos << " s on this loaded machine: past the delay";
    }
}

TEST_F(WaitWindow, ATricklingServerHasItsBytesCounted)
{
    // 204 bytes every tenth of a second, 8160 in all, declared.
    std::vector<std::wstring> fases;
    CUsuarioSimulado pasos;
    pasos.Cuando("the wait window counts bytes",
                 [&] {
                     const std::wstring fase = Ventanas::Texto(::GetDlgItem(Espera(kIngles), kFase));
                     if (fase.rfind(L"Receiving ", 0) == 0 && (fases.empty() || fases.back() != fase))
                         fases.push_back(fase);
                     return fases.size() >= 3;
                 },
                 [&] { Usuario::Clic(::GetDlgItem(Espera(kIngles), IDCANCEL)); });
    pasos.Empieza();
    bool omitido = false;
    Interroga(Url("http", RutaPropia(L"/steady") + L"?rate=2048&seconds=6"), &omitido);
    EXPECT_TRUE(omitido);
    ASSERT_EQ(3u, fases.size());
    int anterior = 0;
    for (const std::wstring& fase : fases) {
        SCOPED_TRACE(Utf8(fase.c_str()));
        int recibidos = 0;
        ASSERT_EQ(1, swscanf(fase.c_str(), L"Receiving %d bytes of 12240 bytes", &recibidos));
        EXPECT_GT(recibidos, anterior);
        anterior = recibidos;
    }
}

TEST_F(WaitWindow, WithTheUserWatchingTheLongerInactivityLimitHolds)
{
    auto conexion = std::make_shared<ConexionHttp>(L"Quasar", ConexionHttp::kProxyDelSistema);
    ConexionHttp::Limites limites;
    limites.inactividad = 1s;
    limites.inactividadConUsuario = 3s;
    conexion->SetLimites(limites);
    bool vista = false;
    CUsuarioSimulado pasos;
    pasos.Cuando("the wait window is up", [&] { return Espera(kIngles) != nullptr; }, [&] { vista = true; });
    pasos.Empieza();
    const CString mensaje = Interroga(Url("http", RutaPropia(L"/never-answers")), nullptr, conexion);
    EXPECT_TRUE(vista);
    EXPECT_EQ(HostDe("http") + L" accepted the connection but did not answer within 3 s.", mensaje);
}

// ---- The system's credential prompt ----

using LoginPrompt = ConVentanaPrincipal;

// The steps of a user who types each password in turn into the prompt (the user name first, the
// first time), ticking "remember" on the last; the prompt's message and its being a retry checked.
void Teclea(CUsuarioSimulado& pasos, const std::function<HWND()>& prompt, const std::vector<CString>& contrasenas,
            bool recordar, const Textos& textos)
{
    for (size_t i = 0; i < contrasenas.size(); ++i) {
        const CString contrasena = contrasenas[i];
        const bool ultima = i + 1 == contrasenas.size();
        pasos.Cuando("prompt " + std::to_string(i + 1) + " is up",
                     [prompt, i] {
                         const HWND ventana = prompt();
                         // A retry keeps the user name and waits in the password box.
                         return ventana && Ventanas::Activa(ventana) &&
                                (i == 0 || ::GetFocus() == ::GetDlgItem(ventana, kContrasenaDelPrompt));
                     },
                     [=] {
                         const HWND ventana = prompt();
                         EXPECT_EQ(0u, Ventanas::Texto(::GetDlgItem(ventana, 103)).find(textos.sinCifrar));
                         if (i == 0) {
                             Usuario::Escribe(kUsuario.GetString());
                             Usuario::Tecla(VK_TAB);
                         }
                         Usuario::Escribe(contrasena.GetString());
                         if (recordar && ultima)
                             Usuario::Clic(::GetDlgItem(ventana, kRecordar));
                     })
            .Cuando("prompt " + std::to_string(i + 1) + " filled",
                    [prompt, contrasena] {
                        return Ventanas::Texto(::GetDlgItem(prompt(), kContrasenaDelPrompt)).size() ==
                               static_cast<size_t>(contrasena.GetLength());
                    },
                    [] { Usuario::Tecla(VK_RETURN); });
        // After the last one the call ends, and no loop runs the steps any more.
        if (!ultima)
            pasos.Cuando("prompt " + std::to_string(i + 1) + " gone", [prompt] { return prompt() == nullptr; }, [] {});
    }
}

TEST_F(LoginPrompt, AWrongPasswordAsksAgainAndTheRightOneRememberedIsStored)
{
    const CredencialGuardada guardada(Destino("http"));  // none before, none left after
    const CString ruta = RutaPropia(L"/basic");
    CUsuarioSimulado pasos;
    Teclea(pasos, [&] { return Prompt(kIngles); }, {L"no-es-esta", kContrasena}, true, kIngles);
    pasos.Empieza();
    EXPECT_EQ(L"answered", Interroga(Url("http", ruta)));
    EXPECT_EQ(std::vector<std::string>({"-", Basic(kUsuario, L"no-es-esta"), "-", Basic(kUsuario, kContrasena)}),
              LoginsVistos(ruta));
    EXPECT_EQ(std::wstring(kUsuario + L" " + kContrasena), guardada.Leida());
    // Stored, it serves the next time; with the window hidden no prompt could.
    m_principal.Ventana().ShowWindow(SW_HIDE);
    const CString otra = RutaPropia(L"/basic");
    EXPECT_EQ(L"answered", Interroga(Url("http", otra)));
    EXPECT_EQ(std::vector<std::string>({"-", Basic(kUsuario, kContrasena)}), LoginsVistos(otra));
}

TEST_F(LoginPrompt, CancelEndsWithAMessageNamingTheServerAndThreeRefusalsEndIt)
{
    const CredencialGuardada guardada(Destino("http"));
    {
        CUsuarioSimulado pasos;
        pasos.Cuando("the prompt is up", [&] { return Ventanas::Activa(Prompt(kIngles)); },
                     [] { Usuario::Tecla(VK_ESCAPE); });
        pasos.Empieza();
        EXPECT_EQ(HostDe("http") + kIngles.cancelado, Interroga(Url("http", RutaPropia(L"/basic"))));
    }
    CUsuarioSimulado pasos;
    Teclea(pasos, [&] { return Prompt(kIngles); }, {L"mala-1", L"mala-2", L"mala-3"}, true, kIngles);
    pasos.Empieza();
    const CString mensaje = Interroga(Url("http", RutaPropia(L"/basic")));
    EXPECT_EQ(HostDe("http") + L" did not accept the user name and password.", mensaje);
    EXPECT_EQ(L"", guardada.Leida()) << "a refused password is not remembered";
}

// ---- Spanish, in a process started in a Spanish locale ----

using WaitWindowEspanol = ConVentanaPrincipal;

TEST_F(WaitWindowEspanol, TheWindowThePromptAndTheMessagesAreSpanish)
{
    SaltaUnServidorMudo(Principal(), kEspanol);
    const CredencialGuardada guardada(Destino("http"));
    CUsuarioSimulado pasos;
    pasos.Cuando("the prompt is up", [&] { return Ventanas::Activa(Prompt(kEspanol)); }, [&] {
        EXPECT_EQ(0u, Ventanas::Texto(::GetDlgItem(Prompt(kEspanol), 103)).find(kEspanol.sinCifrar));
        Usuario::Tecla(VK_ESCAPE);
    });
    pasos.Empieza();
    EXPECT_EQ(HostDe("http") + kEspanol.cancelado, Interroga(Url("http", RutaPropia(L"/basic"))));
}

// ---- The window's layout, from each language module, at this process's DPI ----

// The longest texts each language puts in the window, filled in as the code fills them.
class WaitWindowDialogLayout : public testing::TestWithParam<const wchar_t*> {};

std::wstring Cadena(HMODULE modulo, UINT id)
{
    const wchar_t* texto = nullptr;
    const int largo = ::LoadStringW(modulo, id, reinterpret_cast<LPWSTR>(&texto), 0);
    return std::wstring(texto, static_cast<size_t>(std::max(largo, 0)));
}

INT_PTR CALLBACK Mudo(HWND, UINT mensaje, WPARAM, LPARAM) { return mensaje == WM_INITDIALOG; }

TEST_P(WaitWindowDialogLayout, LongestTextsFitInsideTheWindow)
{
    wchar_t programa[MAX_PATH] = L"";
    ::GetModuleFileNameW(nullptr, programa, MAX_PATH);
    const std::filesystem::path ruta =
        std::filesystem::path(programa).parent_path() / L"Nadir.Sockets" / GetParam() / L"NadirSockets.dll.mui";
    const std::unique_ptr<std::remove_pointer_t<HMODULE>, decltype(&::FreeLibrary)> modulo(
        ::LoadLibraryExW(ruta.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE),
        &::FreeLibrary);
    ASSERT_TRUE(modulo) << ruta.string();
    const std::unique_ptr<std::remove_pointer_t<HWND>, decltype(&::DestroyWindow)> ventana(
        ::CreateDialogParamW(modulo.get(), MAKEINTRESOURCEW(100), nullptr, Mudo, 0), &::DestroyWindow);
    ASSERT_TRUE(ventana);
    const auto formato = [&](UINT id, auto... argumentos) {
        CString texto;
        texto.Format(Cadena(modulo.get(), id).c_str(), argumentos...);
        return texto;
    };
    // IDS_ESPERA_* and IDS_CANTIDAD_* (TextosSockets.h): nine thousand and more KB of as many MB.
    const CString recibidos = formato(1050, 9999ull);
    const CString total = formato(1051, 9999ull);
    ::SetDlgItemTextW(ventana.get(), kServidor, formato(1043, L"wms.example.org:8080").GetString());
    ::SetDlgItemTextW(ventana.get(), kFase, formato(1047, recibidos.GetString(), total.GetString()).GetString());
    ::SetDlgItemTextW(ventana.get(), kTiempo, formato(1048, 9999u).GetString());
    const ControlesDeDialogo controles(ventana.get());
    RECT cliente = controles.AreaCliente();
    for (const ControlDeDialogo& control : controles.Todos()) {
        SCOPED_TRACE(Utf8(control.texto.c_str()));
        const SIZE necesario = controles.EspacioNecesario(control);
        EXPECT_LE(necesario.cx, control.rect.right - control.rect.left);
        EXPECT_LE(necesario.cy, control.rect.bottom - control.rect.top);
        RECT dentro;
        EXPECT_TRUE(::IntersectRect(&dentro, &cliente, &control.rect) && ::EqualRect(&dentro, &control.rect));
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, WaitWindowDialogLayout, testing::Values(L"en-US", L"es-ES"),
                         [](const auto& info) { return std::wstring(info.param) == L"en-US" ? "en_US" : "es_ES"; });

// ---- Pictures (tests/dialog_pictures.sh, under Xvfb; ORTUS_FOTOS names the folder) ----

using WaitWindowDialogPicture = ConVentanaPrincipal;

TEST_F(WaitWindowDialogPicture, TheWaitAndThePromptAsTheUserSeesThem)
{
    const char* carpeta = std::getenv("ORTUS_FOTOS");
    if (carpeta == nullptr)
        GTEST_SKIP() << "ORTUS_FOTOS names the folder for the pictures (tests/dialog_pictures.sh sets it)";
    const bool espanol = PRIMARYLANGID(::GetUserDefaultUILanguage()) == LANG_SPANISH;
    const Textos& textos = espanol ? kEspanol : kIngles;
    const std::string sufijo = std::string(espanol ? "es_ES" : "en_US") + "_" + std::to_string(::GetDpiForSystem()) + "dpi";
    const auto fotografia = [&](HWND ventana, const std::string& nombre) {
        const CapturaDeVentana foto(ventana);
        EXPECT_GT(foto.ColoresDistintos(), 4u) << "the window painted its controls and texts";
        const std::filesystem::path ruta = std::filesystem::path(carpeta) / (nombre + "_" + sufijo + ".png");
        EXPECT_TRUE(foto.GuardaPng(ruta)) << ruta.string();
    };
    CUsuarioSimulado espera;
    espera.Cuando("two seconds of silence", [&] {
              const HWND ventana = Espera(textos);
              return ventana && Ventanas::Texto(::GetDlgItem(ventana, kTiempo)).find(L" 2 s") != std::wstring::npos;
          }, [&] {
              fotografia(Espera(textos), "espera");
              Usuario::Tecla(VK_ESCAPE);
          });
    espera.Empieza();
    Interroga(Url("http", RutaPropia(L"/never-answers")));
    const CredencialGuardada guardada(Destino("http"));
    CUsuarioSimulado prompt;
    prompt.Cuando("the prompt is up", [&] { return Ventanas::Activa(Prompt(textos)); }, [&] {
              Usuario::Escribe(kUsuario.GetString());
          })
        .Cuando("the user name typed", [&] { return !Ventanas::Texto(::GetDlgItem(Prompt(textos), 101)).empty(); },
                [&] {
                    fotografia(Prompt(textos), "credenciales");
                    Usuario::Tecla(VK_ESCAPE);
                });
    prompt.Empieza();
    Interroga(Url("http", RutaPropia(L"/basic")));
}

}  // namespace
