// AvanceEnConsola.h: AvanceEnConsola, a Get's progress as one line of a console, rewritten in place.
#pragma once

#include "Nadir/Sockets/ConexionHttp.h"

#include <windows.h>

#include <string>

class AvanceEnConsola : public Nadir::Sockets::ObservadorHttp {
public:
    // salida: a console's handle (GetConsoleMode succeeds on it); not closed here.
    explicit AvanceEnConsola(HANDLE salida);
    ~AvanceEnConsola() override;
    AvanceEnConsola(const AvanceEnConsola&) = delete;
    AvanceEnConsola& operator=(const AvanceEnConsola&) = delete;

    void AlAvanzar(const Nadir::Sockets::AvanceHttp& avance) override;
    // The line goes, so what is written next starts clean.
    void Borra();

private:
    void Escribe(const std::wstring& texto);

    HANDLE m_salida;
    size_t m_ancho = 0;  // of the line on screen
};
