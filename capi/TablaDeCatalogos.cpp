// TablaDeCatalogos.cpp: CTablaDeCatalogos.
#include "TablaDeCatalogos.h"

namespace {

std::uintptr_t Numero(OrtusCatalogo catalogo) { return reinterpret_cast<std::uintptr_t>(catalogo); }

}  // namespace

OrtusCatalogo CTablaDeCatalogos::Crea()
{
    auto catalogo = std::make_shared<CDataConectaURL>();
    std::lock_guard<std::mutex> cerrojo(m_cerrojo);
    m_vivos.emplace(m_ultimo + 1, std::move(catalogo));
    return reinterpret_cast<OrtusCatalogo>(++m_ultimo);
}

bool CTablaDeCatalogos::Destruye(OrtusCatalogo catalogo)
{
    std::shared_ptr<CDataConectaURL> ultimaReferencia;  // released after the lock, outside the table
    std::lock_guard<std::mutex> cerrojo(m_cerrojo);
    const auto encontrado = m_vivos.find(Numero(catalogo));
    if (encontrado == m_vivos.end())
        return false;
    ultimaReferencia = std::move(encontrado->second);
    m_vivos.erase(encontrado);
    return true;
}

std::shared_ptr<CDataConectaURL> CTablaDeCatalogos::Busca(OrtusCatalogo catalogo) const
{
    std::lock_guard<std::mutex> cerrojo(m_cerrojo);
    const auto encontrado = m_vivos.find(Numero(catalogo));
    return encontrado != m_vivos.end() ? encontrado->second : nullptr;
}
