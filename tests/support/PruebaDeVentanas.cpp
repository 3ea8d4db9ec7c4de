// PruebaDeVentanas.cpp: CEntornoDeVentanas and CVentanaPrincipal.
#include "PruebaDeVentanas.h"

#include "UsuarioSimulado.h"

void CEntornoDeVentanas::SetUp()
{
    ASSERT_TRUE(UsaEscritorioPropio());
    ASSERT_TRUE(AfxWinInit(::GetModuleHandleW(nullptr), nullptr, ::GetCommandLineW(), 0));
}

CVentanaPrincipal::CVentanaPrincipal()
{
    const LPCWSTR clase = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW),
                                              reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    EXPECT_TRUE(m_ventana.CreateEx(0, clase, L"Main window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 640, 480,
                                   nullptr, nullptr));
    AfxGetApp()->m_pMainWnd = &m_ventana;
}

CVentanaPrincipal::~CVentanaPrincipal()
{
    AfxGetApp()->m_pMainWnd = nullptr;  // or its destruction would end the thread's message loop
    m_ventana.DestroyWindow();
}
