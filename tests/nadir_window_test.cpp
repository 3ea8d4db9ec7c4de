// What Nadir shows a user while it asks a server, driven by mouse and keyboard over a main window: the wait's
// window and the credential prompt. InSpanish tests run in a Spanish locale (tests/CMakeLists.txt).
#include "Nadir/OpenGIS/WMS/NegociadorWMS.h"
#include "Nadir/Sockets/ConexionHttp.h"

#include "InterrogaServidor.h"
#include "TextosSockets.h"
#include "support/InicioDeSesion.h"
#include "support/PruebaDeVentanas.h"
#include "support/UsuarioSimulado.h"

#include <afxwin.h>

#include <chrono>
#include <memory>

using Nadir::ExcepcionNadir;
using Nadir::OpenGIS::WMS::NegociadorWMS;
using Nadir::Sockets::ConexionHttp;
using Nadir::Sockets::ServidorOmitido;
using namespace InicioDeSesion;
using namespace std::chrono_literals;

namespace {

CWinApp theApp(L"nadir_window_test");
const auto* const g_entorno = testing::AddGlobalTestEnvironment(new CEntornoDeVentanas);

// The texts a user reads, in the language of this process.
struct Textos {
    const wchar_t* titulo;
    const wchar_t* servidor;
    const wchar_t* esperando;
    const wchar_t* omitido;  // after the host
    const wchar_t* iniciar;
    const wchar_t* sinCifrar;
    const wchar_t* cancelado;  // after the host
};

const Textos kIngles = {L"Waiting for a server", L"Server: ", L"Waiting for the answer\u2026",
                        L": its answer was not waited for.", L"Sign in to ",
                        L"Over http the password travels unencrypted.",
                        L" needs a user name and password; signing in was cancelled."};
const Textos kEspanol = {
    L"Esperando a un servidor", L"Servidor: ", L"Esperando la respuesta\u2026", L": no se esper\u00f3 su respuesta.",
    L"Iniciar sesi\u00f3n en ", L"Por http la contrase\u00f1a viaja sin cifrar.",
    L" necesita un nombre de usuario y una contrase\u00f1a; se cancel\u00f3 el inicio de sesi\u00f3n."};

// The connection Ortus makes, with limits of inactivity without and with the user watching that end a forgotten
// wait well inside CTest's.
std::shared_ptr<ConexionHttp> Conexion(std::chrono::milliseconds sinUsuario = 20s,
                                       std::chrono::milliseconds conUsuario = 15s)
{
    const std::shared_ptr<ConexionHttp> conexion = CreaConexion();
    ConexionHttp::Limites limites = LimitesDePrueba(sinUsuario, 30s);
    limites.inactividadConUsuario = conUsuario;
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

HWND Espera(const Textos& textos) { return Ventanas::ConTitulo(textos.titulo); }
HWND Prompt(const Textos& textos) { return Ventanas::ConTitulo(textos.iniciar + std::wstring(HostDe("http"))); }

// Every test runs over a main window, as a host's user works.
class ConVentanaPrincipal : public testing::Test {
protected:
    HWND Principal() { return m_principal.Ventana().m_hWnd; }

    CVentanaPrincipal m_principal;
};

// Skip against a server that never answers, in this process's language (Escape is the same IDCANCEL). How soon
// the window shows and the call ends after Skip is measured by bench/limits.sh, not here.
void SaltaUnServidorMudo(HWND principal, const Textos& textos)
{
    const auto espera = [&] { return Espera(textos); };
    bool vista = false;
    CUsuarioSimulado pasos;
    pasos.Cuando("the wait window is up", [&] { return espera() != nullptr; }, [&] {
             vista = true;
             EXPECT_EQ(principal, ::GetWindow(espera(), GW_OWNER));
             EXPECT_FALSE(::IsWindowEnabled(principal)) << "the host takes no input meanwhile";
             EXPECT_EQ(textos.servidor + std::wstring(HostDe("http")), Ventanas::Texto(::GetDlgItem(espera(), IDC_ESPERA_SERVIDOR)));
         })
        .Cuando("the server's silence shown",
                [&] { return Ventanas::Texto(::GetDlgItem(espera(), IDC_ESPERA_FASE)) == textos.esperando; },
                [&] { Usuario::Clic(::GetDlgItem(espera(), IDCANCEL)); });
    pasos.Empieza();
    bool omitido = false;
    // A call that went on after Skip would end in the inactivity limit's message, not a skip.
    const CString mensaje = Interroga(Url("http", RutaPropia(L"/never-answers")), &omitido);
    EXPECT_TRUE(vista);
    EXPECT_TRUE(omitido) << Utf8(mensaje);
    EXPECT_EQ(HostDe("http") + textos.omitido, mensaje.Mid(mensaje.Find(HostDe("http"))));
    EXPECT_TRUE(::IsWindowEnabled(principal));
    EXPECT_EQ(nullptr, espera()) << "the window is left behind";
}

using WaitWindow = ConVentanaPrincipal;

TEST_F(WaitWindow, ASilentServerShowsItOverTheHostAndSkipEndsTheCall)
{
    SaltaUnServidorMudo(Principal(), kIngles);
}

// 204 bytes every tenth of a second, 12240 in all, of no declared length: read on a thread of its own as it
// arrives, which the skip must end too.
TEST_F(WaitWindow, ATricklingServerHasItsBytesCounted)
{
    std::vector<std::wstring> fases;
    CUsuarioSimulado pasos;
    pasos.Cuando("the wait window counts bytes",
                 [&] {
                     const std::wstring fase = Ventanas::Texto(::GetDlgItem(Espera(kIngles), IDC_ESPERA_FASE));
                     if (fase.rfind(L"Receiving ", 0) == 0 && (fases.empty() || fases.back() != fase))
                         fases.push_back(fase);
                     return fases.size() >= 3;
                 },
                 [&] { Usuario::Clic(::GetDlgItem(Espera(kIngles), IDCANCEL)); });
    pasos.Empieza();
    bool omitido = false;
    Interroga(Url("http", RutaPropia(L"/steady") + L"?rate=2048&seconds=6&length=no"), &omitido);
    EXPECT_TRUE(omitido);
    ASSERT_EQ(3u, fases.size());
    int recibidos = 0;
    ASSERT_EQ(1, swscanf(fases.back().c_str(), L"Receiving %d", &recibidos)) << Utf8(fases.back().c_str());
    EXPECT_EQ(L"Receiving " + std::to_wstring(recibidos) + L" bytes", fases.back());
}

TEST_F(WaitWindow, WithTheUserWatchingTheTimeSoFarShowsAndTheLongerInactivityLimitHolds)
{
    bool vista = false;
    CUsuarioSimulado pasos;
    pasos.Cuando("two seconds of silence shown",
                 [&] { return Ventanas::Texto(::GetDlgItem(Espera(kIngles), IDC_ESPERA_TIEMPO)) == L"Time so far: 2 s"; },
                 [&] { vista = true; });
    pasos.Empieza();
    const CString mensaje = Interroga(Url("http", RutaPropia(L"/never-answers")), nullptr, Conexion(1s, 3s));
    EXPECT_TRUE(vista);
    EXPECT_EQ(HostDe("http") + L" accepted the connection but did not answer within 3 s.", mensaje);
}

// Escape on the prompt a server's login brings up: its warning and the failure, in this process's language.
void CancelaElPrompt(const Textos& textos)
{
    const CredencialGuardada guardada(Destino("http"));
    CUsuarioSimulado pasos;
    pasos.Cuando("the prompt is up", [&] { return Ventanas::Activa(Prompt(textos)); }, [&] {
        EXPECT_EQ(0u, Ventanas::Texto(::GetDlgItem(Prompt(textos), kMensajeDelPrompt)).find(textos.sinCifrar));
        Usuario::Tecla(VK_ESCAPE);
    });
    pasos.Empieza();
    EXPECT_EQ(HostDe("http") + textos.cancelado, Interroga(Url("http", RutaPropia(L"/basic"))));
}

using LoginPrompt = ConVentanaPrincipal;

TEST_F(LoginPrompt, CancelEndsWithAMessageNamingTheServerAndThreeRefusalsEndIt)
{
    CancelaElPrompt(kIngles);
    const CredencialGuardada guardada(Destino("http"));
    CUsuarioSimulado pasos;
    Teclea(pasos, [&] { return Prompt(kIngles); }, {L"mala-1", L"mala-2", L"mala-3"}, true, kIngles.sinCifrar);
    pasos.Empieza();
    const CString mensaje = Interroga(Url("http", RutaPropia(L"/basic")));
    EXPECT_EQ(HostDe("http") + L" did not accept the user name and password.", mensaje);
    EXPECT_EQ(L"", guardada.Leida()) << "a refused password is not remembered";
}

using WaitWindowInSpanish = ConVentanaPrincipal;

TEST_F(WaitWindowInSpanish, TheWindowThePromptAndTheMessagesAreSpanish)
{
    SaltaUnServidorMudo(Principal(), kEspanol);
    CancelaElPrompt(kEspanol);
}

}  // namespace
