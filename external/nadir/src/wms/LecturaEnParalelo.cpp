// LecturaEnParalelo.cpp: blocks handed between the caller, which fills them, and the reader's thread.
#include "LecturaEnParalelo.h"

#include <Win32/Idiomas.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace Nadir::OpenGIS::WMS {

namespace {

// What is handed over at a time: several of WinHTTP's reads, so the threads seldom need to meet.
constexpr std::size_t kBloque = 64 * 1024;
// Blocks in flight at most: past them the caller waits for the reader, so a reader slower than the
// network does not let the answer pile up in memory.
constexpr std::size_t kBloquesMaximos = 16;

// The thread's UI languages, best first, as SetThreadPreferredUILanguages takes them: each ended by a
// null, and one more at the end.
std::wstring IdiomasDelHilo()
{
    std::wstring lista;
    for (const std::wstring& idioma : Win32::IdiomasDelHilo())
        lista += idioma + L'\0';
    return lista + L'\0';
}

}  // namespace

LecturaEnParalelo::LecturaEnParalelo(const CString& tipoContenido, const CString& origen, bool enParalelo)
    : m_lector(tipoContenido, origen)
{
    if (enParalelo)
        m_hilo = std::thread([this, idiomas = IdiomasDelHilo()] {
            ULONG puestos = 0;
            if (idiomas.size() > 1)
                SetThreadPreferredUILanguages(MUI_LANGUAGE_NAME, idiomas.c_str(), &puestos);
            Lee();
        });
}

LecturaEnParalelo::~LecturaEnParalelo()
{
    if (!m_hilo.joinable())
        return;
    {
        std::lock_guard<std::mutex> cerrojo(m_cerrojo);
        m_abandonado = true;
    }
    m_cambio.notify_all();
    m_hilo.join();
}

std::span<char> LecturaEnParalelo::Espacio(std::size_t minimo)
{
    if (!m_hilo.joinable())
        return m_lector.Espacio(minimo);
    if (m_actual.capacidad - m_actual.usados < minimo) {
        Entrega();
        std::unique_lock<std::mutex> cerrojo(m_cerrojo);
        for (;;) {
            if (m_fallo)
                std::rethrow_exception(m_fallo);
            const auto libre = std::find_if(m_libres.begin(), m_libres.end(),
                                            [&](const Bloque& b) { return b.capacidad >= minimo; });
            if (libre != m_libres.end()) {
                m_actual = std::move(*libre);
                m_libres.erase(libre);
                break;
            }
            if (!m_libres.empty() && m_bloquesCreados >= kBloquesMaximos) {
                m_libres.pop_back();  // too small for this: a larger one takes its place
                --m_bloquesCreados;
            }
            if (m_bloquesCreados < kBloquesMaximos) {
                const std::size_t capacidad = std::max(minimo, kBloque);
                m_actual = {std::make_unique<char[]>(capacidad), capacidad, 0};
                ++m_bloquesCreados;
                break;
            }
            m_cambio.wait(cerrojo);
        }
    }
    return {m_actual.datos.get() + m_actual.usados, m_actual.capacidad - m_actual.usados};
}

void LecturaEnParalelo::Agrega(std::size_t bytes)
{
    if (!m_hilo.joinable()) {
        m_lector.Agrega(bytes);
        return;
    }
    m_actual.usados += bytes;
    if (m_actual.usados == m_actual.capacidad)
        Entrega();
    CompruebaLector();
}

Capacidades LecturaEnParalelo::Termina()
{
    if (!m_hilo.joinable())
        return m_lector.Termina();
    Entrega();
    {
        std::lock_guard<std::mutex> cerrojo(m_cerrojo);
        m_terminado = true;
    }
    m_cambio.notify_all();
    m_hilo.join();
    if (m_fallo)
        std::rethrow_exception(m_fallo);
    return std::move(*m_resultado);
}

// The block being filled goes to the reader, or back among the free ones if it holds nothing.
void LecturaEnParalelo::Entrega()
{
    if (!m_actual.datos)
        return;
    const bool lleno = m_actual.usados > 0;
    {
        std::lock_guard<std::mutex> cerrojo(m_cerrojo);
        if (lleno)
            m_llenos.push_back(std::move(m_actual));
        else
            m_libres.push_back(std::move(m_actual));
    }
    if (lleno)
        m_cambio.notify_all();
    m_actual = {};
}

void LecturaEnParalelo::CompruebaLector()
{
    std::lock_guard<std::mutex> cerrojo(m_cerrojo);
    if (m_fallo)
        std::rethrow_exception(m_fallo);
}

// The reader's thread: each block in turn into the reader, then the end of the answer.
void LecturaEnParalelo::Lee()
{
    try {
        for (;;) {
            Bloque bloque;
            {
                std::unique_lock<std::mutex> cerrojo(m_cerrojo);
                m_cambio.wait(cerrojo, [&] { return m_abandonado || m_terminado || !m_llenos.empty(); });
                if (m_abandonado)
                    return;
                if (m_llenos.empty())
                    break;
                bloque = std::move(m_llenos.front());
                m_llenos.pop_front();
            }
            std::memcpy(m_lector.Espacio(bloque.usados).data(), bloque.datos.get(), bloque.usados);
            m_lector.Agrega(bloque.usados);
            {
                std::lock_guard<std::mutex> cerrojo(m_cerrojo);
                bloque.usados = 0;
                m_libres.push_back(std::move(bloque));
            }
            m_cambio.notify_all();
        }
        Capacidades capacidades = m_lector.Termina();
        std::lock_guard<std::mutex> cerrojo(m_cerrojo);
        m_resultado = std::move(capacidades);
    } catch (...) {
        {
            std::lock_guard<std::mutex> cerrojo(m_cerrojo);
            m_fallo = std::current_exception();
        }
        m_cambio.notify_all();
    }
}

}  // namespace Nadir::OpenGIS::WMS
