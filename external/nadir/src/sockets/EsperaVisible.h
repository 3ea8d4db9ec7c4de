// EsperaVisible.h: EsperaVisible, one server's wait as its user lives it: a nested message loop and,
// past a short delay, the window to watch and skip it from; or, without a window, plain waiting.
#pragma once

#include "Nadir/Sockets/ConexionHttp.h"
#include "VentanaDeEspera.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>

namespace Nadir::Sockets {

class EsperaVisible {
public:
    using Reloj = std::chrono::steady_clock;

    // servidor names the server in the window and in the skip message; observador may be null.
    EsperaVisible(const CString& servidor, ObservadorHttp* observador);
    ~EsperaVisible();
    EsperaVisible(const EsperaVisible&) = delete;
    EsperaVisible& operator=(const EsperaVisible&) = delete;

    // This thread has a visible window to own the wait's window and a credential prompt.
    bool ConUsuario() const { return m_propietario != nullptr; }
    HWND Propietario() const { return m_propietario; }

    // Until evento is set. Once the window shows, runs this thread's messages as a modal loop does;
    // throws ServidorOmitido when the user skips (or the thread is asked to quit).
    void Espera(HANDLE evento, const std::atomic<AvanceHttp::Fase>& fase);
    // Body bytes so far and the declared length (0: unknown).
    void Recibidos(std::uint64_t recibidos, std::uint64_t total);

    // While it lives the wait's window is hidden and does not appear: another window has the user.
    class Aparte {
    public:
        explicit Aparte(EsperaVisible& espera);
        ~Aparte();
        Aparte(const Aparte&) = delete;
        Aparte& operator=(const Aparte&) = delete;

    private:
        EsperaVisible& m_espera;
    };

private:
    void Atiende(AvanceHttp::Fase fase);
    void DespachaMensajes();
    // The window is up to take the user's keys and clicks.
    bool TomaEntrada() const;
    bool Omitida() const;

    CString m_servidor;
    ObservadorHttp* m_observador;
    HWND m_propietario;
    Reloj::time_point m_inicio;
    Reloj::time_point m_ultimoAviso;
    std::uint64_t m_recibidos = 0;
    std::uint64_t m_total = 0;
    std::unique_ptr<VentanaDeEspera> m_ventana;
    bool m_aparte = false;
    std::optional<int> m_salida;  // the WM_QUIT taken from the queue, posted again at the end
};

}  // namespace Nadir::Sockets
