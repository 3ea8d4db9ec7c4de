// ConexionHttp.h: an HTTP(S) session over WinHTTP, and the answer to one GET.
#pragma once

#include "Nadir/ExcepcionNadir.h"
#include "Nadir/Sockets/ReceptorDeCuerpo.h"

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

namespace Nadir::Sockets {

// One answer, after redirects and content decoding.
struct NADIR_SOCKETS_API RespuestaHttp {
    unsigned int estado = 0;  // HTTP status code
    CString frase;            // reason phrase as the server sent it
    CString tipoContenido;    // Content-Type header, empty when absent
    CString urlFinal;         // address that answered, after redirects
    std::string cuerpo;       // body bytes, inflated when sent gzip- or deflate-encoded
};

class NADIR_SOCKETS_API ConexionHttp {
public:
    // Bits of the opciones value.
    static constexpr unsigned int kSinOpciones = 0;
    // Connect through the proxy the user configured for Windows: WinHTTP's default configuration
    // (netsh winhttp), else the fixed proxy of Internet Options (automatic configuration scripts are
    // not run). Without this bit every connection is direct.
    static constexpr unsigned int kProxyDelSistema = 1;

    // agente: the User-Agent sent with every request. Unknown option bits are refused.
    ConexionHttp(const CString& agente, unsigned int opciones);
    ~ConexionHttp();
    ConexionHttp(const ConexionHttp&) = delete;
    ConexionHttp& operator=(const ConexionHttp&) = delete;

    // A limit reached ends the Get with an ExcepcionNadir. The defaults suit a user waiting in a
    // dialog: a silent or dribbling server costs about 20 s, while a 64 MiB document at 30 KiB/s
    // (36 min) still arrives.
    struct Limites {
        std::chrono::milliseconds conexion{10'000};      // name resolution, and TCP connection
        std::chrono::milliseconds inactividad{20'000};   // waiting for the answer, or for more of it
        std::chrono::milliseconds total{40 * 60'000};    // whole Get, redirects included
        std::size_t tamanoMaximo = 64u << 20;            // body bytes after decoding
        unsigned int redirecciones = 10;                 // redirects followed before giving up
        // Low-speed rule: fewer than velocidadMinima body bytes a second (as sent, before decoding),
        // averaged over each ventanaVelocidad of the body, end the Get. 0 in either turns it off.
        std::size_t velocidadMinima = 1024;
        std::chrono::milliseconds ventanaVelocidad{20'000};
    };
    const Limites& GetLimites() const;
    void SetLimites(const Limites& limites);

    // GET of an http or https address. Follows redirects (never from https to http) and returns
    // whatever status the server ends with; throws ExcepcionNadir when no answer arrives (name
    // not resolved, connection refused, time limit, TLS, too many redirects, body too large).
    RespuestaHttp Get(const CString& url) const;
    // The same, handing the body to receptor as it arrives instead of keeping it in cuerpo.
    RespuestaHttp Get(const CString& url, ReceptorDeCuerpo& receptor) const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace Nadir::Sockets
