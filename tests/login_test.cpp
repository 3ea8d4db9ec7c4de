// NadirSockets' logins and proxies on the loopback fixtures, with no window to prompt from (as wmsinfo runs).
// They change this Wine prefix's user settings: CTest runs them one at a time (RESOURCE_LOCK).
#include "Nadir/OpenGIS/WMS/NegociadorWMS.h"
#include "Nadir/Sockets/ConexionHttp.h"

#include "support/InicioDeSesion.h"

#include <memory>
#include <optional>

using Nadir::ExcepcionNadir;
using Nadir::Sockets::ConexionHttp;
using Nadir::Sockets::RespuestaHttp;
using namespace InicioDeSesion;
using namespace std::chrono_literals;

namespace {

constexpr wchar_t kAgente[] = L"OrtusTest/1.0 (logins)";

Resultado Pide(const CString& url, unsigned int opciones = ConexionHttp::kSinOpciones)
{
    return ::Pide(url, LimitesDePrueba(5s, 20s), opciones);
}

TEST(HttpLogins, CredentialsComeFromTheAddressThenCredentialManagerAndEachIsTriedOnce)
{
    const CString incorrecta = L"no-es-esta";
    const std::string correcto = Basic(kUsuario, kContrasena);
    const std::string erroneo = Basic(kUsuario, incorrecta);
    const CString pedirlas = L"Give them in the address, as http://USER:PASSWORD@" + HostDe("http") +
                             L"/..., or in Windows Credential Manager as the generic credential " + Destino("http") + L".";
    const struct {
        const char* caso;
        const wchar_t* enLaDireccion;  // password in the address; null: no user:password@
        const wchar_t* guardada;       // password in Credential Manager; null: none
        std::vector<std::string> vistos;
        CString fragmento;  // empty: the server lets us in
    } filas[] = {
        {"address", kContrasenaEnDireccion, nullptr, {"-", correcto}, L""},
        {"Credential Manager", nullptr, kContrasena, {"-", correcto}, L""},
        // Each new password goes on a new request, which the server challenges first.
        {"wrong address, then Credential Manager", L"no-es-esta", kContrasena, {"-", erroneo, "-", correcto}, L""},
        {"wrong address alone", L"no-es-esta", nullptr, {"-", erroneo},
         HostDe("http") + L" did not accept the user name and password. " + pedirlas},
        {"none", nullptr, nullptr, {"-"}, HostDe("http") + L" asks for a user name and password. " + pedirlas},
    };
    for (const auto& fila : filas) {
        SCOPED_TRACE(fila.caso);
        const CString ruta = RutaPropia(L"/basic");
        std::optional<CredencialGuardada> guardada;
        if (fila.guardada)
            guardada.emplace(Destino("http"), kUsuario, fila.guardada);
        const Resultado resultado =
            Pide(fila.enLaDireccion ? ConCredenciales(ruta, kUsuario, fila.enLaDireccion) : Url("http", ruta));
        EXPECT_EQ(fila.vistos, LoginsVistos(ruta));
        if (fila.fragmento.IsEmpty()) {
            ASSERT_TRUE(resultado.respuesta) << Utf8(resultado.mensaje);
            EXPECT_EQ(200u, resultado.respuesta->estado);
            EXPECT_TRUE(Contiene(resultado.respuesta->cuerpo, "<WMS_Capabilities"));
            // The address the caller is given back keeps the user but not the password.
            EXPECT_EQ(-1, resultado.respuesta->urlFinal.Find(L"contrase"));
        } else {
            EXPECT_EQ(std::wstring(fila.fragmento), std::wstring(resultado.mensaje));
        }
    }
}

// Digest goes before Basic, which sends the password as it is.
TEST(HttpLogins, TheStrongestSchemeOfferedIsTheOneUsed)
{
    const CString ruta = RutaPropia(L"/digest");
    const Resultado resultado = Pide(ConCredenciales(ruta, kUsuario, kContrasenaEnDireccion));
    const std::vector<std::string> vistos = LoginsVistos(ruta);
    for (const std::string& visto : vistos)
        EXPECT_FALSE(Contiene(visto, "Basic")) << "the password went out as Basic";
    // Wine's WinHTTP has no Digest: it sends the request again with no Authorization at all.
    if (EsWine()) {
        EXPECT_EQ(std::vector<std::string>(vistos.size(), "-"), vistos);
        EXPECT_CONTAINS(resultado.mensaje, HostDe("http") + L" did not accept the user name and password.");
    } else {
        ASSERT_GE(vistos.size(), 2u);
        EXPECT_EQ(0u, vistos[1].find("Digest ")) << vistos[1];
    }
}

TEST(HttpLogins, ARedirectToAnotherHostLeavesThePasswordBehind)
{
    const CString ruta = RutaPropia(L"");
    const Resultado resultado = Pide(ConCredenciales(L"/basic-redirect" + ruta, kUsuario, kContrasenaEnDireccion));
    ASSERT_TRUE(resultado.respuesta) << Utf8(resultado.mensaje);
    CString otro;
    otro.Format(L"http://localhost:%u/echo%s", Puerto("http"), ruta.GetString());
    EXPECT_STREQ(otro, resultado.respuesta->urlFinal);
    EXPECT_TRUE(Contiene(resultado.respuesta->cuerpo, "Host: localhost:")) << resultado.respuesta->cuerpo;
    EXPECT_FALSE(Contiene(resultado.respuesta->cuerpo, "Authorization")) << resultado.respuesta->cuerpo;
    EXPECT_EQ(std::vector<std::string>{"-"}, LoginsVistos(L"/echo" + ruta));
}

TEST(HttpLogins, APasswordInTheAddressNeverReachesAMessage)
{
    const CString secreto = L"s3creto";
    CString rechazada;
    rechazada.Format(L"http://ana:%s@127.0.0.1:%u/wms", secreto.GetString(), Puerto("refused"));
    const CString filas[] = {
        rechazada,
        L"http://ana:" + secreto + L"@127.0.0.1:99999/wms",
        L"ftp://ana:" + secreto + L"@example.org/wms",
        ConCredenciales(RutaPropia(L"/basic"), kUsuario, secreto),
    };
    for (const CString& url : filas) {
        SCOPED_TRACE(Utf8(url));
        const Resultado http = Pide(url);
        EXPECT_FALSE(http.mensaje.IsEmpty());
        EXPECT_EQ(-1, http.mensaje.Find(secreto)) << Utf8(http.mensaje);
        try {
            Nadir::OpenGIS::WMS::NegociadorWMS::CreaClienteWMS(std::make_shared<ConexionHttp>(kAgente, 1), url);
            ADD_FAILURE() << "answered";
        } catch (const ExcepcionNadir& e) {
            EXPECT_EQ(-1, e.m_mensaje.Find(secreto)) << Utf8(e.m_mensaje);
        }
    }
    // The user, where a message names the address, stays.
    EXPECT_CONTAINS(Pide(L"http://ana:" + secreto + L"@127.0.0.1:99999/wms").mensaje, L"\"http://ana@127.0.0.1:99999/wms\"");
}

// The user's Internet Options (the connection settings WinINet writes) for a scope, then back as they were.
class OpcionesDeInternet {
public:
    enum Bandera : DWORD { kDirecto = 1, kProxy = 2, kGuion = 4 };

    OpcionesDeInternet(DWORD banderas, const CString& proxy, const CString& excepciones, const CString& guion)
    {
        DWORD tamano = 0;
        if (::RegGetValueW(HKEY_CURRENT_USER, kClave, kValor, RRF_RT_REG_BINARY, nullptr, nullptr, &tamano) ==
            ERROR_SUCCESS) {
            m_anterior.emplace(tamano, '\0');
            ::RegGetValueW(HKEY_CURRENT_USER, kClave, kValor, RRF_RT_REG_BINARY, nullptr, m_anterior->data(), &tamano);
        }
        std::string bloque;
        const auto palabra = [&](DWORD valor) { bloque.append(reinterpret_cast<const char*>(&valor), sizeof valor); };
        const auto texto = [&](const CString& valor) {
            palabra(static_cast<DWORD>(Utf8(valor).size()));
            bloque += Utf8(valor);
        };
        palabra(0x46);  // the layout's version
        palabra(1);     // changes counter
        palabra(banderas);
        texto(proxy);
        texto(excepciones);
        texto(guion);
        bloque.append(32, '\0');
        EXPECT_EQ(ERROR_SUCCESS, Escribe(bloque));
    }
    ~OpcionesDeInternet()
    {
        if (m_anterior)
            Escribe(*m_anterior);
        else
            ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kClave, kValor);
    }
    OpcionesDeInternet(const OpcionesDeInternet&) = delete;
    OpcionesDeInternet& operator=(const OpcionesDeInternet&) = delete;

private:
    static LSTATUS Escribe(const std::string& bloque)
    {
        return ::RegSetKeyValueW(HKEY_CURRENT_USER, kClave, kValor, REG_BINARY, bloque.data(),
                                 static_cast<DWORD>(bloque.size()));
    }

    static constexpr wchar_t kClave[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Connections";
    static constexpr wchar_t kValor[] = L"DefaultConnectionSettings";
    std::optional<std::string> m_anterior;
};

// What a request through the system's proxies turned into: "forwarded" (the proxy lists it), "direct"
// (answered without the proxy), or the failure's message.
std::string Camino(const CString& url, const std::string& proxy)
{
    const Resultado resultado = Pide(url, ConexionHttp::kProxyDelSistema);
    if (!resultado.respuesta)
        return Utf8(resultado.mensaje);
    const CString ruta = url.Mid(url.Find(L'/', url.Find(L"//") + 2));
    const std::string reenviados = Pide(Url(proxy, L"/forwarded")).respuesta.value_or(RespuestaHttp()).cuerpo;
    return Contiene(reenviados, Utf8(ruta) + " HTTP/") ? "forwarded" : "direct";
}

// A name only a proxy can reach: no resolver knows .invalid.
CString Lejano(const CString& nombre, const CString& ruta)
{
    return L"http://" + nombre + L".ortus.invalid" + ruta;
}

// A configuration script (served by the fixture on loopback, naming proxy), or a fixed proxy and its bypass list.
TEST(HttpProxies, AScriptOrAFixedProxyServesAllButTheBypassListAndLoopbackOnlyWhenTheListSaysSo)
{
    const CString sinPuntos(L'p', 64);  // <local>; a label that long is refused before any query leaves
    const CString excepciones = L"*.skip.ortus.invalid;<local>";
    const CString pedirlas = L" asks for a user name and password. Give them in Windows Credential Manager as the "
                             L"generic credential " + Destino("proxy-login") + L".";
    const struct {
        DWORD banderas;
        const char* proxy;
        CString excepciones;
        CString url;
        std::string camino;
    } filas[] = {
        {OpcionesDeInternet::kGuion, "proxy", L"", Lejano(L"wms", RutaPropia(L"/echo")), "forwarded"},
        {OpcionesDeInternet::kProxy, "proxy", excepciones, Lejano(L"a", RutaPropia(L"/echo")), "forwarded"},
        {OpcionesDeInternet::kProxy, "proxy", excepciones, Lejano(L"b.skip", L"/echo"),
         "Cannot find the server \"b.skip.ortus.invalid\": the name does not resolve."},
        {OpcionesDeInternet::kProxy, "proxy", excepciones, L"http://" + sinPuntos + L"/echo",
         "Cannot find the server \"" + Utf8(sinPuntos) + "\": the name does not resolve."},
        {OpcionesDeInternet::kProxy, "proxy", excepciones, Url("http", RutaPropia(L"/echo")), "direct"},
        {OpcionesDeInternet::kProxy, "proxy", L"<local>;<-loopback>", Url("http", RutaPropia(L"/echo")), "forwarded"},
        // With no credential stored for it.
        {OpcionesDeInternet::kProxy, "proxy-login", L"<local>", Lejano(L"e", RutaPropia(L"/echo")),
         Utf8(L"The proxy " + HostDe("proxy-login") + pedirlas)},
    };
    for (const auto& fila : filas) {
        SCOPED_TRACE(Utf8(fila.excepciones + L" " + fila.url));
        const bool guion = fila.banderas == OpcionesDeInternet::kGuion;
        const OpcionesDeInternet opciones(OpcionesDeInternet::kDirecto | fila.banderas,
                                          guion ? CString() : HostDe(fila.proxy), fila.excepciones,
                                          guion ? Url("http", L"/pac/" + CString(fila.proxy)) : CString());
        EXPECT_EQ(fila.camino, Camino(fila.url, fila.proxy));
    }
}

TEST(HttpProxies, AProxyThatAsksForALoginTakesItFromCredentialManager)
{
    const OpcionesDeInternet opciones(OpcionesDeInternet::kDirecto | OpcionesDeInternet::kProxy,
                                      HostDe("proxy-login"), L"<local>", L"");
    const CredencialGuardada guardada(Destino("proxy-login"), kUsuarioDelProxy, kContrasenaDelProxy);
    EXPECT_EQ("forwarded", Camino(Lejano(L"f", RutaPropia(L"/echo")), "proxy-login"));
    // Proxy and server both ask: each gets its own.
    const CString ruta = RutaPropia(L"/basic");
    const Resultado ambos = Pide(L"http://ana:" + kContrasenaEnDireccion + L"@g.ortus.invalid" + ruta,
                                 ConexionHttp::kProxyDelSistema);
    ASSERT_TRUE(ambos.respuesta) << Utf8(ambos.mensaje);
    EXPECT_EQ(200u, ambos.respuesta->estado);
    EXPECT_EQ(Basic(kUsuario, kContrasena), LoginsVistos(ruta).back());
}

}  // namespace
