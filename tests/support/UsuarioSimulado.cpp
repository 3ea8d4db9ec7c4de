// UsuarioSimulado.cpp: CUsuarioSimulado, and the input and window helpers its steps use.
#include "UsuarioSimulado.h"

#include <afxwin.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr UINT kIntervaloMs = 15;
constexpr std::chrono::seconds kLimitePorPaso(10);

void Envia(std::vector<INPUT> entradas)
{
    ::SendInput(static_cast<UINT>(entradas.size()), entradas.data(), sizeof(INPUT));
}

INPUT Teclado(WORD vk, WORD caracter, DWORD flags)
{
    INPUT entrada = {};
    entrada.type = INPUT_KEYBOARD;
    entrada.ki.wVk = vk;
    entrada.ki.wScan = caracter;
    entrada.ki.dwFlags = flags;
    return entrada;
}

// A click's time stamp the system will not pair with the last one: a tests' user clicks faster than anyone.
DWORD MomentoDeClicSuelto()
{
    static DWORD ultimo = 0;
    ultimo = std::max<DWORD>(::GetTickCount(), ultimo + ::GetDoubleClickTime() + 1);
    return ultimo;
}

std::vector<INPUT> Clics(int cuantos)
{
    const DWORD momento = MomentoDeClicSuelto();
    std::vector<INPUT> entradas;
    for (int i = 0; i < cuantos; ++i) {
        for (const DWORD flag : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
            INPUT entrada = {};
            entrada.type = INPUT_MOUSE;
            entrada.mi.dwFlags = flag;
            entrada.mi.time = momento + static_cast<DWORD>(i);
            entradas.push_back(entrada);
        }
    }
    return entradas;
}

void ApuntaA(HWND ventana, POINT enCliente)
{
    ::ClientToScreen(ventana, &enCliente);
    ::SetCursorPos(enCliente.x, enCliente.y);
}

bool EsDialogo(HWND ventana)
{
    WCHAR clase[16] = {};
    ::GetClassNameW(ventana, clase, 16);
    return wcscmp(clase, L"#32770") == 0;
}

}  // namespace

CUsuarioSimulado::CUsuarioSimulado() : m_reloj([this] { Tic(); }) {}

CUsuarioSimulado::~CUsuarioSimulado()
{
    m_reloj.Para();
    if (m_empezado) {
        EXPECT_TRUE(Terminado()) << "the script stopped at step " << m_siguiente + 1 << " of " << m_pasos.size()
                             << (m_siguiente < m_pasos.size() ? ": " + m_pasos[m_siguiente].descripcion : "");
    }
}

CUsuarioSimulado& CUsuarioSimulado::Cuando(std::string descripcion, Condicion cuando, Accion haz)
{
    m_pasos.push_back({std::move(descripcion), std::move(cuando), std::move(haz)});
    return *this;
}

CUsuarioSimulado& CUsuarioSimulado::Haz(std::string descripcion, Accion haz)
{
    return Cuando(std::move(descripcion), [] { return true; }, std::move(haz));
}

void CUsuarioSimulado::Empieza()
{
    m_empezado = true;
    m_inicioPaso = std::chrono::steady_clock::now();
    m_reloj.Arranca(kIntervaloMs);
}

void CUsuarioSimulado::Tic()
{
    if (m_enPaso)
        return;
    if (m_fallido) {  // keep closing until the dialogs under test are gone
        for (HWND dialogo : Ventanas::Dialogos()) {
            if (auto* pDialogo = DYNAMIC_DOWNCAST(CDialog, CWnd::FromHandlePermanent(dialogo)))
                pDialogo->EndDialog(IDCANCEL);
            else
                ::EndDialog(dialogo, IDCANCEL);
        }
        return;
    }
    if (Terminado()) {
        m_reloj.Para();
        return;
    }
    m_enPaso = true;
    const Paso& paso = m_pasos[m_siguiente];
    if (paso.cuando()) {
        paso.haz();
        ++m_siguiente;
        m_inicioPaso = std::chrono::steady_clock::now();
    } else if (std::chrono::steady_clock::now() - m_inicioPaso > kLimitePorPaso) {
        ADD_FAILURE() << "step " << m_siguiente + 1 << " waited " << kLimitePorPaso.count() << " s in vain: "
                      << paso.descripcion;
        m_fallido = true;
    }
    m_enPaso = false;
}

namespace Usuario {

void Clic(HWND ventana)
{
    RECT cliente;
    ::GetClientRect(ventana, &cliente);
    Clic(ventana, {(cliente.left + cliente.right) / 2, (cliente.top + cliente.bottom) / 2});
}

void Clic(HWND ventana, POINT enCliente, bool control)
{
    ApuntaA(ventana, enCliente);
    std::vector<INPUT> entradas = Clics(1);
    if (control) {
        entradas.insert(entradas.begin(), Teclado(VK_CONTROL, 0, 0));
        entradas.push_back(Teclado(VK_CONTROL, 0, KEYEVENTF_KEYUP));
    }
    Envia(entradas);
}

void DobleClic(HWND ventana, POINT enCliente)
{
    ApuntaA(ventana, enCliente);
    Envia(Clics(2));
}

void Tecla(WORD vk, bool mayusculas, bool control)
{
    std::vector<INPUT> entradas;
    if (mayusculas)
        entradas.push_back(Teclado(VK_SHIFT, 0, 0));
    if (control)
        entradas.push_back(Teclado(VK_CONTROL, 0, 0));
    entradas.push_back(Teclado(vk, 0, 0));
    entradas.push_back(Teclado(vk, 0, KEYEVENTF_KEYUP));
    if (control)
        entradas.push_back(Teclado(VK_CONTROL, 0, KEYEVENTF_KEYUP));
    if (mayusculas)
        entradas.push_back(Teclado(VK_SHIFT, 0, KEYEVENTF_KEYUP));
    Envia(entradas);
}

void TeclaDeAcceso(wchar_t letra)
{
    const WORD vk = LOBYTE(::VkKeyScanW(letra));
    Envia({Teclado(VK_MENU, 0, 0), Teclado(vk, 0, 0), Teclado(vk, 0, KEYEVENTF_KEYUP),
           Teclado(VK_MENU, 0, KEYEVENTF_KEYUP)});
}

void Escribe(const std::wstring& texto)
{
    std::vector<INPUT> entradas;
    for (const wchar_t caracter : texto) {
        entradas.push_back(Teclado(0, caracter, KEYEVENTF_UNICODE));
        entradas.push_back(Teclado(0, caracter, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
    Envia(entradas);
}

}  // namespace Usuario

namespace Ventanas {

std::vector<HWND> Dialogos()
{
    std::vector<HWND> dialogos;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND ventana, LPARAM lParam) {
            if (::IsWindowVisible(ventana) && EsDialogo(ventana))
                reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(ventana);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&dialogos));
    return dialogos;
}

HWND ConTitulo(const std::wstring& titulo)
{
    for (HWND dialogo : Dialogos()) {
        if (Texto(dialogo) == titulo)
            return dialogo;
    }
    return nullptr;
}

HWND DialogoActivo()
{
    const HWND activa = ::GetActiveWindow();
    return activa != nullptr && ::IsWindowVisible(activa) && EsDialogo(activa) ? activa : nullptr;
}

std::wstring Texto(HWND ventana)
{
    std::wstring texto(static_cast<size_t>(::GetWindowTextLengthW(ventana)) + 1, L'\0');
    texto.resize(static_cast<size_t>(::GetWindowTextW(ventana, texto.data(), static_cast<int>(texto.size()))));
    return texto;
}

bool Activa(HWND dialogo) { return dialogo != nullptr && DialogoActivo() == dialogo; }

HWND Control(HWND dialogo, int id) { return ::GetDlgItem(dialogo, id); }

POINT Centro(HWND ventana)
{
    RECT r;
    ::GetWindowRect(ventana, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace Ventanas

bool UsaEscritorioPropio()
{
    const std::wstring nombre = L"ortus-prueba-" + std::to_wstring(::GetCurrentProcessId());
    const HDESK escritorio = ::CreateDesktopW(nombre.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    return escritorio != nullptr && ::SetThreadDesktop(escritorio);
}
