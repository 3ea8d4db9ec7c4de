// DireccionUrl.h: an http or https address parsed by the system (IUri), and redirect targets resolved against it.
#pragma once

#include "Credenciales.h"

#include <afx.h>

#include <windows.h>
#include <urlmon.h>
#include <winhttp.h>

#include <Win32/Manejadores.h>

#include <optional>

namespace Nadir::Sockets {

class DireccionUrl {
public:
    // Throws ExcepcionNadir for text that is not an address, or an address of another scheme.
    explicit DireccionUrl(const CString& texto);

    // The address a Location header points to, relative ones taken against this one.
    DireccionUrl Resolver(const CString& ubicacion) const;

    // The address as given, or as resolved for a redirect, without its password: for messages.
    const CString& Texto() const { return m_texto; }
    // The system's canonical spelling, for telling whether two addresses are the same.
    const CString& Canonica() const { return m_canonica; }
    bool EsSegura() const { return m_segura; }
    // Host name as WinHttpConnect wants it (IPv6 literals in brackets).
    const CString& Host() const { return m_host; }
    INTERNET_PORT Puerto() const { return m_puerto; }
    // Path and query string, never empty.
    const CString& Recurso() const { return m_recurso; }
    // Host for messages: with the port when it is not the scheme's own.
    CString HostVisible() const;
    // "http://host:port", port always written: what a login belongs to.
    CString Origen() const;
    // The address without user and password, as a proxy configuration script may see it.
    CString SinUsuario() const;
    // localhost, 127.0.0.0/8 or ::1.
    bool EsBucleLocal() const;
    // The user name and password of user:password@, percent-decoded; none when the address has neither.
    std::optional<Credencial> CredencialPropia() const;

private:
    DireccionUrl(const CString& texto, Win32::PunteroCom<IUri> uri);

    CString m_texto;
    CString m_canonica;
    bool m_segura = false;
    CString m_host;
    INTERNET_PORT m_puerto = 0;
    CString m_recurso;
    Win32::PunteroCom<IUri> m_uri;
};

}  // namespace Nadir::Sockets
