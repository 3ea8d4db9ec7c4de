// TablaDeCatalogos.h: CTablaDeCatalogos, the catalogues handed to hosts as handles: a handle is a
// number never given twice, so a destroyed or made-up one is told apart, never followed.
#pragma once

#include <DataConectaURL.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "OrtusC.h"

class CTablaDeCatalogos {
public:
    OrtusCatalogo Crea();
    // False when the handle is not a live catalogue. Who holds it still (a dialog running on it)
    // keeps it until done.
    bool Destruye(OrtusCatalogo catalogo);
    // Null when the handle is not a live catalogue.
    std::shared_ptr<CDataConectaURL> Busca(OrtusCatalogo catalogo) const;

private:
    mutable std::mutex m_cerrojo;
    std::unordered_map<std::uintptr_t, std::shared_ptr<CDataConectaURL>> m_vivos;
    std::uintptr_t m_ultimo = 0;
};
