// BloquesEntregados.cpp: CBloquesEntregados and CComposicion.
#include "BloquesEntregados.h"

#include <cstring>
#include <new>

void* CBloquesEntregados::Reserva(size_t bytes)
{
    void* bloque = ::HeapAlloc(::GetProcessHeap(), HEAP_ZERO_MEMORY, bytes);
    if (bloque == nullptr)
        throw std::bad_alloc();
    try {
        std::lock_guard<std::mutex> cerrojo(m_cerrojo);
        m_entregados.insert(bloque);
    } catch (...) {
        ::HeapFree(::GetProcessHeap(), 0, bloque);
        throw;
    }
    return bloque;
}

bool CBloquesEntregados::Libera(void* bloque)
{
    {
        std::lock_guard<std::mutex> cerrojo(m_cerrojo);
        if (m_entregados.erase(bloque) == 0)
            return false;
    }
    ::HeapFree(::GetProcessHeap(), 0, bloque);
    return true;
}

void* CComposicion::TomaBytes(size_t bytes, size_t alineacion)
{
    // The heap aligns a block for any type: offsets counted from 0 align as addresses in it do.
    m_usados = (m_usados + alineacion - 1) / alineacion * alineacion;
    ASSERT(m_bloque == nullptr || m_usados + bytes <= m_bytes);
    void* pieza = m_bloque != nullptr ? m_bloque + m_usados : nullptr;
    m_usados += bytes;
    return pieza;
}

const wchar_t* CComposicion::Texto(const CString& texto)
{
    const size_t caracteres = static_cast<size_t>(texto.GetLength()) + 1;
    auto* copia = Toma<wchar_t>(caracteres);
    if (copia != nullptr)
        std::memcpy(copia, texto.GetString(), caracteres * sizeof(wchar_t));
    return copia;
}

const wchar_t* const* CComposicion::Lista(const std::vector<CString>& textos)
{
    if (textos.empty())
        return nullptr;
    auto** lista = Toma<const wchar_t*>(textos.size());
    for (size_t i = 0; i < textos.size(); ++i) {
        const wchar_t* copia = Texto(textos[i]);
        if (lista != nullptr)
            lista[i] = copia;
    }
    return lista;
}
