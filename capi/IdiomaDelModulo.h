// IdiomaDelModulo.h: CIdiomaDelModulo, the language of ortusc.dll's dialogs and messages: the language
// modules beside it (ortus.dll's templates and strings, its own messages, the framework's texts) joined
// to the resource search of the module state current when a language is made active, English behind.
#pragma once

#include <ModuloDeIdioma.h>

#include <memory>
#include <vector>

class CIdiomaDelModulo {
public:
    static constexpr LPCWSTR kReserva = L"en-US";

    // The language a user's first UI language gets: Spanish of any country is es-ES, any other en-US.
    static CString DelUsuario();

    // From the folder carpeta (ending in a backslash): idioma's modules searched first, then en-US's.
    // False, changing nothing, when idioma has no messages there.
    bool Activa(const CString& carpeta, const CString& idioma);
    bool Activo() const { return !m_idioma.IsEmpty(); }
    // Leaves the resource search; the modules are unloaded.
    void Suelta();

private:
    // Loads the module at ruta, when there is one, and joins it to the chain ahead of the others.
    static void Une(const CString& ruta, BOOL deSistema, std::vector<std::unique_ptr<CModuloDeIdioma>>& modulos);

    CString m_idioma;
    std::vector<std::unique_ptr<CModuloDeIdioma>> m_modulos;  // later ones are searched first
};
