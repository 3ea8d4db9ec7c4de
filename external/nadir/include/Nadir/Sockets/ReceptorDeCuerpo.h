// ReceptorDeCuerpo.h: ReceptorDeCuerpo, where the body of an answer goes as it arrives.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace Nadir::Sockets {

struct RespuestaHttp;

// ConexionHttp::Get hands the body of the answer it ends with over piece by piece, inflated when the
// server compressed it: it asks for room, writes the bytes there and says how many, so nothing is
// copied on the way. An exception thrown from here ends the Get at once and leaves it.
class ReceptorDeCuerpo {
public:
    virtual ~ReceptorDeCuerpo() = default;

    // The status and headers of the answer (its cuerpo empty), before any of its body. longitud:
    // the size of the body when the server declared it and sends it uncompressed.
    virtual void Empieza(const RespuestaHttp& respuesta, std::optional<std::uint64_t> longitud) = 0;
    // Room for the next bytes, at least minimo of them.
    virtual std::span<char> Espacio(std::size_t minimo) = 0;
    // That many bytes were written at the start of the room Espacio gave last.
    virtual void Recibe(std::size_t bytes) = 0;
    // The whole body has arrived.
    virtual void Termina() = 0;
};

}  // namespace Nadir::Sockets
