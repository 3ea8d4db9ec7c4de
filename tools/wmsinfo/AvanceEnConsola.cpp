// AvanceEnConsola.cpp: "server: what is happening, time" on stderr, over the last such line.
#include "AvanceEnConsola.h"

#include <chrono>
#include <cwchar>

namespace {

using Nadir::Sockets::AvanceHttp;

std::wstring Kilobytes(std::uint64_t bytes)
{
    return std::to_wstring((bytes + 1023) / 1024) + L" KB";
}

std::wstring Fase(const AvanceHttp& avance)
{
    switch (avance.fase) {
    case AvanceHttp::Fase::Conectando:
        return L"connecting";
    case AvanceHttp::Fase::EsperandoRespuesta:
        return L"waiting for the answer";
    case AvanceHttp::Fase::Recibiendo:
        break;
    }
    return L"receiving " + Kilobytes(avance.recibidos) + (avance.total ? L" of " + Kilobytes(avance.total) : L"");
}

}  // namespace

AvanceEnConsola::AvanceEnConsola(HANDLE salida) : m_salida(salida) {}

AvanceEnConsola::~AvanceEnConsola()
{
    Borra();
}

void AvanceEnConsola::AlAvanzar(const AvanceHttp& avance)
{
    const auto segundos = std::chrono::duration_cast<std::chrono::seconds>(avance.transcurrido).count();
    std::wstring linea = std::wstring(avance.servidor.GetString()) + L": " + Fase(avance) + L", " +
                         std::to_wstring(segundos) + L" s";
    const size_t ancho = linea.size();
    if (ancho < m_ancho)
        linea.append(m_ancho - ancho, L' ');
    Escribe(L"\r" + linea);
    m_ancho = ancho;
}

void AvanceEnConsola::Borra()
{
    if (m_ancho == 0)
        return;
    Escribe(L"\r" + std::wstring(m_ancho, L' ') + L"\r");
    m_ancho = 0;
}

void AvanceEnConsola::Escribe(const std::wstring& texto)
{
    DWORD escritos = 0;
    WriteConsoleW(m_salida, texto.data(), static_cast<DWORD>(texto.size()), &escritos, nullptr);
}
