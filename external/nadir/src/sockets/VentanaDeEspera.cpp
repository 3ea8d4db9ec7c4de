// VentanaDeEspera.cpp: the wait's window from its template, its texts, and Skip.
#include "VentanaDeEspera.h"

#include "CatalogoDeTextos.h"
#include "TextosSockets.h"

#include <algorithm>

namespace Nadir::Sockets {

namespace {

CString Cantidad(std::uint64_t bytes)
{
    const unsigned long long n = bytes;
    if (n < 10 * 1024)
        return Mensaje(IDS_CANTIDAD_BYTES, n);
    if (n < 10ull * 1024 * 1024)
        return Mensaje(IDS_CANTIDAD_KB, n / 1024);
    return Mensaje(IDS_CANTIDAD_MB, n / (1024 * 1024));
}

CString Fase(const AvanceHttp& avance)
{
    switch (avance.fase) {
    case AvanceHttp::Fase::Conectando:
        return Cadena(IDS_ESPERA_CONECTANDO);
    case AvanceHttp::Fase::EsperandoRespuesta:
        return Cadena(IDS_ESPERA_RESPUESTA);
    case AvanceHttp::Fase::Recibiendo:
        break;
    }
    if (avance.total == 0)
        return Mensaje(IDS_ESPERA_RECIBIENDO, Cantidad(avance.recibidos).GetString());
    return Mensaje(IDS_ESPERA_RECIBIENDO_DE, Cantidad(avance.recibidos).GetString(), Cantidad(avance.total).GetString());
}

}  // namespace

void CentraSobre(HWND ventana, HWND propietario)
{
    RECT propio = {};
    RECT dueno = {};
    GetWindowRect(ventana, &propio);
    GetWindowRect(propietario, &dueno);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(propietario, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& trabajo = monitor.rcWork;
    const LONG ancho = propio.right - propio.left;
    const LONG alto = propio.bottom - propio.top;
    const LONG x = std::clamp((dueno.left + dueno.right - ancho) / 2, trabajo.left, std::max(trabajo.left, trabajo.right - ancho));
    const LONG y = std::clamp((dueno.top + dueno.bottom - alto) / 2, trabajo.top, std::max(trabajo.top, trabajo.bottom - alto));
    SetWindowPos(ventana, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

VentanaDeEspera::VentanaDeEspera(HWND propietario, const CString& servidor) : m_propietario(propietario)
{
    const HMODULE modulo = CatalogoDeTextos::DeEsteModulo().ModuloConDialogo(IDD_ESPERA);
    if (!modulo)
        return;
    m_ventana = Win32::Ventana(CreateDialogParamW(modulo, MAKEINTRESOURCEW(IDD_ESPERA), propietario,
                                                  &VentanaDeEspera::Procedimiento, reinterpret_cast<LPARAM>(this)));
    if (!m_ventana)
        return;
    PonTexto(IDC_ESPERA_SERVIDOR, Mensaje(IDS_ESPERA_SERVIDOR, servidor.GetString()));
    CentraSobre(m_ventana.Get(), m_propietario);
    // As a modal window would: the owner takes no input while this one shows.
    if (IsWindowEnabled(m_propietario)) {
        EnableWindow(m_propietario, FALSE);
        m_deshabilitado = true;
    }
    ShowWindow(m_ventana.Get(), SW_SHOW);
}

VentanaDeEspera::~VentanaDeEspera()
{
    // Enabled before this window goes, so that the owner is the one activated.
    if (m_deshabilitado)
        EnableWindow(m_propietario, TRUE);
}

void VentanaDeEspera::Muestra(const AvanceHttp& avance)
{
    PonTexto(IDC_ESPERA_FASE, Fase(avance));
    const auto segundos = std::chrono::duration_cast<std::chrono::seconds>(avance.transcurrido).count();
    PonTexto(IDC_ESPERA_TIEMPO, Mensaje(IDS_ESPERA_TIEMPO, static_cast<unsigned int>(segundos)));
}

void VentanaDeEspera::Oculta()
{
    ShowWindow(m_ventana.Get(), SW_HIDE);
}

void VentanaDeEspera::Reaparece()
{
    ShowWindow(m_ventana.Get(), SW_SHOW);
}

bool VentanaDeEspera::TraduceTecla(MSG& mensaje)
{
    return IsDialogMessageW(m_ventana.Get(), &mensaje) != FALSE;
}

INT_PTR CALLBACK VentanaDeEspera::Procedimiento(HWND ventana, UINT mensaje, WPARAM wParam, LPARAM lParam)
{
    if (mensaje == WM_INITDIALOG) {
        SetWindowLongPtrW(ventana, DWLP_USER, lParam);
        return TRUE;
    }
    auto* propia = reinterpret_cast<VentanaDeEspera*>(GetWindowLongPtrW(ventana, DWLP_USER));
    if (propia && mensaje == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        propia->m_omitida = true;
        return TRUE;
    }
    return FALSE;
}

// Only a text that changed is set: the static repaints at every WM_SETTEXT.
void VentanaDeEspera::PonTexto(int control, const CString& texto)
{
    const HWND hijo = GetDlgItem(m_ventana.Get(), control);
    wchar_t actual[256] = L"";
    GetWindowTextW(hijo, actual, ARRAYSIZE(actual));
    if (texto != actual)
        SetWindowTextW(hijo, texto);
}

}  // namespace Nadir::Sockets
