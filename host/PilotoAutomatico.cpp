// PilotoAutomatico.cpp: CPilotoAutomatico: the dialog's list, layer box and buttons, driven by messages.
#include "PilotoAutomatico.h"

#include <CapturaDeVentana.h>

#include <commctrl.h>

#include <filesystem>

#include "resource.h"

namespace {

constexpr UINT kIntervaloMs = 50;

void SeleccionaFila(HWND lista, int fila, bool seleccionada)
{
    LVITEMW estado = {};
    estado.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    estado.state = seleccionada ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    ::SendMessageW(lista, LVM_SETITEMSTATE, static_cast<WPARAM>(fila), reinterpret_cast<LPARAM>(&estado));
}

}  // namespace

CPilotoAutomatico::CPilotoAutomatico(const CWnd& dialogo, const CString& captura)
    : m_dialogo(dialogo), m_captura(captura), m_reloj([this] { Tic(); })
{
    m_reloj.Arranca(kIntervaloMs);
}

void CPilotoAutomatico::Tic()
{
    // Once: the picture lets the dialog paint, which dispatches this timer again.
    const HWND dialogo = m_dialogo.GetSafeHwnd();
    if (m_hecho || dialogo == nullptr || !::IsWindowVisible(dialogo))
        return;
    m_hecho = true;
    m_reloj.Para();
    if (SeleccionaPrimeraConCapas() < 0) {
        m_sinServidorConCapas = true;
        Pulsa(IDCANCEL);
        return;
    }
    if (!m_captura.IsEmpty())
        Fotografia();
    Pulsa(IDOK);
}

int CPilotoAutomatico::SeleccionaPrimeraConCapas()
{
    const HWND lista = ::GetDlgItem(m_dialogo.m_hWnd, IDC_LISTA_URL);
    const HWND capas = ::GetDlgItem(m_dialogo.m_hWnd, IDC_COMBO_CAPA);
    const int filas = static_cast<int>(::SendMessageW(lista, LVM_GETITEMCOUNT, 0, 0));
    for (int fila = 0; fila < filas; ++fila) {
        SeleccionaFila(lista, -1, false);
        SeleccionaFila(lista, fila, true);  // the dialog follows: texts, layers, systems
        if (::SendMessageW(capas, CB_GETCOUNT, 0, 0) > 0) {
            ::SendMessageW(lista, LVM_ENSUREVISIBLE, static_cast<WPARAM>(fila), FALSE);
            // The selection shows as the user's, not greyed.
            ::SetFocus(lista);
            return fila;
        }
    }
    return -1;
}

void CPilotoAutomatico::Fotografia()
{
    const CapturaDeVentana captura(m_dialogo.m_hWnd);
    if (!captura.GuardaPng(std::filesystem::path(std::wstring(m_captura.GetString()))))
        m_problemaDeCaptura = m_captura + L" could not be written";
    else if (captura.ColoresDistintos() <= 2)
        m_problemaDeCaptura = L"the picture is blank: this display keeps no window pixels (take it under X11)";
}

void CPilotoAutomatico::Pulsa(int boton)
{
    ::SendMessageW(::GetDlgItem(m_dialogo.m_hWnd, boton), BM_CLICK, 0, 0);
}
