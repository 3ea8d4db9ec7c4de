// PunteroCom.h: PunteroCom, the owner of one COM interface pointer.
#pragma once

#include <unknwn.h>

#include <utility>

namespace Nadir::OpenGIS::WMS {

// Move-only; releases its reference when destroyed or replaced.
template <class T>
class PunteroCom {
public:
    PunteroCom() = default;
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

    // Takes over a reference the caller already owns.
    explicit PunteroCom(T* p) : m_p(p) {}

    T* operator->() const { return m_p; }
    T* Get() const { return m_p; }

    // For functions that hand out a new reference through a void** out parameter.
    void** Recibe()
    {
        Libera();
        return reinterpret_cast<void**>(&m_p);
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

}  // namespace Nadir::OpenGIS::WMS
