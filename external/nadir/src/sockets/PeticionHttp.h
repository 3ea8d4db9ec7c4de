// PeticionHttp.h: one GET over an open WinHTTP session within its time limits; redirects not followed.
#pragma once

#include "DireccionUrl.h"
#include "Inflador.h"
#include "Nadir/Sockets/ConexionHttp.h"

#include <Win32/Manejadores.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

namespace Nadir::Sockets {

// A WinHTTP session, connection or request.
using HandleInternet = Win32::Manejador<HINTERNET, WinHttpCloseHandle>;

class PeticionHttp {
public:
    using Reloj = std::chrono::steady_clock;

    // plazo: the instant the whole Get, redirects included, must be over.
    PeticionHttp(HINTERNET sesion, const DireccionUrl& url, const ConexionHttp::Limites& limites,
                 Reloj::time_point plazo);
    PeticionHttp(const PeticionHttp&) = delete;
    PeticionHttp& operator=(const PeticionHttp&) = delete;

    // Connects, sends the request and waits for the status line and headers.
    void Enviar();
    unsigned int Estado() const;
    // A response header (WINHTTP_QUERY_*), empty when the server sent none.
    CString Cabecera(DWORD consulta) const;
    // Hands the body to receptor as it arrives, inflated when encoded, after telling it respuesta
    // (this request's status and headers); throws when it is cut short, too large or late. The one
    // read loop of every Get.
    void LeerCuerpo(const RespuestaHttp& respuesta, ReceptorDeCuerpo& receptor);

private:
    enum class Fase { Conexion, Respuesta, Cuerpo };

    static void CALLBACK AlAvanzar(HINTERNET, DWORD_PTR contexto, DWORD estado, LPVOID informacion, DWORD);
    void AjustarTiempos();
    void AjustarTiempoDeLectura();
    std::chrono::milliseconds Restante() const;
    DWORD EsperarDatos();
    void ComprobarVelocidad(std::uint64_t recibidos);
    std::optional<std::uint64_t> LongitudDeclarada() const;
    DWORD LeerDirecto(DWORD disponibles, std::uint64_t recibidos, ReceptorDeCuerpo& receptor);
    DWORD LeerComprimido(DWORD disponibles, Inflador& inflador, std::vector<char>& comprimido,
                         ReceptorDeCuerpo& receptor);
    [[noreturn]] void FallarWinHttp(DWORD error, Fase fase) const;
    [[noreturn]] void FallarTls(DWORD error) const;
    [[noreturn]] void FallarPorPlazo() const;
    [[noreturn]] void FallarPorTamano() const;
    [[noreturn]] void FallarPorCorte(std::uint64_t recibidos) const;
    [[noreturn]] void FallarPorLentitud(std::uint64_t enLaVentana, std::chrono::milliseconds transcurrido) const;

    const DireccionUrl& m_url;
    const ConexionHttp::Limites& m_limites;
    Reloj::time_point m_plazo;
    HandleInternet m_conexion;
    HandleInternet m_peticion;
    bool m_conectado = false;        // the TCP connection was made
    DWORD m_fallosTls = 0;           // WINHTTP_CALLBACK_STATUS_FLAG_* of a refused certificate
    std::chrono::milliseconds m_restante{};  // time left when the last limits were set
    DWORD m_esperaFijada = 0;                // the receive timeout set on the request, in ms
    Reloj::time_point m_inicioVentana;       // of the low-speed rule's current window
    std::uint64_t m_recibidosAntesDeVentana = 0;
};

}  // namespace Nadir::Sockets
