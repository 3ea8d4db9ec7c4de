// limits_bench.cpp: what CreaClienteWMS costs, with the default limits, against servers that fail.
// Usage: limits_bench LABEL=URL...
//   Calls it once per address, as Ortus does, and prints a Markdown row for each: the time the call
//   took and the message the user is shown.
#include "Medidas.h"

#include <windows.h>

#include <cstdio>

namespace {

// The message of the failure, or what the server turned out to be when it answered.
CString Resultado(const CString& url)
{
    try {
        return L"answered: WMS " + medidas::CreaComoOrtus(url)->GetVersion();
    } catch (const Nadir::ExcepcionNadir& e) {
        return e.m_mensaje;
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: limits_bench LABEL=URL...\n");
        return 2;
    }
    std::printf("| server | address | CreaClienteWMS | what the user is told |\n|---|---|---|---|\n");
    for (int i = 1; i < argc; ++i) {
        const CString argumento = argv[i];
        const int igual = argumento.Find(L'=');
        const CString etiqueta = igual < 0 ? CString() : argumento.Left(igual);
        const CString url = argumento.Mid(igual + 1);
        const double inicio = medidas::Ahora();
        const CString resultado = Resultado(url);
        const double segundos = medidas::Ahora() - inicio;
        std::printf("| %ls | `%ls` | %.3f s | %ls |\n", etiqueta.GetString(), url.GetString(), segundos,
                    resultado.GetString());
        std::fflush(stdout);
    }
    return 0;
}
