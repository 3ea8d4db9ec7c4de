// EsperaVisible.cpp: the owner of the wait's window, the nested loop, and the observer's pulse.
#include "EsperaVisible.h"

#include "CatalogoDeTextos.h"
#include "TextosSockets.h"

namespace Nadir::Sockets {

namespace {

using std::chrono::milliseconds;

// Waits shorter than this show nothing.
constexpr milliseconds kRetraso{400};
// How often the window's texts are refreshed (and the delay looked at).
constexpr milliseconds kPulso{100};
constexpr milliseconds kPulsoDelObservador{250};

BOOL CALLBACK PrimeraVisible(HWND ventana, LPARAM lParam)
{
    if (!IsWindowVisible(ventana))
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = ventana;
    return FALSE;
}

// The thread's active window; when another program has the foreground, the last active popup of
// the thread's topmost visible window. Null when the thread shows no window.
HWND VentanaPropietaria()
{
    const HWND activa = GetActiveWindow();
    if (activa && IsWindowVisible(activa))
        return activa;
    HWND primera = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), PrimeraVisible, reinterpret_cast<LPARAM>(&primera));
    if (!primera)
        return nullptr;
    const HWND emergente = GetLastActivePopup(primera);
    return IsWindowVisible(emergente) ? emergente : primera;
}

}  // namespace

EsperaVisible::EsperaVisible(const CString& servidor, ObservadorHttp* observador)
    : m_servidor(servidor), m_observador(observador), m_propietario(VentanaPropietaria()), m_inicio(Reloj::now()),
      m_ultimoAviso(m_inicio)
{
}

EsperaVisible::~EsperaVisible()
{
    m_ventana.reset();
    if (m_salida)
        PostQuitMessage(*m_salida);
}

void EsperaVisible::Espera(HANDLE evento, const std::atomic<AvanceHttp::Fase>& fase)
{
    for (;;) {
        Atiende(fase.load());
        // Until the window shows nothing of the thread runs: a quick answer is a plain call.
        if (TomaEntrada())
            DespachaMensajes();
        if (Omitida())
            throw ServidorOmitido(Mensaje(IDS_OMITIDO, m_servidor.GetString()));
        const DWORD pulso = static_cast<DWORD>(kPulso.count());
        const DWORD resultado = TomaEntrada()
                                    ? MsgWaitForMultipleObjectsEx(1, &evento, pulso, QS_ALLINPUT, MWMO_INPUTAVAILABLE)
                                    : WaitForSingleObject(evento, pulso);
        if (resultado == WAIT_OBJECT_0)
            return;
    }
}

void EsperaVisible::Recibidos(std::uint64_t recibidos, std::uint64_t total)
{
    m_recibidos = recibidos;
    m_total = total;
}

void EsperaVisible::Atiende(AvanceHttp::Fase fase)
{
    const Reloj::time_point ahora = Reloj::now();
    const AvanceHttp avance{m_servidor, fase, m_recibidos, m_total,
                            std::chrono::duration_cast<milliseconds>(ahora - m_inicio)};
    if (ConUsuario() && !m_ventana && !m_aparte && avance.transcurrido >= kRetraso && IsWindow(m_propietario))
        m_ventana = std::make_unique<VentanaDeEspera>(m_propietario, m_servidor);
    if (m_ventana && !m_aparte)
        m_ventana->Muestra(avance);
    if (m_observador && ahora - m_ultimoAviso >= kPulsoDelObservador) {
        m_ultimoAviso = ahora;
        m_observador->AlAvanzar(avance);
    }
}

void EsperaVisible::DespachaMensajes()
{
    MSG mensaje;
    while (!m_salida && PeekMessageW(&mensaje, nullptr, 0, 0, PM_REMOVE)) {
        if (mensaje.message == WM_QUIT) {
            m_salida = static_cast<int>(mensaje.wParam);
            break;
        }
        if (m_ventana->TraduceTecla(mensaje))
            continue;
        TranslateMessage(&mensaje);
        DispatchMessageW(&mensaje);
    }
}

bool EsperaVisible::TomaEntrada() const
{
    return m_ventana && *m_ventana && !m_aparte;
}

bool EsperaVisible::Omitida() const
{
    return m_salida || (m_ventana && m_ventana->Omitida());
}

EsperaVisible::Aparte::Aparte(EsperaVisible& espera) : m_espera(espera)
{
    m_espera.m_aparte = true;
    if (m_espera.m_ventana)
        m_espera.m_ventana->Oculta();
}

EsperaVisible::Aparte::~Aparte()
{
    m_espera.m_aparte = false;
    if (m_espera.m_ventana)
        m_espera.m_ventana->Reaparece();
    else
        m_espera.m_inicio = Reloj::now();  // the time the user spent on the other window is not the server's
}

}  // namespace Nadir::Sockets
