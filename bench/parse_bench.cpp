// parse_bench.cpp: how fast capabilities documents are read, and how much memory the result keeps.
// Usage: parse_bench FILE [RUNS]
#include "ExcepcionCapacidades.h"
#include "LectorCapacidades.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using Nadir::OpenGIS::WMS::Capacidades;
using Nadir::OpenGIS::WMS::Layer;
using Nadir::OpenGIS::WMS::LectorCapacidades;

namespace {

double Ahora()
{
    LARGE_INTEGER contador, frecuencia;
    QueryPerformanceCounter(&contador);
    QueryPerformanceFrequency(&frecuencia);
    return static_cast<double>(contador.QuadPart) / static_cast<double>(frecuencia.QuadPart);
}

// Bytes in use on every heap of the process (the C runtime's malloc included).
size_t BytesEnUso()
{
    std::vector<HANDLE> montones(GetProcessHeaps(0, nullptr) + 16);
    montones.resize(GetProcessHeaps(static_cast<DWORD>(montones.size()), montones.data()));
    size_t total = 0;
    for (HANDLE monton : montones) {
        HeapLock(monton);
        PROCESS_HEAP_ENTRY entrada{};
        while (HeapWalk(monton, &entrada))
            if (entrada.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                total += entrada.cbData;
        HeapUnlock(monton);
    }
    return total;
}

size_t MemoriaComprometidaPico()
{
    PROCESS_MEMORY_COUNTERS contadores{};
    GetProcessMemoryInfo(GetCurrentProcess(), &contadores, sizeof contadores);
    return contadores.PeakPagefileUsage;
}

void Cuenta(const Layer& capa, size_t& capas, size_t& sistemas)
{
    std::vector<const Layer*> pendientes{&capa};
    while (!pendientes.empty()) {
        const Layer* actual = pendientes.back();
        pendientes.pop_back();
        ++capas;
        sistemas += actual->GetSRS().size();
        for (const auto& hija : actual->GetLayers())
            pendientes.push_back(hija.get());
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: parse_bench FILE [RUNS]\n");
        return 2;
    }
    const int vueltas = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
    std::ifstream archivo(argv[1], std::ios::binary);
    const std::string documento{std::istreambuf_iterator<char>(archivo), std::istreambuf_iterator<char>()};
    if (documento.empty()) {
        std::fprintf(stderr, "parse_bench: cannot read %s\n", argv[1]);
        return 2;
    }
    const double megas = static_cast<double>(documento.size()) / 1e6;

    try {
        // Memory first, while the heap has not yet grown for earlier runs.
        const size_t antes = BytesEnUso();
        const size_t picoAntes = MemoriaComprometidaPico();
        Capacidades capacidades = LectorCapacidades::Lee(documento, CString(), L"bench");
        const size_t pico = MemoriaComprometidaPico() - picoAntes;
        const size_t retenido = BytesEnUso() - antes;

        std::vector<double> tiempos;
        for (int i = 0; i < vueltas; ++i) {
            const double inicio = Ahora();
            Capacidades otra = LectorCapacidades::Lee(documento, CString(), L"bench");
            tiempos.push_back(Ahora() - inicio);
        }
        std::sort(tiempos.begin(), tiempos.end());
        const double mediana = tiempos[tiempos.size() / 2];

        size_t capas = 0, sistemas = 0;
        const double inicioSrs = Ahora();
        if (capacidades.capaRaiz)
            Cuenta(*capacidades.capaRaiz, capas, sistemas);
        const double tiempoSrs = Ahora() - inicioSrs;

        std::printf("%s: %.3f MB, %d runs\n", argv[1], megas, vueltas);
        std::printf("parse: best %.1f ms (%.1f MB/s), median %.1f ms (%.1f MB/s)\n", tiempos.front() * 1e3,
                    megas / tiempos.front(), mediana * 1e3, megas / mediana);
        std::printf("result: %zu layers; heap kept %.2f MB = %.2fx the document\n", capas, retenido / 1e6,
                    static_cast<double>(retenido) / static_cast<double>(documento.size()));
        std::printf("peak commit growth during the first parse: %.2f MB = %.2fx the document\n", pico / 1e6,
                    static_cast<double>(pico) / static_cast<double>(documento.size()));
        std::printf("GetSRS on every layer: %.1f ms, %zu effective systems in all\n", tiempoSrs * 1e3, sistemas);
    } catch (const Nadir::ExcepcionNadir& e) {
        std::fprintf(stderr, "parse_bench: %ls\n", e.m_mensaje.GetString());
        return 1;
    }
    return 0;
}
