// IdiomaQuasar.h: CIdiomaQuasar, the language of the host's user interface: which one, its resource
// modules in the application's resource search, and the same language asked of the other libraries.
#pragma once

#include <ModuloDeIdioma.h>

#include <memory>
#include <vector>

class CIdiomaQuasar {
public:
    static constexpr LPCWSTR kReserva = L"en-US";

    // The language of the modules for a language name: Spanish of any country is es-ES, any other en-US.
    static CString Soportado(const CString& nombre);
    // pedido ("es-ES", "en-US") when given, else the user's first UI language.
    static CString Elige(const CString& pedido);

    // Makes idioma the application's: from the folder carpeta (the host's bin/), ortus.dll.mui of
    // en-US joins the resource chain as the fallback, then idioma's ortus.dll.mui and mfc.dll.mui
    // ahead of it. False, with why in error, when the fallback is missing: the dialogs cannot show.
    // aviso tells of what else is missing or not followed, or stays empty.
    bool Activa(const CString& carpeta, const CString& idioma, CString& error, CString& aviso);
    const CString& Idioma() const { return m_idioma; }

private:
    bool Une(const CString& ruta, BOOL deSistema);

    CString m_idioma = kReserva;
    std::vector<std::unique_ptr<CModuloDeIdioma>> m_modulos;  // later ones are searched first
};
