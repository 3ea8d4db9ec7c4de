// limits_bench.cpp: what CreaClienteWMS costs, with the default limits, against servers that fail.
// Usage: limits_bench [--ventana] LABEL=URL...
//   Calls it once per address, as Ortus does, and prints a Markdown row for each: the time the call
//   took and the message the user is shown. With --ventana a main window shows, as a host's does, and
//   a user presses Skip as soon as Nadir's wait window appears: the rows tell when it appeared and how
//   long the call went on after Skip.
#include "Medidas.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

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

// A LABEL=URL argument.
struct Servidor {
    explicit Servidor(const CString& argumento)
        : etiqueta(argumento.Left(std::max(argumento.Find(L'='), 0))), url(argumento.Mid(argumento.Find(L'=') + 1))
    {
    }
    CString etiqueta;
    CString url;
};

int ConVentana(int argc, wchar_t** argv)
{
    const Win32::Ventana principal = medidas::VentanaPrincipal();
    std::printf("| server | address | wait window after | call over after Skip | what the user is told |\n"
                "|---|---|---|---|---|\n");
    for (int i = 2; i < argc; ++i) {
        const Servidor servidor(argv[i]);
        const medidas::OmiteAlVerla usuario(principal.Get());
        const double inicio = medidas::Ahora();
        const CString resultado = Resultado(servidor.url);
        const double fin = medidas::Ahora();
        if (usuario.vista)
            std::printf("| %ls | `%ls` | %.3f s | %.3f s | %ls |\n", servidor.etiqueta.GetString(),
                        servidor.url.GetString(), *usuario.vista - inicio, fin - *usuario.omitida, resultado.GetString());
        else
            std::printf("| %ls | `%ls` | none (%.3f s in all) | | %ls |\n", servidor.etiqueta.GetString(),
                        servidor.url.GetString(), fin - inicio, resultado.GetString());
        std::fflush(stdout);
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: limits_bench [--ventana] LABEL=URL...\n");
        return 2;
    }
    if (std::wstring(argv[1]) == L"--ventana")
        return ConVentana(argc, argv);
    std::printf("| server | address | CreaClienteWMS | what the user is told |\n|---|---|---|---|\n");
    for (int i = 1; i < argc; ++i) {
        const Servidor servidor(argv[i]);
        const double inicio = medidas::Ahora();
        const CString resultado = Resultado(servidor.url);
        const double segundos = medidas::Ahora() - inicio;
        std::printf("| %ls | `%ls` | %.3f s | %ls |\n", servidor.etiqueta.GetString(), servidor.url.GetString(),
                    segundos, resultado.GetString());
        std::fflush(stdout);
    }
    return 0;
}
