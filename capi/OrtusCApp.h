// OrtusCApp.h: COrtusCApp, the application object of ortusc.dll. The library's code runs under this
// module's state, so this object gives it what a host application gives ortus.dll: the profile (where the
// host names), the file prompt and help (the host's callbacks, or the system's prompt and no help), and
// the resource search in the chosen language. It also keeps what the C interface hands out.
#pragma once

#include <Quasar/AplicacionQuasar.h>

#include <map>
#include <mutex>

#include "BloquesEntregados.h"
#include "IdiomaDelModulo.h"
#include "OrtusC.h"
#include "TablaDeCatalogos.h"
#include "UltimosErrores.h"

class COrtusCApp : public CAplicacionQuasar {
public:
    // The connection dialog running on the calling thread, for the length of its run.
    class CDialogoEnCurso {
    public:
        CDialogoEnCurso(const OrtusDialogo& opciones, const CWnd& ventana);
        ~CDialogoEnCurso();
        CDialogoEnCurso(const CDialogoEnCurso&) = delete;
        CDialogoEnCurso& operator=(const CDialogoEnCurso&) = delete;

        const OrtusDialogo m_opciones;
        const CWnd& m_ventana;

    private:
        CDialogoEnCurso* m_anterior;  // one run from within another's callback
    };

    COrtusCApp();
    static COrtusCApp& Modulo();

    int ExitInstance() override;

    // The host's prompt, else the system's Save As; the name proposed in archivo, the chosen one back.
    BOOL PideArchivo(CString& archivo, UINT idTitulo, DWORD flags, BOOL abrir, void** contexto, int indiceFiltro,
                     LPCWSTR filtros) override;
    // The host's help, when it gave one.
    void HtmlHelp(DWORD_PTR dwData, UINT nCmd) override;
    // Help counts as handled (and the dialog shows its Help button) only when the host gave a way to show it.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // The language of dialogs and messages: idioma, or the user's when it is empty. False, changing
    // nothing, when the module has no texts in it.
    bool EstableceIdioma(const CString& idioma);
    // The user's language, unless one was set already.
    void AseguraIdioma();

    // Runs uso with the profile at HKEY_CURRENT_USER\Software\empresa\programa (empresa may be empty),
    // one thread at a time.
    template <typename Uso>
    void ConPerfil(const CString& empresa, const CString& programa, Uso uso)
    {
        std::lock_guard<std::mutex> cerrojo(m_cerrojoPerfil);
        UsaPerfil(empresa, programa);
        uso();
    }

    CTablaDeCatalogos& Catalogos() { return m_catalogos; }
    CBloquesEntregados& Bloques() { return m_bloques; }
    CUltimosErrores& Errores() { return m_errores; }

protected:
    DECLARE_MESSAGE_MAP()

private:
    const CDialogoEnCurso* DialogoDelHilo() const;
    // English when the module has no texts in the user's language.
    void ActivaIdiomaDelUsuario();
    void UsaPerfil(const CString& empresa, const CString& programa);
    // This module's folder, ending in a backslash.
    CString Carpeta() const;

    CTablaDeCatalogos m_catalogos;
    CBloquesEntregados m_bloques;
    CUltimosErrores m_errores;
    std::mutex m_cerrojoIdioma;
    CIdiomaDelModulo m_idioma;
    std::mutex m_cerrojoPerfil;
    mutable std::mutex m_cerrojoDialogos;
    std::map<DWORD, CDialogoEnCurso*> m_dialogos;  // by thread
};
