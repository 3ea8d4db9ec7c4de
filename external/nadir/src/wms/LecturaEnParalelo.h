// LecturaEnParalelo.h: LecturaEnParalelo, a LectorCapacidades that reads on a thread of its own while the
// answer keeps arriving.
#pragma once

#include "LectorCapacidades.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <thread>
#include <vector>

namespace Nadir::OpenGIS::WMS {

// Receiving (WinHTTP, zlib) and parsing each keep a core busy, so a large answer is read on a second
// thread as it comes, with what has arrived handed over in blocks: the whole call then takes little
// longer than the download. A small one is read on the caller's thread: a thread would cost more than
// it saves. Either way the caller sees LectorCapacidades: Espacio, Agrega and Termina, failures thrown
// from Agrega (as soon as the reader has found one: the download can stop) or from Termina. The thread
// speaks the caller's UI languages, so messages read the same.
class NADIR_WMS_API LecturaEnParalelo {
public:
    // enParalelo: whether to read on a thread of its own.
    LecturaEnParalelo(const CString& tipoContenido, const CString& origen, bool enParalelo);
    // Stops the thread, if any, without waiting for the rest of the answer.
    ~LecturaEnParalelo();
    LecturaEnParalelo(const LecturaEnParalelo&) = delete;
    LecturaEnParalelo& operator=(const LecturaEnParalelo&) = delete;

    std::span<char> Espacio(std::size_t minimo);
    void Agrega(std::size_t bytes);
    Capacidades Termina();

private:
    struct Bloque {
        std::unique_ptr<char[]> datos;
        std::size_t capacidad = 0;
        std::size_t usados = 0;
    };

    void Lee();
    void Entrega();
    void CompruebaLector();

    LectorCapacidades m_lector;
    std::thread m_hilo;  // not joinable when reading on the caller's thread
    Bloque m_actual;     // being filled by the caller
    std::size_t m_bloquesCreados = 0;
    std::mutex m_cerrojo;  // over what follows
    std::condition_variable m_cambio;
    std::deque<Bloque> m_llenos;   // for the reader, in order
    std::vector<Bloque> m_libres;  // read, for the caller to fill again
    bool m_terminado = false;      // the answer is complete: the reader finishes once m_llenos is empty
    bool m_abandonado = false;     // the caller gave up: the reader stops at once
    std::exception_ptr m_fallo;    // the reader's
    std::optional<Capacidades> m_resultado;
};

}  // namespace Nadir::OpenGIS::WMS
