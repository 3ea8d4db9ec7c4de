// ControlesDeDialogo.cpp: the controls read through GetWindow (z-order is tab order), measured with
// DrawText in the font the dialog gave them.
#include "ControlesDeDialogo.h"

#include <Win32/Manejadores.h>

#include <algorithm>

namespace {

ControlDeDialogo Describe(HWND dialogo, HWND ventana)
{
    wchar_t clase[64] = {};
    ::GetClassNameW(ventana, clase, 64);
    std::wstring texto(static_cast<size_t>(::GetWindowTextLengthW(ventana)) + 1, L'\0');
    texto.resize(static_cast<size_t>(::GetWindowTextW(ventana, texto.data(), static_cast<int>(texto.size()))));
    ControlDeDialogo control;
    control.ventana = ventana;
    control.id = ::GetDlgCtrlID(ventana);
    control.clase = clase;
    control.estilo = static_cast<DWORD>(::GetWindowLongW(ventana, GWL_STYLE));
    control.texto = texto;
    ::GetWindowRect(ventana, &control.rect);
    ::MapWindowPoints(HWND_DESKTOP, dialogo, reinterpret_cast<POINT*>(&control.rect), 2);
    return control;
}

}  // namespace

ControlesDeDialogo::ControlesDeDialogo(HWND dialogo) : m_dialogo(dialogo)
{
    for (HWND hijo = ::GetWindow(dialogo, GW_CHILD); hijo; hijo = ::GetWindow(hijo, GW_HWNDNEXT))
        m_controles.push_back(Describe(dialogo, hijo));
}

RECT ControlesDeDialogo::AreaCliente() const
{
    RECT area = {};
    ::GetClientRect(m_dialogo, &area);
    return area;
}

const ControlDeDialogo* ControlesDeDialogo::PorId(int id) const
{
    const auto encontrado = std::find_if(m_controles.begin(), m_controles.end(),
                                         [id](const ControlDeDialogo& control) { return control.id == id; });
    return encontrado == m_controles.end() ? nullptr : &*encontrado;
}

int ControlesDeDialogo::UnidadesX(int unidades) const
{
    RECT rect = {0, 0, unidades, 0};
    ::MapDialogRect(m_dialogo, &rect);
    return rect.right;
}

int ControlesDeDialogo::UnidadesY(int unidades) const
{
    RECT rect = {0, 0, 0, unidades};
    ::MapDialogRect(m_dialogo, &rect);
    return rect.bottom;
}

SIZE ControlesDeDialogo::TamanoDelTexto(const ControlDeDialogo& control) const
{
    const Win32::DcDeVentana dc(control.ventana);
    const auto tipo = reinterpret_cast<HGDIOBJ>(::SendMessageW(control.ventana, WM_GETFONT, 0, 0));
    const Win32::SeleccionGdi fuente(dc.Get(), tipo);
    RECT rect = {0, 0, 0, 0};
    ::DrawTextW(dc.Get(), control.texto.c_str(), -1, &rect, DT_CALCRECT | DT_SINGLELINE);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

SIZE ControlesDeDialogo::EspacioNecesario(const ControlDeDialogo& control) const
{
    SIZE espacio = TamanoDelTexto(control);
    if (control.EsBotonPulsable()) {
        // Sunken and raised edges on each side, and some air so the text does not touch them.
        espacio.cx += 2 * (2 * ::GetSystemMetrics(SM_CXEDGE) + UnidadesX(2));
        espacio.cy += 2 * ::GetSystemMetrics(SM_CYEDGE);
    } else if (control.EsOpcion()) {
        espacio.cx += ::GetSystemMetrics(SM_CXMENUCHECK) + UnidadesX(3);
        espacio.cy = std::max<LONG>(espacio.cy, ::GetSystemMetrics(SM_CYMENUCHECK));
    } else if (control.EsGrupo()) {
        espacio.cx += 2 * UnidadesX(4);  // the caption is drawn inset from the frame's corner
    }
    return espacio;
}
