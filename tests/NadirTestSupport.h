// NadirTestSupport.h: text conversions, files, loopback server addresses, time limits and layer walks for the
// Nadir tests.
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

// Where fixturectl.py left ports.txt, mapserver.port and tls/ (bin/fixtures under CTest).
inline std::string DirectorioFixtures()
{
    const char* variable = std::getenv("ORTUS_FIXTURES_DIR");
    return variable && *variable ? variable : "fixtures";
}

// Ports of the fixture server's listeners by name ("http", "https", "refused", ...) and of the
// MapServer gateway ("mapserver"); 0 if absent.
inline unsigned int Puerto(const std::string& nombre)
{
    static const std::map<std::string, unsigned int> puertos = [] {
        std::map<std::string, unsigned int> leidos;
        std::istringstream lineas(LeeArchivo(DirectorioFixtures() + "/ports.txt") + "\nmapserver " +
                                  LeeArchivo(DirectorioFixtures() + "/mapserver.port"));
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

// The address of ruta on a listener; https for the TLS ones, [::1] for http6.
inline CString Url(const std::string& listener, const CString& ruta)
{
    const unsigned int puerto = Puerto(listener);
    EXPECT_NE(0u, puerto) << "no '" << listener << "' port in " << DirectorioFixtures()
                          << ": are the loopback servers running (fixtures_start)?";
    CString url;
    if (listener == "http6")
        url.Format(L"http://[::1]:%u%s", puerto, ruta.GetString());
    else
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
