// QuasarApp.h: CQuasarApp, the sample host's application object: what Quasar gives the libraries it
// loads (profile, file prompt, help, resource search in the user's language) and the road from the
// catalogue's store through the connection dialog back to the store.
#pragma once

#include <Quasar/AplicacionQuasar.h>

#include "ContextoFichero.h"
#include "IdiomaQuasar.h"
#include "MapaDeAyuda.h"
#include "OpcionesQuasar.h"
#include "TablaEPSG.h"
#include "VentanaQuasar.h"

class CQuasarApp : public CAplicacionQuasar {
public:
    enum CodigoDeSalida { kAceptado = 0, kCancelado = 1, kUsoIncorrecto = 2, kSinDialogo = 3, kSinServidorConCapas = 4 };
    static constexpr LPCWSTR kRegistryKey = L"Ortus Samples";

    CQuasarApp();

    // Reads the command line, prepares everything and shows the main window, which then runs the
    // dialog. FALSE when there is nothing more to do (--help, a bad argument, no dialogs).
    BOOL InitInstance() override;
    // The exit status.
    int ExitInstance() override;

    // Everything the dialogs need but the main window: profile, resource modules of the language,
    // reference systems, help, the file prompt's memory. False, with the exit status set and the
    // reason told on stderr, when the dialogs cannot run.
    bool Prepara(const COpcionesQuasar& opciones);
    // Store, dialog over the main window, store; prints the choice, sets the exit status and closes
    // the main window.
    void ConectaConServidor();

    // A save or open prompt of comdlg32, titled with the string idTitulo. contexto points at the
    // host's CContextoFichero: the prompt starts in its folder and filter and records the new ones.
    BOOL PideArchivo(CString& archivo, UINT idTitulo, DWORD flags, BOOL abrir, void** contexto, int indiceFiltro,
                     LPCWSTR filtros) override;
    // HH_HELP_CONTEXT: the page the help project maps to the context; HH_DISPLAY_TOC: its default
    // page. Both in the user's language when there is one.
    void HtmlHelp(DWORD_PTR dwData, UINT nCmd) override;

    CTablaEPSG& Tabla() { return m_tabla; }
    const CString& Idioma() const { return m_idioma.Idioma(); }
    // Full path of a file beside the executable.
    CString RutaJuntoAlEjecutable(LPCWSTR nombre) const;

protected:
    // Shows a help page: the system's browser (see help/quasar.hhp for why no .chm).
    virtual bool AbrePagina(const CString& ruta);

    DECLARE_MESSAGE_MAP()

private:
    // The registry under kRegistryKey, or the INI file ini.
    void UsaPerfil(const CString& ini);
    void LeeContexto();
    void GuardaContexto();
    CString PaginaDeAyuda(const CString& tema) const;

    COpcionesQuasar m_opciones;
    CTablaEPSG m_tabla;
    CIdiomaQuasar m_idioma;
    CMapaDeAyuda m_ayuda;
    CContextoFichero m_contexto;
    CVentanaQuasar m_ventana;
    int m_codigoDeSalida = kAceptado;
};
