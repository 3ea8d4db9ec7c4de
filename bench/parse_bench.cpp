// parse_bench.cpp: how fast capabilities documents are read, and how much memory the result keeps.
// Usage: parse_bench FILE [RUNS]
#include "ExcepcionCapacidades.h"
#include "LectorCapacidades.h"
#include "Medidas.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using Nadir::OpenGIS::WMS::Capacidades;
using Nadir::OpenGIS::WMS::LectorCapacidades;

namespace {

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
        const size_t picoAntes = medidas::Memoria().PeakPagefileUsage;
        Capacidades capacidades = LectorCapacidades::Lee(documento, CString(), L"bench");
        const size_t pico = medidas::Memoria().PeakPagefileUsage - picoAntes;
        const size_t retenido = BytesEnUso() - antes;

        std::vector<double> tiempos;
        for (int i = 0; i < vueltas; ++i) {
            const double inicio = medidas::Ahora();
            Capacidades otra = LectorCapacidades::Lee(documento, CString(), L"bench");
            tiempos.push_back(medidas::Ahora() - inicio);
        }
        std::sort(tiempos.begin(), tiempos.end());
        const double mediana = tiempos[tiempos.size() / 2];

        const double inicioSrs = medidas::Ahora();
        const auto [capas, sistemas] = medidas::Recorre(capacidades.capaRaiz.get());
        const double tiempoSrs = medidas::Ahora() - inicioSrs;

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
