// Autenticacion.h: Autenticacion, one hop's answers to a server's 401 or a proxy's 407: the strongest
// scheme offered, with credentials from the address, Credential Manager or the user, in that order.
#pragma once

#include "Credenciales.h"
#include "DireccionUrl.h"
#include "EsperaVisible.h"

#include <afx.h>

#include <winhttp.h>

#include <map>
#include <optional>

namespace Nadir::Sockets {

// Credentials a target took during one connection's life, by their name in Credential Manager.
using CredencialesAceptadas = std::map<CString, Credencial>;

class Autenticacion {
public:
    // url's server; deLaDireccion: the credentials the user wrote in the address, when url is that
    // address's server.
    static Autenticacion DelServidor(const DireccionUrl& url, std::optional<Credencial> deLaDireccion,
                                     CredencialesAceptadas& aceptadas, EsperaVisible& espera);
    // The proxy "host:port" of a request; automatico: WinHTTP chose it and its name is not known.
    static Autenticacion DelProxy(const CString& proxy, bool automatico, CredencialesAceptadas& aceptadas,
                                  EsperaVisible& espera);

    enum class Paso {
        Ninguno,       // the target offers no scheme WinHTTP speaks: its answer stands
        Reenviar,      // credentials set on the request: send it again
        NuevaPeticion  // the next credentials go on a new request (WinHTTP would repeat the last ones)
    };
    // After the target's challenge to peticion. Throws ExcepcionNadir when there is nothing left to
    // try, or the user cancelled the prompt.
    Paso Responde(HINTERNET peticion);
    // A new request for the same address: the credentials chosen go on it at the next challenge.
    void NuevaPeticion() { m_aplicada = false; }
    // The request's last status: credentials the target took are kept for later requests, and
    // stored in Credential Manager when the user asked the prompt to remember them.
    void Concluye(unsigned int estado);

private:
    enum class Fuente { Aceptada, Direccion, Administrador, Usuario, Ninguna };
    static constexpr int kPreguntas = 3;

    Autenticacion(DWORD objetivo, const CString& nombre, const CString& destino, CredencialesAceptadas& aceptadas,
                  EsperaVisible& espera);
    // The next source's credentials that differ from the last ones sent (what the user types is
    // always tried).
    Credencial Distinta();
    std::optional<Credencial> Siguiente();
    std::optional<Credencial> PreguntaAlUsuario();
    [[noreturn]] void FallaSinCredenciales() const;

    DWORD m_objetivo;         // WINHTTP_AUTH_TARGET_SERVER or _PROXY
    CString m_nombre;         // as messages name the target
    CString m_destino;        // its credential's name in Credential Manager
    CString m_titulo;         // of the prompt
    CString m_mensaje;        // of the prompt
    CString m_comoDarlas;     // how to give credentials without a prompt
    std::optional<Credencial> m_deLaDireccion;
    CredencialesAceptadas& m_aceptadas;
    EsperaVisible& m_espera;
    Fuente m_siguiente = Fuente::Aceptada;
    std::optional<Credencial> m_probada;  // the last one sent
    bool m_dePregunta = false;            // m_probada came from the prompt
    bool m_recordar = false;              // ... with "remember" ticked
    bool m_aplicada = false;              // m_probada went on the current request
    int m_preguntas = 0;
};

}  // namespace Nadir::Sockets
