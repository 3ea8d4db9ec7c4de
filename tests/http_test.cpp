// Tests of NadirSockets' ConexionHttp against the loopback fixture servers (tests/fixtures).
#include "Nadir/Sockets/ConexionHttp.h"

#include <windows.h>
#include <psapi.h>
#include <wincrypt.h>
#include <winhttp.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using Nadir::ExcepcionNadir;
using Nadir::Sockets::ConexionHttp;
using Nadir::Sockets::RespuestaHttp;
using namespace std::chrono_literals;

namespace {

constexpr wchar_t kAgente[] = L"OrtusTest/1.0 (fixture)";
constexpr std::size_t kMiB = 1u << 20;

std::string Utf8(const CString& texto)
{
    int bytes = WideCharToMultiByte(CP_UTF8, 0, texto, texto.GetLength(), nullptr, 0, nullptr, nullptr);
    std::string resultado(bytes, '\0');
    WideCharToMultiByte(CP_UTF8, 0, texto, texto.GetLength(), resultado.data(), bytes, nullptr, nullptr);
    return resultado;
}

std::string DirectorioFixtures()
{
    const char* variable = std::getenv("ORTUS_FIXTURES_DIR");
    return variable && *variable ? variable : "fixtures";
}

std::string LeerArchivo(const std::string& ruta)
{
    std::ifstream archivo(ruta, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(archivo), std::istreambuf_iterator<char>());
}

// Ports of the fixture server's listeners by name ("http", "https", "refused", ...), 0 if absent.
unsigned int Puerto(const std::string& nombre)
{
    static const std::map<std::string, unsigned int> puertos = [] {
        std::map<std::string, unsigned int> leidos;
        std::istringstream lineas(LeerArchivo(DirectorioFixtures() + "/ports.txt"));
        std::string clave;
        unsigned int puerto = 0;
        while (lineas >> clave >> puerto)
            leidos[clave] = puerto;
        return leidos;
    }();
    auto encontrado = puertos.find(nombre);
    return encontrado == puertos.end() ? 0 : encontrado->second;
}

CString Url(const std::string& listener, const wchar_t* ruta)
{
    const unsigned int puerto = Puerto(listener);
    EXPECT_NE(0u, puerto) << "no '" << listener << "' port in " << DirectorioFixtures()
                          << "/ports.txt: is the fixture server running (fixtures_start)?";
    CString url;
    if (listener == "http6")
        url.Format(L"http://[::1]:%u%s", puerto, ruta);
    else
        url.Format(L"%s://127.0.0.1:%u%s", listener.rfind("https", 0) == 0 ? L"https" : L"http", puerto, ruta);
    return url;
}

CString HostDe(const std::string& listener)
{
    CString host;
    host.Format(L"127.0.0.1:%u", Puerto(listener));
    return host;
}

// Short limits, so no test depends on the defaults' long waits.
ConexionHttp::Limites LimitesCortos()
{
    ConexionHttp::Limites limites;
    limites.conexion = 2s;
    limites.inactividad = 2s;
    limites.total = 8s;
    return limites;
}

// The answer to a GET that must succeed; an exception fails the test with its message.
RespuestaHttp Obtener(const CString& url, const ConexionHttp::Limites& limites = LimitesCortos())
{
    try {
        ConexionHttp conexion(kAgente, ConexionHttp::kSinOpciones);
        conexion.SetLimites(limites);
        return conexion.Get(url);
    } catch (const ExcepcionNadir& e) {
        ADD_FAILURE() << "GET " << Utf8(url) << " failed: " << Utf8(e.m_mensaje);
        return RespuestaHttp();
    }
}

// The message of the ExcepcionNadir that Get throws; fails the test when none is thrown.
CString MensajeDeError(const CString& url, const ConexionHttp::Limites& limites = LimitesCortos())
{
    try {
        ConexionHttp conexion(kAgente, ConexionHttp::kSinOpciones);
        conexion.SetLimites(limites);
        RespuestaHttp respuesta = conexion.Get(url);
        ADD_FAILURE() << "no exception; got HTTP " << respuesta.estado << " with " << respuesta.cuerpo.size()
                      << " bytes";
    } catch (const ExcepcionNadir& e) {
        return e.m_mensaje;
    }
    return CString();
}

#define EXPECT_CONTAINS(texto, fragmento)                                                                \
    EXPECT_GE(CString(texto).Find(fragmento), 0) << "message: " << Utf8(texto) << "\nexpected to contain: " \
                                                 << Utf8(fragmento)

std::size_t PicoDeMemoria()
{
    PROCESS_MEMORY_COUNTERS contadores = {};
    contadores.cb = sizeof(contadores);
    K32GetProcessMemoryInfo(GetCurrentProcess(), &contadores, sizeof(contadores));
    return contadores.PeakWorkingSetSize;
}

bool EsWine()
{
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

struct CerrarAlmacen {
    void operator()(HCERTSTORE almacen) const { CertCloseStore(almacen, 0); }
};
using Almacen = std::unique_ptr<void, CerrarAlmacen>;

// Trusts the fixtures' throwaway CA for this Wine prefix's user, as an administrator would on Windows.
void ConfiarEnCaDePrueba()
{
    const std::string der = LeerArchivo(DirectorioFixtures() + "/tls/ca.der");
    ASSERT_FALSE(der.empty()) << "no " << DirectorioFixtures() << "/tls/ca.der";
    Almacen raiz(CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_CURRENT_USER, L"Root"));
    ASSERT_TRUE(raiz) << "CertOpenStore: " << GetLastError();
    ASSERT_TRUE(CertAddEncodedCertificateToStore(raiz.get(), X509_ASN_ENCODING,
                                                 reinterpret_cast<const BYTE*>(der.data()),
                                                 static_cast<DWORD>(der.size()), CERT_STORE_ADD_USE_EXISTING,
                                                 nullptr))
        << "CertAddEncodedCertificateToStore: " << GetLastError();
}

}  // namespace

TEST(HttpOptions, UnknownOptionBitsAreRefused)
{
    static const unsigned int filas[] = {2, 3, 4, 0x100, 0x80000000u};
    for (unsigned int opciones : filas) {
        SCOPED_TRACE(opciones);
        try {
            ConexionHttp conexion(kAgente, opciones);
            ADD_FAILURE() << "accepted";
        } catch (const ExcepcionNadir& e) {
            EXPECT_CONTAINS(e.m_mensaje, L"Unknown HTTP connection option");
        }
    }
}

TEST(HttpOptions, KnownOptionsReachTheServer)
{
    static const unsigned int filas[] = {ConexionHttp::kSinOpciones, ConexionHttp::kProxyDelSistema};
    for (unsigned int opciones : filas) {
        SCOPED_TRACE(opciones);
        try {
            ConexionHttp conexion(kAgente, opciones);
            conexion.SetLimites(LimitesCortos());
            EXPECT_EQ(200u, conexion.Get(Url("http", L"/echo")).estado);
        } catch (const ExcepcionNadir& e) {
            ADD_FAILURE() << Utf8(e.m_mensaje);
        }
    }
}

TEST(HttpOptions, SystemProxyOptionSendsRequestsThroughTheProxy)
{
    // Wine's WinHTTP takes http_proxy as its default proxy configuration (on Windows, netsh winhttp
    // set proxy does the same job), so the fixture server can stand in for a proxy here.
    if (!EsWine())
        GTEST_SKIP() << "http_proxy is honoured by Wine's WinHTTP only";
    // A name the resolver refuses offline: only a request that goes through the proxy can be answered.
    const CString host = CString(L'p', 64) + L".ortus.invalid";
    const CString destino = L"http://" + host + L"/echo?via=proxy";
    CString proxy;
    proxy.Format(L"http://127.0.0.1:%u", Puerto("http"));
    ASSERT_EQ(0, _wputenv(L"http_proxy=" + proxy));
    struct Restaurar {
        ~Restaurar() { _wputenv(L"http_proxy="); }
    } restaurar;
    // Wine's CRT copies the environment at WinHTTP's first look, so only a fresh process sees it
    // (as under CTest, which runs each test alone).
    WINHTTP_PROXY_INFO configuracion = {};
    WinHttpGetDefaultProxyConfiguration(&configuracion);
    GlobalFree(configuracion.lpszProxy);
    GlobalFree(configuracion.lpszProxyBypass);
    if (configuracion.dwAccessType != WINHTTP_ACCESS_TYPE_NAMED_PROXY)
        GTEST_SKIP() << "WinHTTP read its proxy settings earlier in this process: run this test alone";

    static const struct {
        unsigned int opciones;
        bool porElProxy;
    } filas[] = {{ConexionHttp::kProxyDelSistema, true}, {ConexionHttp::kSinOpciones, false}};
    for (const auto& fila : filas) {
        SCOPED_TRACE(fila.opciones);
        ConexionHttp conexion(kAgente, fila.opciones);
        conexion.SetLimites(LimitesCortos());
        try {
            RespuestaHttp respuesta = conexion.Get(destino);
            EXPECT_TRUE(fila.porElProxy) << "answered without the proxy";
            // A request to a proxy names the whole address (Wine adds the port).
            EXPECT_EQ(0u, respuesta.cuerpo.find("GET http://" + Utf8(host))) << respuesta.cuerpo;
            EXPECT_NE(std::string::npos, respuesta.cuerpo.find("/echo?via=proxy HTTP/1.1")) << respuesta.cuerpo;
        } catch (const ExcepcionNadir& e) {
            EXPECT_FALSE(fila.porElProxy) << Utf8(e.m_mensaje);
            EXPECT_CONTAINS(e.m_mensaje, L"the name does not resolve");
        }
    }
}

TEST(HttpAddresses, OtherSchemesAndNonAddressesAreRefused)
{
    static const struct {
        const wchar_t* url;
        const wchar_t* fragmento;
    } filas[] = {
        {L"ftp://127.0.0.1/wms", L"only http and https addresses are supported"},
        {L"file:///C:/capabilities.xml", L"only http and https addresses are supported"},
        {L"gopher://127.0.0.1/", L"only http and https addresses are supported"},
        {L"mailto:wms@example.org", L"only http and https addresses are supported"},
        {L"wms.example.org/wms?SERVICE=WMS", L"must start with http:// or https://"},
        {L"", L"is not a valid web address"},
        {L"http://", L"is not a valid web address"},
        {L"http://127.0.0.1:99999/wms", L"is not a valid web address"},
    };
    for (const auto& fila : filas) {
        SCOPED_TRACE(Utf8(fila.url));
        EXPECT_CONTAINS(MensajeDeError(fila.url), fila.fragmento);
    }
}

TEST(HttpAddresses, IPv6LiteralWithPortIsReached)
{
    if (Puerto("http6") == 0)
        GTEST_SKIP() << "this machine has no IPv6 loopback";
    RespuestaHttp respuesta = Obtener(Url("http6", L"/echo?via=v6"));
    EXPECT_EQ(200u, respuesta.estado);
    const std::string host = "Host: [::1]:" + std::to_string(Puerto("http6"));
    EXPECT_NE(std::string::npos, respuesta.cuerpo.find(host)) << respuesta.cuerpo;
    EXPECT_NE(std::string::npos, respuesta.cuerpo.find("GET /echo?via=v6 HTTP/1.1")) << respuesta.cuerpo;
}

TEST(HttpRequest, SendsQueryAgentAndAcceptEncoding)
{
    RespuestaHttp respuesta =
        Obtener(Url("http", L"/corpus/geotools__ign.xml?SERVICE=WMS&REQUEST=GetCapabilities&VERSION=1.3.0"));
    ASSERT_EQ(200u, respuesta.estado);
    const std::string visto = Obtener(Url("http", L"/last/corpus/geotools__ign.xml")).cuerpo;
    static const char* const filas[] = {
        "GET /corpus/geotools__ign.xml?SERVICE=WMS&REQUEST=GetCapabilities&VERSION=1.3.0 HTTP/1.1",
        "User-Agent: OrtusTest/1.0 (fixture)",
        "Accept-Encoding: gzip, deflate",
    };
    for (const char* esperado : filas) {
        SCOPED_TRACE(esperado);
        EXPECT_NE(std::string::npos, visto.find(esperado)) << visto;
    }
}

TEST(HttpRequest, NonAsciiQueryIsSentAsPercentEncodedUtf8)
{
    const std::string visto = Obtener(Url("http", L"/echo?LAYERS=\u00D1and\u00FA&TITLE=R\u00EDo de la Plata")).cuerpo;
    EXPECT_NE(std::string::npos, visto.find("GET /echo?LAYERS=%C3%91and%C3%BA&TITLE=R%C3%ADo%20de%20la%20Plata HTTP/1.1"))
        << visto;
}

TEST(HttpContent, EncodedDocumentsAreInflated)
{
    static const wchar_t* const documentos[] = {L"geotools__ign.xml", L"mapproxy__wms-large-111.xml",
                                                L"geotools__brunar130.xml"};
    static const wchar_t* const codificaciones[] = {L"/gzip/", L"/deflate/", L"/deflate-raw/"};
    for (const wchar_t* documento : documentos) {
        const std::string original = Obtener(Url("http", CString(L"/corpus/") + documento)).cuerpo;
        ASSERT_GT(original.size(), 1000u);
        for (const wchar_t* codificacion : codificaciones) {
            SCOPED_TRACE(Utf8(CString(codificacion) + documento));
            RespuestaHttp respuesta = Obtener(Url("http", CString(codificacion) + documento));
            EXPECT_EQ(200u, respuesta.estado);
            EXPECT_EQ(original.size(), respuesta.cuerpo.size());
            EXPECT_TRUE(original == respuesta.cuerpo);
        }
    }
}

TEST(HttpContent, StatusReasonTypeAndBodyPassThrough)
{
    static const struct {
        const wchar_t* ruta;
        unsigned int estado;
        const wchar_t* frase;
        const wchar_t* tipo;
        const char* enElCuerpo;
    } filas[] = {
        {L"/status/404", 404, L"Not Found", L"text/html", "<h1>Not Found</h1>"},
        {L"/status/500", 500, L"Internal Server Error", L"text/html", "<h1>Internal Server Error</h1>"},
        {L"/status/503", 503, L"Service Unavailable", L"text/html", "Service Unavailable"},
        {L"/service-exception", 200, L"OK", L"application/vnd.ogc.se_xml", "<ServiceExceptionReport"},
        {L"/html-200", 200, L"OK", L"text/html; charset=utf-8", "Please sign in"},
        {L"/wrong-type/geotools__ign.xml", 200, L"OK", L"text/html; charset=utf-8", "<WMS_Capabilities"},
        {L"/corpus/geotools__ign.xml", 200, L"OK", L"application/vnd.ogc.wms_xml", "<WMS_Capabilities"},
        {L"/deep?levels=100000", 200, L"OK", L"text/xml", "</Layer></Layer></Capability>"},
        {L"/billion-laughs", 200, L"OK", L"text/xml", "<!ENTITY lol9"},
    };
    for (const auto& fila : filas) {
        SCOPED_TRACE(Utf8(fila.ruta));
        RespuestaHttp respuesta = Obtener(Url("http", fila.ruta));
        EXPECT_EQ(fila.estado, respuesta.estado);
        EXPECT_STREQ(fila.frase, respuesta.frase);
        EXPECT_STREQ(fila.tipo, respuesta.tipoContenido);
        EXPECT_NE(std::string::npos, respuesta.cuerpo.find(fila.enElCuerpo));
    }
}

TEST(HttpContent, FinalAddressIsTheOneRequestedWithoutRedirects)
{
    const CString url = Url("http", L"/corpus/geotools__ign.xml?VERSION=1.3.0");
    EXPECT_STREQ(url, Obtener(url).urlFinal);
}

TEST(HttpRedirects, ChainsUpToTheLimitAreFollowed)
{
    static const struct {
        const wchar_t* ruta;
        unsigned int limite;
    } filas[] = {
        {L"/redirect/1", 10},
        {L"/redirect/9", 10},
        {L"/redirect/10", 10},
        {L"/redirect/3", 3},
    };
    for (const auto& fila : filas) {
        SCOPED_TRACE(Utf8(fila.ruta));
        ConexionHttp::Limites limites = LimitesCortos();
        limites.redirecciones = fila.limite;
        RespuestaHttp respuesta = Obtener(Url("http", fila.ruta), limites);
        EXPECT_EQ(200u, respuesta.estado);
        EXPECT_EQ("end of chain\n", respuesta.cuerpo);
        EXPECT_STREQ(Url("http", L"/redirect/0"), respuesta.urlFinal);
    }
}

TEST(HttpRedirects, LongChainsLoopsAndDowngradesAreRefused)
{
    static const struct {
        const char* listener;
        const wchar_t* ruta;
        unsigned int limite;
        const wchar_t* fragmento;
    } filas[] = {
        {"http", L"/redirect/11", 10, L"redirected more than 10 times"},
        {"http", L"/redirect/40", 10, L"redirected more than 10 times"},
        {"http", L"/redirect/1", 0, L"redirected more than 0 times"},
        {"http", L"/loop/a", 10, L"redirects in a loop"},
        {"https", L"/to/http/corpus/geotools__ign.xml", 10, L"to the unencrypted address http://127.0.0.1:"},
    };
    ConfiarEnCaDePrueba();
    for (const auto& fila : filas) {
        SCOPED_TRACE(Utf8(fila.ruta));
        ConexionHttp::Limites limites = LimitesCortos();
        limites.redirecciones = fila.limite;
        const CString mensaje = MensajeDeError(Url(fila.listener, fila.ruta), limites);
        EXPECT_CONTAINS(mensaje, fila.fragmento);
        EXPECT_CONTAINS(mensaje, HostDe(fila.listener));
    }
}

TEST(HttpRedirects, HttpToHttpsIsFollowed)
{
    ConfiarEnCaDePrueba();
    RespuestaHttp respuesta = Obtener(Url("http", L"/to/https/corpus/geotools__ign.xml"));
    EXPECT_EQ(200u, respuesta.estado);
    EXPECT_STREQ(Url("https", L"/corpus/geotools__ign.xml"), respuesta.urlFinal);
    EXPECT_NE(std::string::npos, respuesta.cuerpo.find("<WMS_Capabilities"));
}

TEST(HttpTls, TrustedCertificateIsAccepted)
{
    ConfiarEnCaDePrueba();
    RespuestaHttp respuesta = Obtener(Url("https", L"/gzip/geotools__ign.xml"));
    EXPECT_EQ(200u, respuesta.estado);
    EXPECT_NE(std::string::npos, respuesta.cuerpo.find("<WMS_Capabilities"));
}

TEST(HttpTls, BadCertificatesAreRefusedWithTheReason)
{
    static const struct {
        const char* listener;
        const wchar_t* fragmento;
    } filas[] = {
        {"https-untrusted", L"is not trusted"},
        {"https-wrongname", L"was issued for another host name"},
        {"https-expired", L"has expired or is not yet valid"},
    };
    // Wine's WinHTTP knows the reason but reports every certificate failure as 12157 without it.
    const bool sinMotivo = EsWine();
    ConfiarEnCaDePrueba();
    for (const auto& fila : filas) {
        SCOPED_TRACE(fila.listener);
        const CString mensaje = MensajeDeError(Url(fila.listener, L"/echo"));
        EXPECT_CONTAINS(mensaje, sinMotivo ? L"its certificate was refused" : fila.fragmento);
        EXPECT_CONTAINS(mensaje, HostDe(fila.listener));
    }
}

TEST(HttpFailures, EachMisbehaviourGetsItsOwnMessage)
{
    static const struct {
        const char* listener;
        const wchar_t* ruta;
        std::chrono::milliseconds inactividad;
        std::chrono::milliseconds total;
        const wchar_t* fragmento;
    } filas[] = {
        {"refused", L"/", 60s, 60s, L"the connection was refused"},
        {"blackhole", L"/", 2s, 8s, L"Timed out connecting to"},
        {"http", L"/never-answers", 2s, 8s, L"accepted the connection but did not answer within 2 s"},
        {"http", L"/stall", 2s, 8s, L"stopped sending the document: nothing arrived for 2 s"},
        {"http", L"/stall", 60s, 3s, L"did not deliver the document within 3 s"},
        {"http", L"/trickle", 2s, 3s, L"did not deliver the document within 3 s"},
        {"http", L"/short", 2s, 8s, L"closed before the whole document arrived"},
        {"http", L"/corrupt-gzip", 2s, 8s, L"is damaged and cannot be decoded"},
        {"http", L"/brotli", 2s, 8s, L"encoded as \"br\", which cannot be decoded"},
    };
    for (const auto& fila : filas) {
        SCOPED_TRACE(Utf8(CString(fila.listener) + L" " + fila.ruta));
        ConexionHttp::Limites limites = LimitesCortos();
        limites.inactividad = fila.inactividad;
        limites.total = fila.total;
        const CString mensaje = MensajeDeError(Url(fila.listener, fila.ruta), limites);
        EXPECT_CONTAINS(mensaje, fila.fragmento);
        EXPECT_CONTAINS(mensaje, HostDe(fila.listener));
    }
}

TEST(HttpFailures, UnresolvableNameFailsWithoutWaiting)
{
    // A label longer than 63 characters: the resolver refuses it before any query leaves the machine.
    // Long limits: a wait would end in a time-limit message instead of this one.
    const CString host = CString(L'a', 64) + L".ortus.invalid";
    ConexionHttp::Limites limites = LimitesCortos();
    limites.conexion = limites.inactividad = limites.total = 60s;
    const CString mensaje = MensajeDeError(L"http://" + host + L"/wms", limites);
    EXPECT_CONTAINS(mensaje, L"the name does not resolve");
    EXPECT_CONTAINS(mensaje, host);
}

TEST(HttpSize, BodiesOverTheCapAreRefused)
{
    static const struct {
        const wchar_t* ruta;
        std::size_t tope;
        const wchar_t* fragmento;
    } filas[] = {
        {L"/oversize?mib=3", 2 * kMiB, L"is more than 2 MiB"},
        {L"/oversize?mib=3&length=no", 2 * kMiB, L"is more than 2 MiB"},
        {L"/gzip-bomb?mib=3", 2 * kMiB, L"is more than 2 MiB"},
        {L"/oversize?mib=2", 2 * kMiB - 1, L"is more than 2097151 bytes"},
        {L"/deep?levels=100000", 512 * 1024, L"is more than 512 KiB"},
    };
    for (const auto& fila : filas) {
        SCOPED_TRACE(Utf8(fila.ruta));
        ConexionHttp::Limites limites = LimitesCortos();
        limites.tamanoMaximo = fila.tope;
        const CString mensaje = MensajeDeError(Url("http", fila.ruta), limites);
        EXPECT_CONTAINS(mensaje, fila.fragmento);
        EXPECT_CONTAINS(mensaje, HostDe("http"));
    }
}

TEST(HttpSize, BodiesAtTheCapArrive)
{
    ConexionHttp::Limites limites = LimitesCortos();
    limites.tamanoMaximo = 2 * kMiB;
    EXPECT_EQ(2 * kMiB, Obtener(Url("http", L"/oversize?mib=2"), limites).cuerpo.size());
    EXPECT_EQ(2 * kMiB, Obtener(Url("http", L"/gzip-bomb?mib=2"), limites).cuerpo.size());
}

TEST(HttpSize, DefaultCapStopsABombWithoutInflatingIt)
{
    static const wchar_t* const filas[] = {L"/gzip-bomb?mib=1024", L"/oversize?mib=1024&length=no"};
    for (const wchar_t* ruta : filas) {
        SCOPED_TRACE(Utf8(ruta));
        const std::size_t antes = PicoDeMemoria();
        ConexionHttp::Limites limites = LimitesCortos();
        limites.tamanoMaximo = ConexionHttp::Limites{}.tamanoMaximo;
        limites.total = 60s;
        EXPECT_CONTAINS(MensajeDeError(Url("http", ruta), limites), L"is more than 64 MiB");
        // Holding the whole gigabyte, even briefly, would show in the peak.
        EXPECT_LT(PicoDeMemoria() - antes, 256 * kMiB);
    }
}

TEST(MapServer, GetCapabilitiesAnswersThroughTheGateway)
{
    const std::string puerto = LeerArchivo(DirectorioFixtures() + "/mapserver.port");
    ASSERT_FALSE(puerto.empty()) << "no " << DirectorioFixtures() << "/mapserver.port";
    CString url;
    url.Format(L"http://127.0.0.1:%d/wms?SERVICE=WMS&REQUEST=GetCapabilities&VERSION=1.3.0", std::stoi(puerto));
    ConexionHttp::Limites limites = LimitesCortos();
    limites.total = limites.inactividad = 30s;
    RespuestaHttp respuesta = Obtener(url, limites);
    EXPECT_EQ(200u, respuesta.estado);
    EXPECT_GE(respuesta.tipoContenido.Find(L"text/xml"), 0) << Utf8(respuesta.tipoContenido);
    static const char* const filas[] = {"<WMS_Capabilities version=\"1.3.0\"", "<Name>rio_de_la_plata</Name>",
                                        "<Title>\xC3\x91" "and\xC3\xBA" " com\xC3\xBA" "n</Title>"};
    for (const char* esperado : filas) {
        SCOPED_TRACE(esperado);
        EXPECT_NE(std::string::npos, respuesta.cuerpo.find(esperado));
    }
}
