// Inflador.cpp: zlib inflate in fixed steps, each checked against the limit before it is kept.
#include "Inflador.h"

#include <algorithm>
#include <new>

namespace Nadir::Sockets {

namespace {

constexpr int kGzipOZlib = 15 + 32;  // zlib detects either header
constexpr int kDeflateCrudo = -15;   // no header at all
constexpr std::size_t kPaso = 64 * 1024;

}  // namespace

Inflador::Inflador(Formato formato, std::size_t limite)
    : m_puedeSerCrudo(formato == Formato::Deflate), m_limite(limite)
{
    if (inflateInit2(&m_zs, kGzipOZlib) != Z_OK)
        throw std::bad_alloc();
}

Inflador::~Inflador()
{
    inflateEnd(&m_zs);
}

Inflador::Resultado Inflador::Agregar(const char* datos, std::size_t longitud, ReceptorDeCuerpo& salida)
{
    const bool alPrincipio = m_zs.total_in == 0;
    Resultado resultado = Inflar(datos, longitud, salida);
    // "deflate" should carry a zlib header, but some servers send the bare stream: try it that way.
    if (resultado == Resultado::Corrupto && m_puedeSerCrudo && alPrincipio && m_zs.total_out == 0 &&
        inflateReset2(&m_zs, kDeflateCrudo) == Z_OK) {
        m_puedeSerCrudo = false;
        resultado = Inflar(datos, longitud, salida);
    }
    return resultado;
}

Inflador::Resultado Inflador::Inflar(const char* datos, std::size_t longitud, ReceptorDeCuerpo& salida)
{
    m_zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(datos));
    m_zs.avail_in = static_cast<uInt>(longitud);
    while (!m_completo && (m_zs.avail_in > 0 || m_zs.avail_out == 0)) {
        const std::span<char> espacio = salida.Espacio(kPaso);
        m_zs.next_out = reinterpret_cast<Bytef*>(espacio.data());
        m_zs.avail_out = static_cast<uInt>(std::min<std::size_t>(espacio.size(), kPaso));
        const uInt ofrecidos = m_zs.avail_out;
        const int estado = inflate(&m_zs, Z_NO_FLUSH);
        if (estado != Z_OK && estado != Z_STREAM_END && estado != Z_BUF_ERROR)
            return Resultado::Corrupto;
        const std::size_t producidos = ofrecidos - m_zs.avail_out;
        if (producidos > m_limite - m_entregados)
            return Resultado::Excede;
        m_entregados += producidos;
        salida.Recibe(producidos);
        m_completo = estado == Z_STREAM_END;
        if (estado == Z_BUF_ERROR)
            break;
    }
    return Resultado::Bien;
}

}  // namespace Nadir::Sockets
