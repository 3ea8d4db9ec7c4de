// MapaDeAyuda.h: CMapaDeAyuda, which page of the host's help answers a help context: the [MAP] and
// [ALIAS] sections and the default topic of an HTML Help project (.hhp), as HTML Help Workshop reads them.
#pragma once

#include <afx.h>

#include <map>
#include <string_view>

class CMapaDeAyuda {
public:
    // Reads the project in the file ruta (UTF-8 or ASCII). False, with why in error, when it cannot.
    bool Carga(const CString& ruta, CString& error);
    // The same from the project's text.
    bool Lee(std::wstring_view texto, CString& error);

    // The page of a help context (a MAP number whose symbol has an ALIAS); empty when none.
    CString TemaDe(DWORD_PTR contexto) const;
    // The [OPTIONS] "Default topic": the page for the help's contents.
    const CString& TemaPorDefecto() const { return m_temaPorDefecto; }

private:
    CString m_temaPorDefecto;
    std::map<DWORD_PTR, CString> m_temas;
};
