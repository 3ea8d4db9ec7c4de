// IdiomaQuasar.cpp: CIdiomaQuasar: choosing, joining the language modules and asking the thread's language.
#include "IdiomaQuasar.h"

#include <Win32/Idiomas.h>

#include <string>

CString CIdiomaQuasar::Soportado(const CString& nombre)
{
    return Win32::IdiomaDisponible(nombre.GetString(), {L"es-ES"}, kReserva).c_str();
}

CString CIdiomaQuasar::Elige(const CString& pedido)
{
    return pedido.IsEmpty() ? Soportado(Win32::PrimerIdiomaDelHilo().c_str()) : pedido;
}

bool CIdiomaQuasar::Activa(const CString& carpeta, const CString& idioma, CString& error, CString& aviso)
{
    m_modulos.clear();
    const CString reserva = carpeta + kReserva + L"\\ortus.dll.mui";
    if (!Une(reserva, FALSE)) {
        error = reserva + L" cannot be loaded: the dialogs have no templates";
        return false;
    }
    m_idioma = idioma;
    if (idioma != kReserva) {
        for (const auto& [modulo, deSistema] : {std::pair{L"ortus.dll.mui", FALSE}, std::pair{L"mfc.dll.mui", TRUE}}) {
            const CString ruta = carpeta + idioma + L"\\" + modulo;
            if (!Une(ruta, deSistema))
                aviso += ruta + L" cannot be loaded: its texts show in English. ";
        }
    }
    // The other libraries (Nadir's messages) follow the thread's language. Wine keeps the language the
    // process started with (LC_MESSAGES) whatever is asked here.
    const std::wstring lista = std::wstring(idioma.GetString()) + L'\0' + kReserva + L'\0';
    ULONG aceptados = 0;
    ::SetThreadPreferredUILanguages(MUI_LANGUAGE_NAME, lista.c_str(), &aceptados);
    const CString delHilo = Win32::PrimerIdiomaDelHilo().c_str();
    if (Soportado(delHilo) != idioma) {
        CString localizacion = idioma;
        localizacion.Replace(L'-', L'_');
        aviso += L"The system keeps " + delHilo + L" for other libraries' messages: under Wine the language a process "
                 L"starts with decides (LC_MESSAGES=" + localizacion + L".UTF-8).";
    }
    aviso.TrimRight();
    return true;
}

bool CIdiomaQuasar::Une(const CString& ruta, BOOL deSistema)
{
    // The framework's own texts stay behind every module's (a system library in MFC's search).
    auto modulo = std::make_unique<CModuloDeIdioma>(ruta, deSistema);
    if (!modulo->Modulo())
        return false;
    m_modulos.push_back(std::move(modulo));
    return true;
}
