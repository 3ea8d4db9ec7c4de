// Manejador.h: Manejador, the move-only owner of a handle that one function releases.
#pragma once

#include <windows.h>

#include <utility>

namespace Nadir {

// Libera: the function that gives the handle back (WinHttpCloseHandle, FreeLibrary, ...).
template <class H, BOOL(WINAPI* Libera)(H)>
class Manejador {
public:
    Manejador() = default;
    explicit Manejador(H handle) : m_handle(handle) {}
    ~Manejador() { Cierra(); }
    Manejador(Manejador&& otro) noexcept : m_handle(std::exchange(otro.m_handle, nullptr)) {}
    Manejador& operator=(Manejador&& otro) noexcept
    {
        if (this != &otro) {
            Cierra();
            m_handle = std::exchange(otro.m_handle, nullptr);
        }
        return *this;
    }
    Manejador(const Manejador&) = delete;
    Manejador& operator=(const Manejador&) = delete;

    H Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

private:
    void Cierra()
    {
        if (m_handle)
            Libera(m_handle);
        m_handle = nullptr;
    }

    H m_handle = nullptr;
};

}  // namespace Nadir
