// Consola.cpp: WriteConsoleW for a console window, UTF-8 through WriteFile for pipes and files.
#include "Consola.h"

#include <Win32/Texto.h>

#include <algorithm>

namespace {

constexpr size_t kBloque = 64 * 1024;

bool EsSustitutoAlto(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

}  // namespace

Consola::Consola(DWORD cual) : m_salida(GetStdHandle(cual))
{
    DWORD modo = 0;
    m_esConsola = GetConsoleMode(m_salida, &modo) != FALSE;
}

Consola::~Consola()
{
    Vacia();
}

void Consola::Escribe(std::wstring_view texto)
{
    m_pendiente.append(texto);
    if (m_pendiente.size() < kBloque)
        return;
    // A surrogate pair is never split between two writes.
    const bool partido = EsSustitutoAlto(m_pendiente.back());
    const std::wstring_view listo(m_pendiente.data(), m_pendiente.size() - (partido ? 1 : 0));
    if (m_esConsola)
        EscribeEnConsola(listo);
    else
        EscribeUtf8(listo);
    m_pendiente.erase(0, listo.size());
}

void Consola::Vacia()
{
    if (m_esConsola)
        EscribeEnConsola(m_pendiente);
    else
        EscribeUtf8(m_pendiente);
    m_pendiente.clear();
}

void Consola::EscribeEnConsola(std::wstring_view texto)
{
    while (!texto.empty()) {
        DWORD escritos = 0;
        const DWORD pedidos = static_cast<DWORD>(std::min<size_t>(texto.size(), kBloque));
        if (!WriteConsoleW(m_salida, texto.data(), pedidos, &escritos, nullptr) || escritos == 0)
            return;
        texto.remove_prefix(escritos);
    }
}

void Consola::EscribeUtf8(std::wstring_view texto)
{
    const std::string utf8 = Win32::Utf8(texto);
    const char* resto = utf8.data();
    DWORD quedan = static_cast<DWORD>(utf8.size());
    while (quedan > 0) {
        DWORD escritos = 0;
        if (!WriteFile(m_salida, resto, quedan, &escritos, nullptr) || escritos == 0)
            return;  // a closed pipe: nobody is reading any more
        resto += escritos;
        quedan -= escritos;
    }
}
