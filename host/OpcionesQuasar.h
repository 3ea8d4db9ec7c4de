// OpcionesQuasar.h: COpcionesQuasar, what quasar.exe was asked to do on its command line.
#pragma once

#include <afx.h>

#include <DireccionURL.h>

#include <vector>

class COpcionesQuasar {
public:
    static constexpr LPCWSTR kSeccionPorDefecto = L"ConexionWMS";
    static constexpr LPCWSTR kPrefijoPorDefecto = L"WMS";
    // The section of the host's own settings, which no catalogue may take.
    static constexpr LPCWSTR kSeccionDelAnfitrion = L"Quasar";

    // The arguments after the program's name. False, with what is wrong in error (one sentence for
    // the user), when they are not a valid use; the options are then unspecified.
    bool Lee(const std::vector<CString>& argumentos, CString& error);
    static CString Uso();

    bool Ayuda() const { return m_ayuda; }
    // The INI file the catalogue lives in, as given; empty: the registry profile.
    const CString& Ini() const { return m_ini; }
    const CString& Seccion() const { return m_seccion; }
    // Key prefix in the registry profile (INI files have none).
    const CString& Prefijo() const { return m_prefijo; }
    bool TerceraOpcion() const { return m_terceraOpcion; }
    // The servers of --add, in order: name and address.
    const std::vector<CDireccionURL>& Servidores() const { return m_servidores; }
    // "es-ES" or "en-US"; empty: the user's own language.
    const CString& Idioma() const { return m_idioma; }
    bool Automatico() const { return m_automatico; }
    // The PNG file of the dialog's picture; empty: none.
    const CString& Captura() const { return m_captura; }

private:
    // Each option's value: false, with why in error, when it is not one.
    bool TomaIni(const CString& ruta, CString& error);
    bool TomaSeccion(const CString& seccion, CString& error);
    bool TomaPrefijo(const CString& prefijo, CString& error);
    bool TomaServidor(const CString& valor, CString& error);
    bool TomaIdioma(const CString& idioma, CString& error);
    bool TomaCaptura(const CString& ruta, CString& error);
    bool Comprueba(CString& error) const;

    bool m_ayuda = false;
    CString m_ini;
    CString m_seccion = kSeccionPorDefecto;
    CString m_prefijo = kPrefijoPorDefecto;
    bool m_prefijoDado = false;
    bool m_terceraOpcion = false;
    std::vector<CDireccionURL> m_servidores;
    CString m_idioma;
    bool m_automatico = false;
    CString m_captura;
};
