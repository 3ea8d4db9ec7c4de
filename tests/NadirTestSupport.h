// NadirTestSupport.h: texts, files, the loopback servers' addresses and what they saw, limits, GETs, layer walks.
#pragma once

#include "Nadir/OpenGIS/WMS/Layer.h"
#include "Nadir/Sockets/ConexionHttp.h"

#include <windows.h>

#include <Win32/Texto.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

// The tests print CStrings and wide texts as UTF-8.
using Win32::Utf8;

inline std::wstring Texto(const CString& s)
{
    return s.GetString();
}

inline bool Contiene(const std::string& texto, const std::string& fragmento)
{
    return texto.find(fragmento) != std::string::npos;
}

// Wine's answers differ from Windows' in places (schemes, proxies): the tests say how.
inline bool EsWine()
{
    return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

inline std::string LeeArchivo(const std::filesystem::path& ruta)
{
    std::ifstream archivo(ruta, std::ios::binary);
    return {std::istreambuf_iterator<char>(archivo), std::istreambuf_iterator<char>()};
}

// Where fixturectl.py left ports.txt and tls/ (bin/fixtures under CTest).
inline std::string DirectorioFixtures()
{
    const char* variable = std::getenv("ORTUS_FIXTURES_DIR");
    return variable && *variable ? variable : "fixtures";
}

// Ports of the fixture server's listeners by name ("http", "https", "refused", "mapserver", ...); 0 if absent.
inline unsigned int Puerto(const std::string& nombre)
{
    static const std::map<std::string, unsigned int> puertos = [] {
        std::map<std::string, unsigned int> leidos;
        std::istringstream lineas(LeeArchivo(DirectorioFixtures() + "/ports.txt"));
        std::string clave;
        unsigned int puerto = 0;
        while (lineas >> clave >> puerto)
            leidos[clave] = puerto;
        return leidos;
    }();
    const auto encontrado = puertos.find(nombre);
    return encontrado == puertos.end() ? 0 : encontrado->second;
}

inline CString HostDe(const std::string& listener)
{
    CString host;
    host.Format(L"127.0.0.1:%u", Puerto(listener));
    return host;
}

// The address of ruta on a listener; https for the TLS ones.
inline CString Url(const std::string& listener, const CString& ruta)
{
    const unsigned int puerto = Puerto(listener);
    EXPECT_NE(0u, puerto) << "no '" << listener << "' port in " << DirectorioFixtures()
                          << ": are the loopback servers running (fixtures_start)?";
    CString url;
    url.Format(L"%s://127.0.0.1:%u%s", listener.rfind("https", 0) == 0 ? L"https" : L"http", puerto,
               ruta.GetString());
    return url;
}

#define EXPECT_CONTAINS(texto, fragmento)                                                                \
    EXPECT_GE(CString(texto).Find(fragmento), 0) << "message: " << Utf8(texto) << "\nexpected to contain: " \
                                                 << Utf8(fragmento)

// Every layer of a tree, depth first in document order.
inline std::vector<const Nadir::OpenGIS::WMS::Layer*> Capas(const std::shared_ptr<Nadir::OpenGIS::WMS::Layer>& raiz)
{
    if (!raiz)
        return {};
    std::vector<const Nadir::OpenGIS::WMS::Layer*> capas{raiz.get()};
    for (const auto& hija : raiz->GetLayers()) {
        const auto debajo = Capas(hija);
        capas.insert(capas.end(), debajo.begin(), debajo.end());
    }
    return capas;
}

// Limits for a request under test: espera for the connection and for each piece of the answer, total for the
// whole; a server that hangs fails the test in seconds, never in the defaults' minutes.
inline Nadir::Sockets::ConexionHttp::Limites LimitesDePrueba(std::chrono::milliseconds espera,
                                                           std::chrono::milliseconds total)
{
    Nadir::Sockets::ConexionHttp::Limites limites;
    limites.conexion = limites.inactividad = espera;
    limites.total = total;
    return limites;
}

// The answer to a GET, or the message of the ExcepcionNadir thrown instead.
struct Resultado {
    std::optional<Nadir::Sockets::RespuestaHttp> respuesta;
    CString mensaje;
};

inline Resultado Pide(const CString& url, const Nadir::Sockets::ConexionHttp::Limites& limites,
                      unsigned int opciones = Nadir::Sockets::ConexionHttp::kSinOpciones)
{
    try {
        Nadir::Sockets::ConexionHttp conexion(L"OrtusTest/1.0 (fixture)", opciones);
        conexion.SetLimites(limites);
        return {conexion.Get(url), CString()};
    } catch (const Nadir::ExcepcionNadir& e) {
        return {std::nullopt, e.m_mensaje};
    }
}

// A path under prefijo that no other request of this run asks for, so that what the fixture server saw
// there is this test's alone.
inline CString RutaPropia(const CString& prefijo)
{
    static int llamadas = 0;
    CString ruta;
    ruta.Format(L"%s/%S-%lu-%d", prefijo.GetString(), testing::UnitTest::GetInstance()->current_test_info()->name(),
                ::GetCurrentProcessId(), ++llamadas);
    return ruta;
}

// What the http listener saw at ruta, a request a line: "/seen" its queries, "/seen-logins" its
// Authorization headers ("-" for none).
inline std::vector<std::string> Vistos(const CString& registro, const CString& ruta)
{
    const Resultado visto = Pide(Url("http", registro + ruta), LimitesDePrueba(std::chrono::seconds(5),
                                                                               std::chrono::seconds(20)));
    std::vector<std::string> lineas;
    std::istringstream cuerpo(visto.respuesta && visto.respuesta->estado == 200 ? visto.respuesta->cuerpo : "");
    for (std::string linea; std::getline(cuerpo, linea);)
        lineas.push_back(linea);
    return lineas;
}
