// PilotoAutomatico.cpp: CPilotoAutomatico: the dialog's list, layer box and buttons, driven by messages.
#include "PilotoAutomatico.h"

#include <CapturaDeVentana.h>

#include <commctrl.h>

#include <filesystem>

#include "resource.h"

namespace {

constexpr UINT_PTR kTemporizador = 1;
constexpr UINT kIntervaloMs = 50;

LPCWSTR ClaseDelReloj()
{
    static const ATOM clase = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QuasarPilotoAutomatico";
        return ::RegisterClassW(&wc);
    }();
    return MAKEINTATOM(clase);
}

void SeleccionaFila(HWND lista, int fila, bool seleccionada)
{
    LVITEMW estado = {};
    estado.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    estado.state = seleccionada ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    ::SendMessageW(lista, LVM_SETITEMSTATE, static_cast<WPARAM>(fila), reinterpret_cast<LPARAM>(&estado));
}

}  // namespace

CPilotoAutomatico::CPilotoAutomatico(const CWnd& dialogo, const CString& captura)
    : m_dialogo(dialogo),
      m_captura(captura),
      m_reloj(::CreateWindowExW(0, ClaseDelReloj(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                ::GetModuleHandleW(nullptr), nullptr))
{
    ::SetWindowLongPtrW(m_reloj.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrW(m_reloj.Get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedimiento));
    ::SetTimer(m_reloj.Get(), kTemporizador, kIntervaloMs, nullptr);
}

LRESULT CALLBACK CPilotoAutomatico::Procedimiento(HWND ventana, UINT mensaje, WPARAM wParam, LPARAM lParam)
{
    if (mensaje == WM_TIMER && wParam == kTemporizador) {
        reinterpret_cast<CPilotoAutomatico*>(::GetWindowLongPtrW(ventana, GWLP_USERDATA))->Tic();
        return 0;
    }
    return ::DefWindowProcW(ventana, mensaje, wParam, lParam);
}

void CPilotoAutomatico::Tic()
{
    // Once: the picture lets the dialog paint, which dispatches this timer again.
    const HWND dialogo = m_dialogo.GetSafeHwnd();
    if (m_hecho || dialogo == nullptr || !::IsWindowVisible(dialogo))
        return;
    m_hecho = true;
    ::KillTimer(m_reloj.Get(), kTemporizador);
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
