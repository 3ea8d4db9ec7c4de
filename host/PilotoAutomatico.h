// PilotoAutomatico.h: CPilotoAutomatico, the user of an unattended run. Once the connection dialog
// shows, it selects the first server that answered with layers (the dialog then offers its first
// layer and reference system), takes the dialog's picture when asked, and presses OK; with no such
// server it presses Cancel. It works from a timer, inside the dialog's own modal loop.
#pragma once

#include <afxwin.h>

#include <Temporizador.h>

class CPilotoAutomatico {
public:
    // dialogo: the connection dialog, before its DoModal. captura: the PNG file of its picture, or empty.
    CPilotoAutomatico(const CWnd& dialogo, const CString& captura);
    CPilotoAutomatico(const CPilotoAutomatico&) = delete;
    CPilotoAutomatico& operator=(const CPilotoAutomatico&) = delete;

    bool SinServidorConCapas() const { return m_sinServidorConCapas; }
    // What went wrong with the picture; empty when it was written.
    const CString& ProblemaDeCaptura() const { return m_problemaDeCaptura; }

private:
    void Tic();
    // Selects each row in turn until the layer box fills; the row, or -1.
    int SeleccionaPrimeraConCapas();
    void Fotografia();
    void Pulsa(int boton);

    const CWnd& m_dialogo;
    CString m_captura;
    CTemporizador m_reloj;
    bool m_hecho = false;
    bool m_sinServidorConCapas = false;
    CString m_problemaDeCaptura;
};
