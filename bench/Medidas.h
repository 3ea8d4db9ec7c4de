// Medidas.h: the clock, the process counters, the call as Ortus makes it and the tree walk the benchmarks share.
#pragma once

#include "Nadir/OpenGIS/WMS/Layer.h"
#include "Nadir/OpenGIS/WMS/NegociadorWMS.h"

#include <InterrogaServidor.h>

#include <windows.h>
#include <psapi.h>

#include <cstddef>
#include <memory>
#include <vector>

namespace medidas {

inline double Ahora()
{
    LARGE_INTEGER contador, frecuencia;
    QueryPerformanceCounter(&contador);
    QueryPerformanceFrequency(&frecuencia);
    return static_cast<double>(contador.QuadPart) / static_cast<double>(frecuencia.QuadPart);
}

// Wall-clock seconds since 1970, the clock Python's time.time() reads: for instants taken in two processes.
inline double AhoraUnix()
{
    FILETIME ahora;
    GetSystemTimePreciseAsFileTime(&ahora);
    const ULONGLONG centenas = (static_cast<ULONGLONG>(ahora.dwHighDateTime) << 32) | ahora.dwLowDateTime;
    constexpr ULONGLONG k1970 = 116444736000000000ull;  // 100 ns units from 1601 to 1970
    return static_cast<double>(centenas - k1970) / 1e7;
}

inline PROCESS_MEMORY_COUNTERS Memoria()
{
    PROCESS_MEMORY_COUNTERS contadores{};
    contadores.cb = sizeof contadores;
    GetProcessMemoryInfo(GetCurrentProcess(), &contadores, sizeof contadores);
    return contadores;
}

// CreaClienteWMS over the connection Ortus makes, with the default limits.
inline std::shared_ptr<Nadir::OpenGIS::WMS::IClienteWMS> CreaComoOrtus(const CString& url)
{
    return Nadir::OpenGIS::WMS::NegociadorWMS::CreaClienteWMS(CreaConexion(), url);
}

struct Recorrido {
    size_t capas = 0;
    size_t sistemas = 0;
};

// What Ortus does with the tree: every layer's effective systems.
inline Recorrido Recorre(const Nadir::OpenGIS::WMS::Layer* raiz)
{
    Recorrido total;
    std::vector<const Nadir::OpenGIS::WMS::Layer*> pendientes;
    if (raiz)
        pendientes.push_back(raiz);
    while (!pendientes.empty()) {
        const auto* capa = pendientes.back();
        pendientes.pop_back();
        ++total.capas;
        total.sistemas += capa->GetSRS().size();
        for (const auto& hija : capa->GetLayers())
            pendientes.push_back(hija.get());
    }
    return total;
}

}  // namespace medidas
