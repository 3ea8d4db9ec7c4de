// Tests of NadirSockets' ConexionHttp against the loopback fixture servers (tests/fixtures).
#include "Nadir/Sockets/ConexionHttp.h"

#include "NadirTestSupport.h"

#include <psapi.h>
#include <wincrypt.h>

#include <Win32/Manejadores.h>

using Nadir::ExcepcionNadir;
using Nadir::Sockets::ConexionHttp;
using Nadir::Sockets::RespuestaHttp;
using namespace std::chrono_literals;

namespace {

constexpr std::size_t kMiB = 1u << 20;

ConexionHttp::Limites LimitesCortos() { return LimitesDePrueba(2s, 8s); }

// The answer to a GET that must succeed.
RespuestaHttp Obtener(const CString& url, const ConexionHttp::Limites& limites = LimitesCortos(),
                      unsigned int opciones = ConexionHttp::kSinOpciones)
{
    const Resultado resultado = Pide(url, limites, opciones);
    EXPECT_TRUE(resultado.respuesta) << "GET " << Utf8(url) << " failed: " << Utf8(resultado.mensaje);
    return resultado.respuesta.value_or(RespuestaHttp());
}

// The message of the ExcepcionNadir of a GET that must fail.
CString MensajeDeError(const CString& url, const ConexionHttp::Limites& limites = LimitesCortos())
{
    const Resultado resultado = Pide(url, limites);
    EXPECT_FALSE(resultado.respuesta) << "answered HTTP " << resultado.respuesta->estado;
    return resultado.mensaje;
}

std::size_t PicoDeMemoria()
{
    PROCESS_MEMORY_COUNTERS contadores = {};
    contadores.cb = sizeof(contadores);
    K32GetProcessMemoryInfo(GetCurrentProcess(), &contadores, sizeof(contadores));
    return contadores.PeakWorkingSetSize;
}

using Almacen = Win32::Manejador<HCERTSTORE, [](HCERTSTORE almacen) { ::CertCloseStore(almacen, 0); }>;

// Trusts the fixtures' throwaway CA for this Wine prefix's user, as an administrator would on Windows.
void ConfiarEnCaDePrueba()
{
    const std::string der = LeeArchivo(DirectorioFixtures() + "/tls/ca.der");
    ASSERT_FALSE(der.empty()) << "no " << DirectorioFixtures() << "/tls/ca.der";
    Almacen raiz(CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_CURRENT_USER, L"Root"));
    ASSERT_TRUE(raiz) << "CertOpenStore: " << GetLastError();
    ASSERT_TRUE(CertAddEncodedCertificateToStore(raiz.Get(), X509_ASN_ENCODING,
                                                 reinterpret_cast<const BYTE*>(der.data()),
                                                 static_cast<DWORD>(der.size()), CERT_STORE_ADD_USE_EXISTING,
                                                 nullptr))
        << "CertAddEncodedCertificateToStore: " << GetLastError();
}

}  // namespace

TEST(HttpContent, EncodedDocumentsAreInflated)
{
    const std::string original = Obtener(Url("http", L"/corpus/mapproxy__wms-large-111.xml")).cuerpo;
    ASSERT_GT(original.size(), 1000u);
    for (const wchar_t* codificacion : {L"/gzip/", L"/deflate/", L"/deflate-raw/"}) {
        SCOPED_TRACE(Utf8(codificacion));
        RespuestaHttp respuesta = Obtener(Url("http", CString(codificacion) + L"mapproxy__wms-large-111.xml"));
        EXPECT_EQ(200u, respuesta.estado);
        EXPECT_TRUE(original == respuesta.cuerpo) << respuesta.cuerpo.size() << " bytes, not " << original.size();
    }
}

TEST(HttpExchange, TheRequestGoesOutAndStatusReasonTypeBodyAndAddressComeBackAsSent)
{
    const struct {
        const wchar_t* ruta;
        unsigned int estado;
        const wchar_t* frase;
        const wchar_t* tipo;
        std::vector<std::string> enElCuerpo;
    } filas[] = {
        {L"/echo?SERVICE=WMS&LAYERS=\u00D1and\u00FA&TITLE=R\u00EDo de la Plata", 200, L"OK", L"text/plain",
         {"GET /echo?SERVICE=WMS&LAYERS=%C3%91and%C3%BA&TITLE=R%C3%ADo%20de%20la%20Plata HTTP/1.1",
          "User-Agent: OrtusTest/1.0 (fixture)", "Accept-Encoding: gzip, deflate"}},
        {L"/wms/status-404", 404, L"Not Found", L"text/html", {"<h1>Not Found</h1>"}},
    };
    for (const auto& fila : filas) {
        SCOPED_TRACE(Utf8(fila.ruta));
        const CString url = Url("http", fila.ruta);
        RespuestaHttp respuesta = Obtener(url);
        EXPECT_EQ(fila.estado, respuesta.estado);
        EXPECT_STREQ(fila.frase, respuesta.frase);
        EXPECT_STREQ(fila.tipo, respuesta.tipoContenido);
        for (const std::string& esperado : fila.enElCuerpo)
            EXPECT_TRUE(Contiene(respuesta.cuerpo, esperado))
                << esperado << " missing from " << respuesta.cuerpo.substr(0, 200);
        EXPECT_STREQ(url, respuesta.urlFinal);  // no redirect: the address asked
    }
}

TEST(HttpRedirects, ChainsUpToTheLimitAndHttpToHttpsAreFollowedLongerOnesLoopsAndDowngradesRefused)
{
    static const struct {
        const char* listener;
        const wchar_t* ruta;
        unsigned int limite;
        const char* listenerFinal;
        const wchar_t* rutaFinal;
        const char* enElCuerpo;
        const wchar_t* fragmento;  // null: followed to rutaFinal
    } filas[] = {
        {"http", L"/redirect/10", 10, "http", L"/redirect/0", "end of chain\n", nullptr},
        {"http", L"/to/https/corpus/geotools__ign.xml", 10, "https", L"/corpus/geotools__ign.xml",
         "<WMS_Capabilities", nullptr},
        {"http", L"/redirect/11", 10, "", L"", "", L"redirected more than 10 times"},
        {"http", L"/loop/a", 10, "", L"", "", L"redirects in a loop"},
        {"https", L"/to/http/corpus/geotools__ign.xml", 10, "", L"", "", L"to the unencrypted address http://127.0.0.1:"},
    };
    ConfiarEnCaDePrueba();
    for (const auto& fila : filas) {
        SCOPED_TRACE(Utf8(fila.ruta));
        ConexionHttp::Limites limites = LimitesCortos();
        limites.redirecciones = fila.limite;
        if (fila.fragmento) {
            const CString mensaje = MensajeDeError(Url(fila.listener, fila.ruta), limites);
            EXPECT_CONTAINS(mensaje, fila.fragmento);
            EXPECT_CONTAINS(mensaje, HostDe(fila.listener));
            continue;
        }
        RespuestaHttp respuesta = Obtener(Url(fila.listener, fila.ruta), limites);
        EXPECT_EQ(200u, respuesta.estado);
        EXPECT_TRUE(Contiene(respuesta.cuerpo, fila.enElCuerpo)) << respuesta.cuerpo.substr(0, 200);
        EXPECT_STREQ(Url(fila.listenerFinal, fila.rutaFinal), respuesta.urlFinal);
    }
}

TEST(HttpFailures, EachFailureGetsItsOwnMessageNamingWhatFailed)
{
    // Wine's WinHTTP knows the reason but reports every certificate failure as 12157 without it.
    const auto certificado = [](const wchar_t* motivo) { return EsWine() ? L"its certificate was refused" : motivo; };
    // A label over 63 characters is refused before any query leaves; long limits, or a wait would say so.
    const CString sinNombre = CString(L'a', 64) + L".ortus.invalid";
    const struct {
        CString url;
        CString nombrado;                  // the host or address the message names
        std::chrono::milliseconds espera;  // for the connection, and for each answer
        std::chrono::milliseconds total;
        const wchar_t* fragmento;
    } filas[] = {
        {L"ftp://127.0.0.1/wms", L"ftp://127.0.0.1/wms", 2s, 8s, L"only http and https addresses are supported"},
        {L"http://", L"http://", 2s, 8s, L"is not a valid web address"},
        {Url("refused", L"/"), HostDe("refused"), 60s, 60s, L"the connection was refused"},
        {L"http://" + sinNombre + L"/wms", sinNombre, 60s, 60s, L"the name does not resolve"},
        {Url("blackhole", L"/"), HostDe("blackhole"), 2s, 8s, L"Timed out connecting to"},
        {Url("http", L"/never-answers"), HostDe("http"), 2s, 8s,
         L"accepted the connection but did not answer within 2 s"},
        {Url("http", L"/stall"), HostDe("http"), 2s, 8s, L"stopped sending the document: nothing arrived for 2 s"},
        {Url("http", L"/trickle"), HostDe("http"), 2s, 3s, L"did not deliver the document within 3 s"},
        {Url("http", L"/short"), HostDe("http"), 2s, 8s, L"closed before the whole document arrived"},
        {Url("http", L"/corrupt-gzip"), HostDe("http"), 2s, 8s, L"is damaged and cannot be decoded"},
        {Url("http", L"/brotli"), HostDe("http"), 2s, 8s, L"encoded as \"br\", which cannot be decoded"},
        // The trusted certificate is read through a redirect in HttpRedirects.
        {Url("https-untrusted", L"/"), HostDe("https-untrusted"), 2s, 8s, certificado(L"is not trusted")},
        {Url("https-wrongname", L"/"), HostDe("https-wrongname"), 2s, 8s,
         certificado(L"was issued for another host name")},
        {Url("https-expired", L"/"), HostDe("https-expired"), 2s, 8s, certificado(L"has expired or is not yet valid")},
    };
    ConfiarEnCaDePrueba();
    for (const auto& fila : filas) {
        SCOPED_TRACE(Utf8(fila.url));
        const CString mensaje = MensajeDeError(fila.url, LimitesDePrueba(fila.espera, fila.total));
        EXPECT_CONTAINS(mensaje, fila.fragmento);
        EXPECT_CONTAINS(mensaje, fila.nombrado);
    }
}

TEST(HttpSize, BodiesOverTheCapAreRefusedUnreadAndAtTheCapArrive)
{
    constexpr std::size_t kPorDefecto = ConexionHttp::Limites{}.tamanoMaximo;
    static const struct {
        const wchar_t* ruta;
        std::size_t tope;
        const wchar_t* fragmento;  // null: the whole body arrives
    } filas[] = {
        {L"/oversize?mib=3", 2 * kMiB, L"is more than 2 MiB"},
        {L"/gzip-bomb?mib=3", 2 * kMiB, L"is more than 2 MiB"},
        {L"/oversize?mib=2", 2 * kMiB - 1, L"is more than 2097151 bytes"},
        {L"/gzip-bomb?mib=1024", kPorDefecto, L"is more than 64 MiB"},
        {L"/oversize?mib=1024&length=no", kPorDefecto, L"is more than 64 MiB"},
        {L"/oversize?mib=2", 2 * kMiB, nullptr},
    };
    for (const auto& fila : filas) {
        SCOPED_TRACE(Utf8(fila.ruta));
        ConexionHttp::Limites limites = LimitesCortos();
        limites.tamanoMaximo = fila.tope;
        limites.total = 60s;
        const std::size_t antes = PicoDeMemoria();
        if (fila.fragmento) {
            const CString mensaje = MensajeDeError(Url("http", fila.ruta), limites);
            EXPECT_CONTAINS(mensaje, fila.fragmento);
            EXPECT_CONTAINS(mensaje, HostDe("http"));
        } else {
            EXPECT_EQ(fila.tope, Obtener(Url("http", fila.ruta), limites).cuerpo.size());
        }
        // Holding a whole gigabyte, even briefly, would show in the peak.
        EXPECT_LT(PicoDeMemoria() - antes, 256 * kMiB);
    }
}

TEST(HttpSpeed, BodiesSlowerThanTheFloorAreCutAndSteadyOnesAboveItArrive)
{
    static const struct {
        const wchar_t* ruta;
        std::size_t minimo;  // bytes a second
        std::chrono::milliseconds ventana;
        std::size_t bytes;         // the whole body, when it must arrive
        const wchar_t* fragmento;  // null: it arrives
    } filas[] = {
        {L"/steady?rate=256&seconds=8", 1024, 2s, 0, L"below the minimum of 1 KiB a second"},
        {L"/steady?rate=8192&seconds=4", 1024, 1s, 819 * 40, nullptr},
        // The rule turned off: only the other limits apply.
        {L"/steady?rate=256&seconds=3", 0, 1s, 25 * 30, nullptr},
    };
    for (const auto& fila : filas) {
        SCOPED_TRACE(Utf8(fila.ruta));
        ConexionHttp::Limites limites = LimitesCortos();
        // Longer than the window, so that only the low-speed rule can end these bodies early.
        limites.inactividad = 5s;
        limites.total = 30s;
        limites.velocidadMinima = fila.minimo;
        limites.ventanaVelocidad = fila.ventana;
        if (!fila.fragmento) {
            EXPECT_EQ(fila.bytes, Obtener(Url("http", fila.ruta), limites).cuerpo.size());
            continue;
        }
        const CString mensaje = MensajeDeError(Url("http", fila.ruta), limites);
        EXPECT_CONTAINS(mensaje, HostDe("http") + L" is sending the document too slowly: ");
        EXPECT_CONTAINS(mensaje, fila.fragmento);
    }
}
