// BloquesEntregados.h: CBloquesEntregados, the memory the module hands to hosts, one block per
// structure with its texts and lists inside, taken back through OrtusFree; CComposicion, which lays
// one such block out.
#pragma once

#include <afx.h>

#include <mutex>
#include <unordered_set>
#include <vector>

// Takes the pieces of a block in order, each aligned for its type, within the bytes measured for it.
// Made without a block, it takes nothing and only counts the bytes the same pieces need.
class CComposicion {
public:
    CComposicion() = default;
    CComposicion(void* bloque, size_t bytes) : m_bloque(static_cast<BYTE*>(bloque)), m_bytes(bytes) {}

    // cuantos zero-filled T, aligned for T; null while only counting.
    template <typename T>
    T* Toma(size_t cuantos = 1)
    {
        return static_cast<T*>(TomaBytes(sizeof(T) * cuantos, alignof(T)));
    }
    const wchar_t* Texto(const CString& texto);
    // A list of pointers to copies of the texts; null for an empty list.
    const wchar_t* const* Lista(const std::vector<CString>& textos);
    size_t Usados() const { return m_usados; }

private:
    void* TomaBytes(size_t bytes, size_t alineacion);

    BYTE* m_bloque = nullptr;
    size_t m_bytes = 0;
    size_t m_usados = 0;
};

class CBloquesEntregados {
public:
    // bytes from the process heap (no C runtime's), recorded as handed out. Throws std::bad_alloc.
    void* Reserva(size_t bytes);
    // False, freeing nothing, when bloque was not handed out or was released already.
    bool Libera(void* bloque);

    // A T in a block of its own, with whatever rellena(bloque, salida) takes from the block after it.
    // rellena runs twice: on a scratch T to count the bytes, then on the block's.
    template <typename T, typename Rellena>
    T* Entrega(Rellena rellena)
    {
        CComposicion medida;
        medida.Toma<T>();
        T provisional = {};
        rellena(medida, provisional);
        CComposicion bloque(Reserva(medida.Usados()), medida.Usados());
        T* salida = bloque.Toma<T>();
        rellena(bloque, *salida);
        return salida;
    }

private:
    std::mutex m_cerrojo;
    std::unordered_set<void*> m_entregados;
};
