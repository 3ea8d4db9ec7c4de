// EscrituraPng.cpp: the PNG chunks (signature, IHDR, one IDAT compressed with zlib, IEND).
#include "EscrituraPng.h"

#include <zlib.h>

#include <fstream>
#include <string>

namespace {

void AnadeBigEndian(std::string& destino, uint32_t valor)
{
    for (int desplazamiento = 24; desplazamiento >= 0; desplazamiento -= 8)
        destino.push_back(static_cast<char>((valor >> desplazamiento) & 0xFF));
}

// Length, type, data and the CRC of type and data.
std::string Bloque(const char (&tipo)[5], const std::string& datos)
{
    std::string bloque;
    AnadeBigEndian(bloque, static_cast<uint32_t>(datos.size()));
    const std::string tipoYDatos = std::string(tipo, 4) + datos;
    bloque += tipoYDatos;
    AnadeBigEndian(bloque, crc32(0, reinterpret_cast<const Bytef*>(tipoYDatos.data()),
                                 static_cast<uInt>(tipoYDatos.size())));
    return bloque;
}

// Each row starts with filter type 0 (none), then R, G, B per pixel.
std::string FilasSinFiltro(int ancho, int alto, const std::vector<uint32_t>& pixeles)
{
    std::string filas;
    filas.reserve(static_cast<size_t>(alto) * (1 + 3 * static_cast<size_t>(ancho)));
    for (int y = 0; y < alto; ++y) {
        filas.push_back('\0');
        for (int x = 0; x < ancho; ++x) {
            const uint32_t pixel = pixeles[static_cast<size_t>(y) * ancho + x];
            filas.push_back(static_cast<char>((pixel >> 16) & 0xFF));
            filas.push_back(static_cast<char>((pixel >> 8) & 0xFF));
            filas.push_back(static_cast<char>(pixel & 0xFF));
        }
    }
    return filas;
}

bool Comprime(const std::string& datos, std::string& comprimido)
{
    uLongf longitud = compressBound(static_cast<uLong>(datos.size()));
    comprimido.resize(longitud);
    if (compress2(reinterpret_cast<Bytef*>(comprimido.data()), &longitud, reinterpret_cast<const Bytef*>(datos.data()),
                  static_cast<uLong>(datos.size()), Z_BEST_COMPRESSION) != Z_OK)
        return false;
    comprimido.resize(longitud);
    return true;
}

}  // namespace

bool EscribePng(const std::filesystem::path& ruta, int ancho, int alto, const std::vector<uint32_t>& pixeles)
{
    if (ancho <= 0 || alto <= 0 || pixeles.size() != static_cast<size_t>(ancho) * alto)
        return false;
    std::string cabecera;
    AnadeBigEndian(cabecera, static_cast<uint32_t>(ancho));
    AnadeBigEndian(cabecera, static_cast<uint32_t>(alto));
    cabecera += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter, no interlace
    std::string comprimido;
    if (!Comprime(FilasSinFiltro(ancho, alto, pixeles), comprimido))
        return false;

    std::ofstream archivo(ruta, std::ios::binary | std::ios::trunc);
    archivo << "\x89PNG\r\n\x1a\n" << Bloque("IHDR", cabecera) << Bloque("IDAT", comprimido) << Bloque("IEND", "");
    return archivo.good();
}
