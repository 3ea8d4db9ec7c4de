// Temporizador.cpp: CTemporizador: SetTimer on a message-only window that calls back the object.
#include "Temporizador.h"

namespace {

constexpr UINT_PTR kTemporizador = 1;

LPCWSTR Clase()
{
    static const ATOM clase = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"OrtusTemporizador";
        return ::RegisterClassW(&wc);
    }();
    return MAKEINTATOM(clase);
}

}  // namespace

CTemporizador::CTemporizador(std::function<void()> alSonar)
    : m_alSonar(std::move(alSonar)),
      m_ventana(::CreateWindowExW(0, Clase(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ::GetModuleHandleW(nullptr),
                                  nullptr))
{
    ::SetWindowLongPtrW(m_ventana.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrW(m_ventana.Get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedimiento));
}

void CTemporizador::Arranca(UINT intervaloMs) { ::SetTimer(m_ventana.Get(), kTemporizador, intervaloMs, nullptr); }

void CTemporizador::Para() { ::KillTimer(m_ventana.Get(), kTemporizador); }

LRESULT CALLBACK CTemporizador::Procedimiento(HWND ventana, UINT mensaje, WPARAM wParam, LPARAM lParam)
{
    if (mensaje == WM_TIMER && wParam == kTemporizador) {
        reinterpret_cast<CTemporizador*>(::GetWindowLongPtrW(ventana, GWLP_USERDATA))->m_alSonar();
        return 0;
    }
    return ::DefWindowProcW(ventana, mensaje, wParam, lParam);
}
