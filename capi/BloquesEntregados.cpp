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

size_t CComposicion::Bytes(const std::vector<CString>& textos)
{
    // Room to align the pointers after texts taken before them.
    size_t bytes = alignof(const wchar_t*) + textos.size() * sizeof(const wchar_t*);
    for (const CString& texto : textos)
        bytes += Bytes(texto);
    return bytes;
}

void* CComposicion::TomaBytes(size_t bytes, size_t alineacion)
{
    m_usados = (m_usados + alineacion - 1) / alineacion * alineacion;
    ASSERT(m_usados + bytes <= m_bytes);
    void* pieza = m_bloque + m_usados;
    m_usados += bytes;
    return pieza;
}

const wchar_t* CComposicion::Texto(const CString& texto)
{
    auto* copia = Toma<wchar_t>(static_cast<size_t>(texto.GetLength()) + 1);
    std::memcpy(copia, texto.GetString(), Bytes(texto));
    return copia;
}

const wchar_t* const* CComposicion::Lista(const std::vector<CString>& textos)
{
    if (textos.empty())
        return nullptr;
    auto** lista = Toma<const wchar_t*>(textos.size());
    for (size_t i = 0; i < textos.size(); ++i)
        lista[i] = Texto(textos[i]);
    return lista;
}
