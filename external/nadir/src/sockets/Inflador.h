// Inflador.h: streaming gzip/deflate decoder that stops before its output passes a limit.
#pragma once

#include "Nadir/Sockets/ReceptorDeCuerpo.h"

#include <zlib.h>

#include <cstddef>

namespace Nadir::Sockets {

class Inflador {
public:
    enum class Formato { Gzip, Deflate };
    enum class Resultado { Bien, Excede, Corrupto };

    // limite: most bytes the decoded body may have.
    Inflador(Formato formato, std::size_t limite);
    ~Inflador();
    Inflador(const Inflador&) = delete;
    Inflador& operator=(const Inflador&) = delete;

    // Decodes the next piece of the encoded body into the room salida gives, which is never handed
    // more than the limit: Excede as soon as it would be.
    Resultado Agregar(const char* datos, std::size_t longitud, ReceptorDeCuerpo& salida);
    // True once the encoded stream has ended properly (a cut one never does).
    bool Completo() const { return m_completo; }

private:
    Resultado Inflar(const char* datos, std::size_t longitud, ReceptorDeCuerpo& salida);

    z_stream m_zs = {};
    bool m_puedeSerCrudo;
    std::size_t m_limite;
    std::size_t m_entregados = 0;  // decoded bytes handed over so far
    bool m_completo = false;
};

}  // namespace Nadir::Sockets
