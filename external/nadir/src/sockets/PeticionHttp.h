// PeticionHttp.h: one GET over an open asynchronous WinHTTP session within its time limits, waited for
// the user's way; redirects not followed, logins answered by the caller.
#pragma once

#include "DireccionUrl.h"
#include "EsperaVisible.h"
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

    // plazo: the instant the whole Get, redirects included, must be over. espera: how this thread
    // waits for each step.
    PeticionHttp(HINTERNET sesion, const DireccionUrl& url, const ConexionHttp::Limites& limites,
                 Reloj::time_point plazo, EsperaVisible& espera);
    ~PeticionHttp();
    PeticionHttp(const PeticionHttp&) = delete;
    PeticionHttp& operator=(const PeticionHttp&) = delete;

    // Connects, sends the request and waits for the status line and headers. Again after a 401 or
    // 407, with the credentials set on Handle().
    void Enviar();
    HINTERNET Handle() const { return m_peticion.Get(); }
    unsigned int Estado() const;
    // A response header (WINHTTP_QUERY_*), empty when the server sent none.
    CString Cabecera(DWORD consulta) const;
    // Hands the body to receptor as it arrives, inflated when encoded, after telling it respuesta
    // (this request's status and headers); throws when it is cut short, too large or late. The one
    // read loop of every Get.
    void LeerCuerpo(const RespuestaHttp& respuesta, ReceptorDeCuerpo& receptor);

private:
    enum class Fase { Conexion, Respuesta, Cuerpo };
    // Whether the user may skip while a step completes.
    enum class Espera { Omitible, SinOmitir };
    // What WinHTTP's callback reports, on its own threads; owned by the callback, which frees it when
    // the request handle closes (after this object, when a step was left pending).
    struct Avisos;

    static void CALLBACK AlAvanzar(HINTERNET, DWORD_PTR contexto, DWORD estado, LPVOID informacion, DWORD longitud);
    // The step started (llamada) and completed, or its failure thrown.
    void Completar(BOOL llamada, Fase fase, Espera espera = Espera::Omitible);
    void AjustarTiempos();
    void AjustarTiempoDeLectura();
    std::chrono::milliseconds Restante() const;
    DWORD EsperarDatos();
    // Up to maximo of the body bytes EsperarDatos announced into destino; how many.
    DWORD Leer(char* destino, DWORD maximo);
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
    EsperaVisible& m_espera;
    Avisos* m_avisos = nullptr;
    bool m_pendiente = false;  // a step was started and has not completed
    HandleInternet m_conexion;
    HandleInternet m_peticion;
    std::chrono::milliseconds m_restante{};  // time left when the last limits were set
    DWORD m_esperaFijada = 0;                // the receive timeout set on the request, in ms
    Reloj::time_point m_inicioVentana;       // of the low-speed rule's current window
    std::uint64_t m_recibidosAntesDeVentana = 0;
};

}  // namespace Nadir::Sockets
