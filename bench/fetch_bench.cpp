// fetch_bench.cpp: time and memory of CreaClienteWMS over HTTP, called as Ortus calls it, and of each of its phases.
// Usage: fetch_bench [--walk] [--phases] URL [RUNS]
//   One call by default (what a whole-process measurement wants), with the wall-clock instant it ended
//   (end_unix_s, against a pacing server's log); RUNS calls more give a median.
//   --walk: GetSRS on every layer afterwards, as Ortus walks the tree; --phases: the fetch alone (the
//   body kept in memory) and the reading alone (from memory), which CreaClienteWMS overlaps.
//   Ends with a "RESULT key=value ..." line.
#include "DireccionWMS.h"
#include "LectorCapacidades.h"
#include "Medidas.h"

#include "Nadir/OpenGIS/WMS/NegociadorWMS.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

using Nadir::OpenGIS::WMS::DireccionWMS;
using Nadir::OpenGIS::WMS::IClienteWMS;
using Nadir::OpenGIS::WMS::LectorCapacidades;
using Nadir::Sockets::ConexionHttp;

namespace {

struct Fases {
    double bytes = 0, descarga = 0, lee = 0;
};

// The request the negotiation makes first, then the reader over its answer.
Fases MideFases(const CString& url, int vueltas)
{
    Fases fases;
    const std::shared_ptr<ConexionHttp> conexion = CreaConexion();
    const CString peticion = DireccionWMS(url).Peticion(L"1.3.0");
    Nadir::Sockets::RespuestaHttp respuesta;
    fases.descarga = medidas::MedianaDe(vueltas, [&] { respuesta = conexion->Get(peticion); });
    fases.bytes = static_cast<double>(respuesta.cuerpo.size());
    fases.lee = medidas::MedianaDe(
        vueltas, [&] { LectorCapacidades::Lee(respuesta.cuerpo, respuesta.tipoContenido, L"bench"); });
    return fases;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    bool conRecorrido = false, conFases = false;
    std::vector<CString> posicionales;
    for (int i = 1; i < argc; ++i) {
        const CString argumento = argv[i];
        if (argumento == L"--walk")
            conRecorrido = true;
        else if (argumento == L"--phases")
            conFases = true;
        else
            posicionales.push_back(argumento);
    }
    if (posicionales.empty() || posicionales.size() > 2) {
        std::fprintf(stderr, "usage: fetch_bench [--walk] [--phases] URL [RUNS]\n");
        return 2;
    }
    const CString& url = posicionales[0];
    const int vueltas = posicionales.size() > 1 ? std::max(1, _wtoi(posicionales[1])) : 1;
    try {
        // The first call alone: memory is measured before later calls have grown the heaps.
        const SIZE_T base = medidas::Memoria().WorkingSetSize;
        double inicio = medidas::Ahora();
        std::shared_ptr<IClienteWMS> cliente = medidas::CreaComoOrtus(url);
        const double primera = medidas::Ahora() - inicio;
        const double fin = medidas::AhoraUnix();
        const SIZE_T pico = medidas::Memoria().PeakWorkingSetSize - base;
        std::printf("%ls\nfirst CreaClienteWMS: %.1f ms, peak working set %.2f MB over the baseline before it\n",
                    url.GetString(), primera * 1e3, pico / 1e6);
        std::printf("RESULT first_s=%.6f end_unix_s=%.6f peak_bytes=%llu", primera, fin,
                    static_cast<unsigned long long>(pico));

        if (vueltas > 1) {
            cliente.reset();
            const double mediana = medidas::MedianaDe(vueltas, [&] { cliente = medidas::CreaComoOrtus(url); });
            std::printf(" median_s=%.6f", mediana);
        }
        if (conRecorrido) {
            size_t sistemas = 0;
            const double recorrido = medidas::MedianaDe(
                vueltas, [&] { sistemas = medidas::Recorre(cliente->GetCapaRaiz().get()).sistemas; });
            std::printf(" walk_s=%.6f systems=%zu", recorrido, sistemas);
        }
        if (conFases) {
            const Fases fases = MideFases(url, vueltas);
            std::printf(" bytes=%.0f fetch_s=%.6f read_s=%.6f", fases.bytes, fases.descarga, fases.lee);
        }
        std::printf("\n");
    } catch (const Nadir::ExcepcionNadir& e) {
        std::fprintf(stderr, "fetch_bench: %ls\n", e.m_mensaje.GetString());
        return 1;
    }
    return 0;
}
