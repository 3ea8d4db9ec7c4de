// UltimosErrores.cpp: CUltimosErrores, by thread id.
#include "UltimosErrores.h"

void CUltimosErrores::Registra(const CString& mensaje) noexcept
{
    std::lock_guard<std::mutex> cerrojo(m_cerrojo);
    try {
        m_porHilo[::GetCurrentThreadId()] = mensaje;
    } catch (...) {
        m_porHilo.erase(::GetCurrentThreadId());
    }
}

CString CUltimosErrores::Ultimo() const
{
    std::lock_guard<std::mutex> cerrojo(m_cerrojo);
    const auto encontrado = m_porHilo.find(::GetCurrentThreadId());
    return encontrado != m_porHilo.end() ? encontrado->second : CString();
}
