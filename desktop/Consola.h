// Consola.h: Consola, a standard output that takes UTF-16 text: to a console as such, elsewhere as UTF-8.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// Buffered; what is left is written when the object goes.
class Consola {
public:
    // cual: STD_OUTPUT_HANDLE or STD_ERROR_HANDLE.
    explicit Consola(DWORD cual);
    ~Consola();
    Consola(const Consola&) = delete;
    Consola& operator=(const Consola&) = delete;

    void Escribe(std::wstring_view texto);
    void Vacia();

private:
    void EscribeEnConsola(std::wstring_view texto);
    void EscribeUtf8(std::wstring_view texto);

    HANDLE m_salida;  // the process's own standard handle: never closed here
    bool m_esConsola;
    std::wstring m_pendiente;
};
