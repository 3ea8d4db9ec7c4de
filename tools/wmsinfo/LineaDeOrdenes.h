// LineaDeOrdenes.h: LineaDeOrdenes, the options and address wmsinfo was started with.
#pragma once

#include "Nadir/Sockets/ConexionHttp.h"

#include <afx.h>

#include <optional>

class LineaDeOrdenes {
public:
    static constexpr wchar_t kUso[] = L"usage: wmsinfo [--json] [--timeout SECONDS] ADDRESS";

    // False, with the reason in error, when the arguments are not a valid use.
    bool Lee(int argc, const wchar_t* const* argv, CString& error);

    bool Ayuda() const { return m_ayuda; }
    bool Json() const { return m_json; }
    // An http(s) address, or the path of a saved capabilities document.
    const CString& Direccion() const { return m_direccion; }
    // The connection's limits when --timeout was given: connect and inactivity as given, the whole
    // request as much longer than that as the defaults make it.
    std::optional<Nadir::Sockets::ConexionHttp::Limites> Limites() const;

private:
    bool m_ayuda = false;
    bool m_json = false;
    double m_segundos = 0;  // 0: the connection's own limits
    CString m_direccion;
};
