// VentanaQuasar.cpp: CVentanaQuasar.
#include "VentanaQuasar.h"

namespace {

constexpr UINT kMensajeEmpieza = WM_APP + 1;

}  // namespace

BEGIN_MESSAGE_MAP(CVentanaQuasar, CWnd)
    ON_MESSAGE(kMensajeEmpieza, &CVentanaQuasar::OnEmpieza)
END_MESSAGE_MAP()

BOOL CVentanaQuasar::Crea(int nCmdShow, std::function<void()> alMostrarse)
{
    m_alMostrarse = std::move(alMostrarse);
    const LPCWSTR clase = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW),
                                              reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1),
                                              ::LoadIconW(nullptr, IDI_APPLICATION));
    if (!CreateEx(0, clase, L"Quasar", WS_OVERLAPPEDWINDOW, 40, 30, 960, 720, nullptr, nullptr))
        return FALSE;
    ShowWindow(nCmdShow);
    UpdateWindow();
    return PostMessage(kMensajeEmpieza);
}

LRESULT CVentanaQuasar::OnEmpieza(WPARAM, LPARAM)
{
    m_alMostrarse();
    return 0;
}
