// VentanaDeEspera.h: VentanaDeEspera, the small window a user watches a slow server in and skips it from;
// CentraSobre, which places it and the credential prompt.
#pragma once

#include "Nadir/Sockets/ConexionHttp.h"

#include <afx.h>

#include <windows.h>

#include <Win32/Manejadores.h>

namespace Nadir::Sockets {

// ventana over the middle of propietario, kept inside the work area of propietario's monitor.
void CentraSobre(HWND ventana, HWND propietario);

// Template IDD_ESPERA from the language modules, centred on its owner, which stays disabled while
// the window lives. Modeless: the wait's own loop runs its messages.
class VentanaDeEspera {
public:
    // Shown at once; no window when the template cannot be found.
    VentanaDeEspera(HWND propietario, const CString& servidor);
    ~VentanaDeEspera();
    VentanaDeEspera(const VentanaDeEspera&) = delete;
    VentanaDeEspera& operator=(const VentanaDeEspera&) = delete;

    explicit operator bool() const { return static_cast<bool>(m_ventana); }
    void Muestra(const AvanceHttp& avance);
    // Out of the way while another window (the credential prompt) has its turn.
    void Oculta();
    void Reaparece();
    // Keyboard navigation: Escape and the Skip key.
    bool TraduceTecla(MSG& mensaje);
    // The user pressed Skip or Escape.
    bool Omitida() const { return m_omitida; }

private:
    static INT_PTR CALLBACK Procedimiento(HWND ventana, UINT mensaje, WPARAM wParam, LPARAM lParam);
    void PonTexto(int control, const CString& texto);

    HWND m_propietario;
    bool m_deshabilitado = false;  // the owner was enabled, and this window disabled it
    bool m_omitida = false;
    Win32::Ventana m_ventana;
};

}  // namespace Nadir::Sockets
