// PunteroCom.h: PunteroCom, the owner of one COM interface pointer (shared by both Nadir libraries).
#pragma once

#include <unknwn.h>

#include <utility>

namespace Nadir {

// Move-only; releases its reference when destroyed or replaced.
template <class T>
class PunteroCom {
public:
    PunteroCom() = default;
    // Takes over a reference the caller already owns.
    explicit PunteroCom(T* p) : m_p(p) {}
    ~PunteroCom() { Libera(); }
    PunteroCom(PunteroCom&& otro) noexcept : m_p(std::exchange(otro.m_p, nullptr)) {}
    PunteroCom& operator=(PunteroCom&& otro) noexcept
    {
        if (this != &otro) {
            Libera();
            m_p = std::exchange(otro.m_p, nullptr);
        }
        return *this;
    }
    PunteroCom(const PunteroCom&) = delete;
    PunteroCom& operator=(const PunteroCom&) = delete;

    T* operator->() const { return m_p; }
    T* Get() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    // For functions that hand out a new reference through a T** out parameter.
    T** Recibe()
    {
        Libera();
        return &m_p;
    }

private:
    void Libera()
    {
        if (m_p) {
            m_p->Release();
            m_p = nullptr;
        }
    }

    T* m_p = nullptr;
};

}  // namespace Nadir
