// Medidas.h: the clock, medians of runs, the process counters, the call as Ortus makes it, the tree walk, and a
// user who skips a slow server, which the benchmarks share.
#pragma once

#include "Nadir/OpenGIS/WMS/Layer.h"
#include "Nadir/OpenGIS/WMS/NegociadorWMS.h"

#include <InterrogaServidor.h>

#include <windows.h>
#include <psapi.h>

#include <Win32/Manejadores.h>

#include <algorithm>
#include <cstddef>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace medidas {

inline double Ahora()
{
    LARGE_INTEGER contador, frecuencia;
    QueryPerformanceCounter(&contador);
    QueryPerformanceFrequency(&frecuencia);
    return static_cast<double>(contador.QuadPart) / static_cast<double>(frecuencia.QuadPart);
}

// The middle one of some times (the upper of the two middle ones of an even count); 0 of none.
inline double Mediana(std::vector<double> tiempos)
{
    std::sort(tiempos.begin(), tiempos.end());
    return tiempos.empty() ? 0 : tiempos[tiempos.size() / 2];
}

// The median time of paso over so many runs, in seconds.
template <class Paso>
double MedianaDe(int vueltas, Paso paso)
{
    std::vector<double> tiempos;
    for (int i = 0; i < vueltas; ++i) {
        const double inicio = Ahora();
        paso();
        tiempos.push_back(Ahora() - inicio);
    }
    return Mediana(std::move(tiempos));
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

// A visible top-level window, as a host's main window: Nadir's wait window needs one to own it.
inline Win32::Ventana VentanaPrincipal()
{
    return Win32::Ventana(CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 640,
                                          480, nullptr, nullptr, nullptr, nullptr));
}

// While it lives, presses Skip in Nadir's wait window (a dialog owned by principal) as soon as it
// shows, from a timer that runs in the wait's own loop; notes when (medidas::Ahora) it showed.
class OmiteAlVerla {
public:
    explicit OmiteAlVerla(HWND principal) : m_principal(principal)
    {
        s_activa = this;
        m_reloj = SetTimer(nullptr, 0, 5, &OmiteAlVerla::Tic);
    }
    ~OmiteAlVerla()
    {
        KillTimer(nullptr, m_reloj);
        s_activa = nullptr;
    }
    OmiteAlVerla(const OmiteAlVerla&) = delete;
    OmiteAlVerla& operator=(const OmiteAlVerla&) = delete;

    std::optional<double> vista;     // the window showed
    std::optional<double> omitida;   // Skip pressed

private:
    static void CALLBACK Tic(HWND, UINT, UINT_PTR, DWORD)
    {
        if (!s_activa || s_activa->omitida)
            return;
        EnumThreadWindows(GetCurrentThreadId(), &OmiteAlVerla::Busca, 0);
    }
    static BOOL CALLBACK Busca(HWND ventana, LPARAM)
    {
        wchar_t clase[16] = L"";
        GetClassNameW(ventana, clase, 16);
        if (!IsWindowVisible(ventana) || lstrcmpW(clase, L"#32770") != 0 ||
            GetWindow(ventana, GW_OWNER) != s_activa->m_principal)
            return TRUE;
        s_activa->vista = Ahora();
        PostMessageW(ventana, WM_COMMAND, IDCANCEL, 0);
        s_activa->omitida = Ahora();
        return FALSE;
    }

    static inline OmiteAlVerla* s_activa = nullptr;
    HWND m_principal;
    UINT_PTR m_reloj = 0;
};

}  // namespace medidas
