// dialog_bench.cpp: the connection dialog's own work: asking one server as the dialog does, and the
// selection refresh and the opening inside a real (never shown) dialog.
// Usage (from bin/, where en-US\ortus.dll.mui is):
//   dialog_bench interroga URL RUNS            asking one server: the whole of it, and its fetch alone
//   dialog_bench selecciona URL RUNS           the selection refresh for that server's row (cleared and
//                                             selected again), with the sample host's reference systems
//                                             (quasar-epsg.tsv beside this program)
//   dialog_bench abre RUNS [--por-defecto] URL...
//                                             opening the dialog on a catalogue of these servers (after
//                                             the five built-in ones with --por-defecto)
//   dialog_bench omite RUNS SILENT_URL NEXT_URL
//                                             opening over a main window on a silent server and another:
//                                             the time to Nadir's wait window, and from Skip (pressed as
//                                             soon as it shows) to the next server answered
// Prints RESULT lines: name, median seconds, and what was counted.
#include "Medidas.h"

#include <ConectaURLDlg.h>
#include <InterrogaServidor.h>
#include <TablaEPSG.h>
#include <ModuloDeIdioma.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

namespace {

CWinApp theApp(L"dialog_bench");

// The dialog measured once it has initialised; it then ends before it is ever shown.
class CDialogoMedido : public CConectaURLDlg {
public:
    using CConectaURLDlg::CConectaURLDlg;

    std::function<void(CDialogoMedido&)> m_mide;

protected:
    BOOL OnInitDialog() override
    {
        if (!CConectaURLDlg::OnInitDialog())
            return FALSE;
        if (m_mide)
            m_mide(*this);
        EndDialog(IDOK);
        return TRUE;
    }
};

void Informa(const char* nombre, double segundos, const char* cuenta)
{
    std::printf("RESULT %s %.6f %s\n", nombre, segundos, cuenta);
}

int Interroga(const CString& url, int veces)
{
    RespuestaDelServidor respuesta;
    const double todo = medidas::MedianaDe(veces, [&] { respuesta = InterrogaServidor(url); });
    if (respuesta.estado != RespuestaDelServidor::Estado::kContestada) {
        std::fprintf(stderr, "dialog_bench: %ls did not answer: %ls\n", url.GetString(),
                     respuesta.fallo.GetString());
        return 1;
    }
    const std::shared_ptr<Nadir::Sockets::ConexionHttp> conexion = CreaConexion();
    const double descarga = medidas::MedianaDe(veces, [&] { conexion->Get(url); });
    char cuenta[64];
    std::snprintf(cuenta, sizeof cuenta, "%zu-leaves,%zu-systems", respuesta.capas.size(), respuesta.sistemas.size());
    Informa("interrogation", todo, cuenta);
    Informa("fetch", descarga, "");
    Informa("interrogation-after-fetch", todo - descarga, cuenta);
    return 0;
}

int Selecciona(const CString& url, int veces)
{
    CDataConectaURL catalogo;
    CDireccionURL entrada;
    entrada.m_nombre = L"servidor";
    entrada.m_url = url;
    catalogo.Inserta(entrada);
    CTablaEPSG tabla;
    CString error;
    if (!tabla.Carga(CTablaEPSG::kArchivo, error)) {
        std::fprintf(stderr, "dialog_bench: %ls\n", error.GetString());
        return 1;
    }
    std::vector<Vectra::CSistemaReferencia>& sistemas = tabla.Sistemas();
    CDialogoMedido dialogo(catalogo, 1, sistemas, nullptr);
    dialogo.m_mide = [&](CDialogoMedido& d) {
        // As a click does: the row's selection changes, and the dialog follows it.
        const double refresco = medidas::MedianaDe(veces, [&] {
            d.m_listaUrl.SetItemState(0, 0, LVIS_SELECTED);
            d.m_listaUrl.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
        });
        char cuenta[96];
        std::snprintf(cuenta, sizeof cuenta, "%zu-systems-shown,%zu-host-systems",
                      catalogo.Seleccion().m_sistemasReferencia.size(), sistemas.size());
        Informa("selection-refresh", refresco, cuenta);
    };
    return dialogo.DoModal() == IDOK ? 0 : 1;
}

int Abre(int veces, bool porDefecto, const std::vector<CString>& urls)
{
    std::vector<Vectra::CSistemaReferencia> sistemas;
    std::vector<double> tiempos;
    size_t conCapas = 0;
    for (int vez = 0; vez < veces; ++vez) {
        CDataConectaURL catalogo;
        if (porDefecto)
            catalogo.CargaURLPorDefecto();
        for (size_t i = 0; i < urls.size(); ++i) {
            CDireccionURL entrada;
            entrada.m_nombre.Format(L"servidor %zu", i);
            entrada.m_url = urls[i];
            catalogo.Inserta(entrada);
        }
        CDialogoMedido dialogo(catalogo, 1, sistemas, nullptr);
        const double inicio = medidas::Ahora();
        dialogo.DoModal();
        tiempos.push_back(medidas::Ahora() - inicio);
        conCapas = std::count_if(catalogo.m_direcciones.begin(), catalogo.m_direcciones.end(),
                                 [](const CDireccionURL& e) { return !e.m_capas.empty(); });
    }
    char cuenta[64];
    std::snprintf(cuenta, sizeof cuenta, "%zu-servers,%zu-answered", urls.size() + (porDefecto ? 5 : 0), conCapas);
    Informa("opening", medidas::Mediana(tiempos), cuenta);
    return 0;
}

int Omite(int veces, const CString& mudo, const CString& siguiente)
{
    const Win32::Ventana ventana = medidas::VentanaPrincipal();
    std::vector<Vectra::CSistemaReferencia> sistemas;
    std::vector<double> hastaLaVentana;
    std::vector<double> hastaElSiguiente;
    size_t conCapas = 0;
    for (int vez = 0; vez < veces; ++vez) {
        CDataConectaURL catalogo;
        CDireccionURL entrada;
        entrada.m_nombre = L"a silent";
        entrada.m_url.Format(L"%s?vez=%d", mudo.GetString(), vez);
        catalogo.Inserta(entrada);
        entrada.m_nombre = L"b next";
        entrada.m_url = siguiente;
        catalogo.Inserta(entrada);
        CDialogoMedido dialogo(catalogo, 1, sistemas, CWnd::FromHandle(ventana.Get()));
        double respondido = 0;
        dialogo.m_mide = [&](CDialogoMedido&) { respondido = medidas::Ahora(); };
        const medidas::OmiteAlVerla usuario(ventana.Get());
        const double inicio = medidas::Ahora();
        dialogo.DoModal();
        if (!usuario.vista) {
            std::fprintf(stderr, "dialog_bench: no wait window for %ls\n", mudo.GetString());
            return 1;
        }
        hastaLaVentana.push_back(*usuario.vista - inicio);
        hastaElSiguiente.push_back(respondido - *usuario.omitida);
        conCapas = catalogo.m_direcciones[1].m_capas.size();
    }
    char cuenta[64];
    std::snprintf(cuenta, sizeof cuenta, "%zu-leaves-next", conCapas);
    Informa("wait-window-shown", medidas::Mediana(hastaLaVentana), "");
    Informa("skip-to-next-server-answered", medidas::Mediana(hastaElSiguiente), cuenta);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    AfxWinInit(::GetModuleHandleW(nullptr), nullptr, ::GetCommandLineW(), 0);
    const CModuloDeIdioma ingles(L"en-US\\ortus.dll.mui");

    const std::wstring modo = argc > 1 ? argv[1] : L"";
    if (modo == L"interroga" && argc == 4)
        return Interroga(argv[2], _wtoi(argv[3]));
    if (modo == L"selecciona" && argc == 4)
        return Selecciona(argv[2], _wtoi(argv[3]));
    if (modo == L"abre" && argc >= 3) {
        const bool porDefecto = argc > 3 && std::wstring(argv[3]) == L"--por-defecto";
        return Abre(_wtoi(argv[2]), porDefecto, std::vector<CString>(argv + (porDefecto ? 4 : 3), argv + argc));
    }
    if (modo == L"omite" && argc == 5)
        return Omite(_wtoi(argv[2]), argv[3], argv[4]);
    std::fprintf(stderr, "usage: dialog_bench interroga URL RUNS | selecciona URL RUNS | abre RUNS [--por-defecto] URL... | "
                         "omite RUNS SILENT_URL NEXT_URL\n");
    return 2;
}
