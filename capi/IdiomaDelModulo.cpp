// IdiomaDelModulo.cpp: CIdiomaDelModulo.
#include "IdiomaDelModulo.h"

#include <Win32/Idiomas.h>

namespace {

// The modules of each language, and whether the framework's search keeps it behind every other.
struct ModuloDeIdioma {
    LPCWSTR nombre;
    BOOL deSistema;
};
const ModuloDeIdioma kModulos[] = {{L"ortus.dll.mui", FALSE}, {L"ortusc.dll.mui", FALSE}, {L"mfc.dll.mui", TRUE}};
constexpr LPCWSTR kMensajes = L"ortusc.dll.mui";

bool Existe(const CString& ruta) { return ::GetFileAttributesW(ruta) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

CString CIdiomaDelModulo::DelUsuario()
{
    return Win32::IdiomaDisponible(Win32::PrimerIdiomaDelHilo(), {L"es-ES"}, kReserva).c_str();
}

bool CIdiomaDelModulo::Activa(const CString& carpeta, const CString& idioma)
{
    if (!Existe(carpeta + idioma + L"\\" + kMensajes))
        return false;
    // English first, so the language chosen, joined after it, answers first; a module of English that
    // is missing leaves only the dialog or message it held without text.
    Suelta();
    std::vector<std::unique_ptr<CModuloDeIdioma>> modulos;
    for (const CString& carpetaDeIdioma : {CString(kReserva), idioma}) {
        for (const ModuloDeIdioma& modulo : kModulos)
            Une(carpeta + carpetaDeIdioma + L"\\" + modulo.nombre, modulo.deSistema, modulos);
        if (idioma == kReserva)
            break;
    }
    m_modulos = std::move(modulos);
    m_idioma = idioma;
    return true;
}

void CIdiomaDelModulo::Suelta()
{
    // Last joined, first to leave: each link unlinks itself before its module is freed.
    while (!m_modulos.empty())
        m_modulos.pop_back();
    m_idioma.Empty();
}

void CIdiomaDelModulo::Une(const CString& ruta, BOOL deSistema,
                           std::vector<std::unique_ptr<CModuloDeIdioma>>& modulos)
{
    auto modulo = std::make_unique<CModuloDeIdioma>(ruta, deSistema);
    if (modulo->Modulo())
        modulos.push_back(std::move(modulo));
}
