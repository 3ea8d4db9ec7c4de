// ModuloDeRecursos.h: ModuloDeRecursos, the owner of a module mapped for its resources only.
#pragma once

#include <windows.h>

#include <utility>

namespace Nadir {

// Move-only; the module is mapped as an image for its resources, never run, and unmapped when the
// owner goes.
class ModuloDeRecursos {
public:
    ModuloDeRecursos() = default;
    // Empty when the file is missing or not a module.
    explicit ModuloDeRecursos(const wchar_t* ruta)
        : m_modulo(LoadLibraryExW(ruta, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE))
    {
    }
    ~ModuloDeRecursos() { Libera(); }
    ModuloDeRecursos(ModuloDeRecursos&& otro) noexcept : m_modulo(std::exchange(otro.m_modulo, nullptr)) {}
    ModuloDeRecursos& operator=(ModuloDeRecursos&& otro) noexcept
    {
        if (this != &otro) {
            Libera();
            m_modulo = std::exchange(otro.m_modulo, nullptr);
        }
        return *this;
    }
    ModuloDeRecursos(const ModuloDeRecursos&) = delete;
    ModuloDeRecursos& operator=(const ModuloDeRecursos&) = delete;

    HMODULE Get() const { return m_modulo; }
    explicit operator bool() const { return m_modulo != nullptr; }

private:
    void Libera()
    {
        if (m_modulo)
            FreeLibrary(m_modulo);
        m_modulo = nullptr;
    }

    HMODULE m_modulo = nullptr;
};

}  // namespace Nadir
