// Temporizador.h: CTemporizador, a timer of this thread whose callback runs from whatever message loop
// is pumping (a modal dialog's included), through a message-only window of its own.
#pragma once

#include <windows.h>

#include <functional>

#include <Win32/Manejadores.h>

class CTemporizador {
public:
    explicit CTemporizador(std::function<void()> alSonar);
    CTemporizador(const CTemporizador&) = delete;
    CTemporizador& operator=(const CTemporizador&) = delete;

    // Every intervaloMs from now on, until Para or the object's end.
    void Arranca(UINT intervaloMs);
    void Para();

private:
    static LRESULT CALLBACK Procedimiento(HWND ventana, UINT mensaje, WPARAM wParam, LPARAM lParam);

    std::function<void()> m_alSonar;
    Win32::Ventana m_ventana;  // message-only; its end ends the timer
};
