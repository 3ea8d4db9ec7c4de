// EscrituraPng.h: EscribePng, a 32-bit picture written as an 8-bit RGB PNG file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

// Writes pixels (0x00RRGGBB, top row first, ancho * alto of them) to ruta. False if the file could
// not be written.
bool EscribePng(const std::filesystem::path& ruta, int ancho, int alto, const std::vector<uint32_t>& pixeles);
