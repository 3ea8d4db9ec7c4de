// ExportaDialogo.cpp: the connection dialog in the C interface, run under this module's state: its
// resources come from the module's language, its file prompt and help from the host's callbacks.
#include <afxwin.h>

#include <ConectaURLDlg.h>

#include "ConversionesC.h"
#include "Frontera.h"
#include "OrtusCApp.h"

namespace {

CWnd* Propietario(HWND padre)
{
    if (padre != nullptr && !::IsWindow(padre))
        Falla(ORTUS_ERROR_ARGUMENTO, IDS_ERROR_VENTANA);
    return padre != nullptr ? CWnd::FromHandle(padre) : nullptr;
}

// The host may not have started the common controls the dialog's list view needs.
void IniciaControles()
{
    const INITCOMMONCONTROLSEX controles = {sizeof controles, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controles);
}

}  // namespace

OrtusEstado WINAPI OrtusDialogoEjecuta(OrtusCatalogo catalogo, const OrtusDialogo* dialogo, int32_t* resultado)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return Protege([&] {
        const OrtusDialogo& opciones = Requiere(dialogo, L"dialogo");
        int32_t& respuesta = Requiere(resultado, L"resultado");
        RequiereTamanho(opciones.tamanho, sizeof(OrtusDialogo), L"OrtusDialogo");
        // Kept alive for the run even if the host destroys its handle from a callback.
        const auto datos = CatalogoVivo(catalogo);
        std::vector<Vectra::CSistemaReferencia> sistemas = SistemasDe(opciones);
        CWnd* propietario = Propietario(opciones.padre);

        IniciaControles();
        CConectaURLDlg ventana(*datos, opciones.terceraOpcion, sistemas, propietario);
        const COrtusCApp::CDialogoEnCurso enCurso(opciones, ventana);
        const INT_PTR final = ventana.DoModal();
        if (final != IDOK && final != IDCANCEL)
            Falla(ORTUS_ERROR_DIALOGO, IDS_ERROR_DIALOGO);
        respuesta = static_cast<int32_t>(final);
    });
}
