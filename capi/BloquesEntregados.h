// BloquesEntregados.h: CBloquesEntregados, the memory the module hands to hosts, one block per
// structure with its texts and lists inside, taken back through OrtusFree; CComposicion, which lays
// one such block out.
#pragma once

#include <afx.h>

#include <mutex>
#include <unordered_set>
#include <vector>

class CBloquesEntregados {
public:
    // bytes from the process heap (no C runtime's), recorded as handed out. Throws std::bad_alloc.
    void* Reserva(size_t bytes);
    // False, freeing nothing, when bloque was not handed out or was released already.
    bool Libera(void* bloque);

private:
    std::mutex m_cerrojo;
    std::unordered_set<void*> m_entregados;
};

// Takes the pieces of a block in order, each aligned for its type, within the bytes measured for it.
class CComposicion {
public:
    static size_t Bytes(const CString& texto) { return (static_cast<size_t>(texto.GetLength()) + 1) * sizeof(wchar_t); }
    static size_t Bytes(const std::vector<CString>& textos);  // the list, aligned, and its texts

    CComposicion(void* bloque, size_t bytes) : m_bloque(static_cast<BYTE*>(bloque)), m_bytes(bytes) {}

    // cuantos zero-filled T, aligned for T.
    template <typename T>
    T* Toma(size_t cuantos = 1)
    {
        return static_cast<T*>(TomaBytes(sizeof(T) * cuantos, alignof(T)));
    }
    const wchar_t* Texto(const CString& texto);
    // A list of pointers to copies of the texts; null for an empty list.
    const wchar_t* const* Lista(const std::vector<CString>& textos);

private:
    void* TomaBytes(size_t bytes, size_t alineacion);

    BYTE* m_bloque;
    size_t m_bytes;
    size_t m_usados = 0;
};
