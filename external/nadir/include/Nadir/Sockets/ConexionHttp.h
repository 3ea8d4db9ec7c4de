// ConexionHttp.h: an HTTP(S) session over WinHTTP, the answer to one GET, the wait its user sees and
// the failure of a server the user skipped.
#pragma once

#include "Nadir/ExcepcionNadir.h"
#include "Nadir/Sockets/ReceptorDeCuerpo.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace Nadir::Sockets {

// One answer, after redirects, logins and content decoding.
struct NADIR_SOCKETS_API RespuestaHttp {
    unsigned int estado = 0;  // HTTP status code
    CString frase;            // reason phrase as the server sent it
    CString tipoContenido;    // Content-Type header, empty when absent
    CString urlFinal;         // address that answered, after redirects, without a password
    std::string cuerpo;       // body bytes, inflated when sent gzip- or deflate-encoded
};

// Thrown by ConexionHttp::Get when the user pressed Skip (or Escape) in the wait's window; its
// message says so in the user's language.
class NADIR_SOCKETS_API ServidorOmitido : public ExcepcionNadir {
public:
    explicit ServidorOmitido(const CString& mensaje);
};

// How a Get is getting on, for a caller that shows it its own way (a console's progress line).
struct NADIR_SOCKETS_API AvanceHttp {
    enum class Fase { Conectando, EsperandoRespuesta, Recibiendo };
    CString servidor;  // host, with the port when it is not the scheme's own
    Fase fase = Fase::Conectando;
    std::uint64_t recibidos = 0;  // body bytes so far, as sent
    std::uint64_t total = 0;      // the body's declared length; 0 when unknown
    std::chrono::milliseconds transcurrido{};
};

class NADIR_SOCKETS_API ObservadorHttp {
public:
    virtual ~ObservadorHttp();
    // Called on the Get's own thread, a few times a second while it waits.
    virtual void AlAvanzar(const AvanceHttp& avance) = 0;
};

class NADIR_SOCKETS_API ConexionHttp {
public:
    // Bits of the opciones value.
    static constexpr unsigned int kSinOpciones = 0;
    // Connect through the proxies the user configured for Windows: WinHTTP's automatic proxy where
    // the system offers it; else WinHTTP's own setting (netsh winhttp), else Internet Options'
    // configuration script or automatic detection, then its fixed proxy and bypass list. Loopback
    // addresses go direct unless the bypass list holds <-loopback>. Without this bit every
    // connection is direct.
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
        // The same while the user sees the wait and can skip it (see Get): servers that build their
        // answer on demand may take tens of seconds.
        std::chrono::milliseconds inactividadConUsuario{60'000};
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

    // Told how each Get goes; not owned, null for none.
    void SetObservador(ObservadorHttp* observador);

    // GET of an http or https address. Follows redirects (never from https to http) and returns
    // whatever status the server ends with; throws ExcepcionNadir when no answer arrives (name
    // not resolved, connection refused, time limit, TLS, too many redirects, body too large).
    //
    // A server or proxy that asks for a password (401, 407) gets the strongest scheme it offers
    // of Negotiate, NTLM, Digest and Basic, with the user name and password of the address
    // (user:password@, percent-decoded; for that address's host and port only, never after a
    // redirect elsewhere), else of Windows Credential Manager (the generic credential named
    // "Nadir:" + scheme://host:port, e.g. Nadir:https://wms.example.org:443), else of the system's
    // prompt when this thread has a window to own it (up to three tries; "remember" stores them
    // in Credential Manager once the server accepts them). A cancelled prompt or no password to
    // give throws ExcepcionNadir saying so.
    //
    // The call is synchronous. When this thread has a visible window, the wait runs a nested
    // message loop, as a message box does: past about 0.4 s a small window owned by the thread's
    // active window shows the server, what is happening and the time so far, with a Skip button
    // (Escape too) that ends the Get at once with ServidorOmitido; the limit of inactivity is then
    // inactividadConUsuario.
    RespuestaHttp Get(const CString& url) const;
    // The same, handing the body to receptor as it arrives instead of keeping it in cuerpo.
    RespuestaHttp Get(const CString& url, ReceptorDeCuerpo& receptor) const;

    // The Gets made while a Consulta lives are one wait for the user: one window for all of them,
    // named after servidor, its clock running from the Consulta's start.
    class NADIR_SOCKETS_API Consulta {
    public:
        Consulta(const ConexionHttp& conexion, const CString& servidor);
        ~Consulta();
        Consulta(const Consulta&) = delete;
        Consulta& operator=(const Consulta&) = delete;

    private:
        const ConexionHttp& m_conexion;
        bool m_propia;  // false inside another Consulta of the same connection
    };

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// An address as it may be shown: the password of its user:password@ left out. Works on any text,
// valid address or not.
NADIR_SOCKETS_API CString SinContrasena(const CString& direccion);

}  // namespace Nadir::Sockets
