// UsuarioSimulado.h: drives this thread's windows as a user would (SendInput), step by step from a timer,
// so every step runs inside whatever modal loop is current. Every wait is bounded (10 s a step): on a step
// that times out the test fails and every dialog of the thread is closed, so DoModal returns.
#pragma once

#include <windows.h>

#include <Temporizador.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

class CUsuarioSimulado {
public:
    using Condicion = std::function<bool()>;
    using Accion = std::function<void()>;

    CUsuarioSimulado();
    ~CUsuarioSimulado();
    CUsuarioSimulado(const CUsuarioSimulado&) = delete;
    CUsuarioSimulado& operator=(const CUsuarioSimulado&) = delete;

    // When cuando() holds, haz() runs and the next step begins. Actions must not block in a modal
    // loop of their own: they give input (which the loop then delivers) or post messages.
    CUsuarioSimulado& Cuando(std::string descripcion, Condicion cuando, Accion haz);
    CUsuarioSimulado& Haz(std::string descripcion, Accion haz);

    // Starts the steps; they run as the thread's message loops dispatch the timer.
    void Empieza();
    bool Terminado() const { return m_siguiente == m_pasos.size(); }

private:
    struct Paso {
        std::string descripcion;
        Condicion cuando;
        Accion haz;
    };

    void Tic();

    std::vector<Paso> m_pasos;
    size_t m_siguiente = 0;
    std::chrono::steady_clock::time_point m_inicioPaso;
    CTemporizador m_reloj;
    bool m_empezado = false;
    bool m_enPaso = false;
    bool m_fallido = false;
};

// Input as the user gives it, to whatever window has the focus or lies under the pointer.
namespace Usuario {
void Clic(HWND ventana);  // left button, in the middle of the window
// With control, Ctrl is held: the click adds to a list's selection.
void Clic(HWND ventana, POINT enCliente, bool control = false);
void DobleClic(HWND ventana, POINT enCliente);
// A key, with Shift and/or Ctrl held while it is pressed.
void Tecla(WORD vk, bool mayusculas = false, bool control = false);
// Alt and a letter: the control whose label has that access key.
void TeclaDeAcceso(wchar_t letra);
// Characters typed one by one.
void Escribe(const std::wstring& texto);
}  // namespace Usuario

// Windows of this thread, for the conditions of steps.
namespace Ventanas {
// The visible top-level dialog box of this thread with this title; null if none.
HWND ConTitulo(const std::wstring& titulo);
// The visible dialog box of this thread that is active (a message box counts); null if none.
HWND DialogoActivo();
std::vector<HWND> Dialogos();  // visible top-level dialog boxes of this thread
std::wstring Texto(HWND ventana);
// The dialog is up and has the keyboard.
bool Activa(HWND dialogo);
HWND Control(HWND dialogo, int id);
POINT Centro(HWND ventana);  // in screen coordinates
}  // namespace Ventanas

// Runs the whole test process on a desktop of its own, so the input it gives never reaches the
// windows of tests running beside it. Call before the thread creates any window.
bool UsaEscritorioPropio();
