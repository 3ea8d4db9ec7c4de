// OrtusCApp.cpp: COrtusCApp and the module's one instance of it.
#include "OrtusCApp.h"

#include <commdlg.h>

#include <Win32/Modulos.h>

#include <cstdlib>
#include <vector>

namespace {

constexpr DWORD kLongitudDeNombre = 32768;  // the longest path Windows takes

// The framework frees these strings with free(): it owns _wcsdup copies.
void Reemplaza(LPCWSTR& psz, const CString& nuevo)
{
    free(const_cast<LPWSTR>(psz));
    psz = _wcsdup(nuevo);
}

// The system's prompt over propietario, on every file.
BOOL PideAlSistema(HWND propietario, const CString& titulo, DWORD flags, BOOL abrir, std::vector<WCHAR>& nombre)
{
    CString filtro;
    if (!filtro.LoadString(AFX_IDS_ALLFILTER))
        filtro = L"*.*";
    filtro += L"|*.*||";
    filtro.Replace(L'|', L'\0');
    OPENFILENAMEW pregunta = {};
    pregunta.lStructSize = sizeof pregunta;
    pregunta.hwndOwner = propietario;
    pregunta.lpstrFilter = filtro;
    pregunta.lpstrFile = nombre.data();
    pregunta.nMaxFile = static_cast<DWORD>(nombre.size());
    pregunta.lpstrTitle = titulo.IsEmpty() ? nullptr : titulo.GetString();
    // The working directory stays the host's: relative names keep their meaning.
    pregunta.Flags = flags | OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    return abrir ? ::GetOpenFileNameW(&pregunta) : ::GetSaveFileNameW(&pregunta);
}

}  // namespace

COrtusCApp theApp;

BEGIN_MESSAGE_MAP(COrtusCApp, CAplicacionQuasar)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

COrtusCApp::CDialogoEnCurso::CDialogoEnCurso(const OrtusDialogo& opciones, const CWnd& ventana)
    : m_opciones(opciones), m_ventana(ventana)
{
    COrtusCApp& app = Modulo();
    std::lock_guard<std::mutex> cerrojo(app.m_cerrojoDialogos);
    CDialogoEnCurso*& delHilo = app.m_dialogos[::GetCurrentThreadId()];
    m_anterior = delHilo;
    delHilo = this;
}

COrtusCApp::CDialogoEnCurso::~CDialogoEnCurso()
{
    COrtusCApp& app = Modulo();
    std::lock_guard<std::mutex> cerrojo(app.m_cerrojoDialogos);
    if (m_anterior != nullptr)
        app.m_dialogos[::GetCurrentThreadId()] = m_anterior;
    else
        app.m_dialogos.erase(::GetCurrentThreadId());
}

COrtusCApp::COrtusCApp() : CAplicacionQuasar(nullptr) {}

COrtusCApp& COrtusCApp::Modulo() { return theApp; }

int COrtusCApp::ExitInstance()
{
    // Before the framework ends the module's resource search, which would take the links with it.
    m_idioma.Suelta();
    return CAplicacionQuasar::ExitInstance();
}

const COrtusCApp::CDialogoEnCurso* COrtusCApp::DialogoDelHilo() const
{
    std::lock_guard<std::mutex> cerrojo(m_cerrojoDialogos);
    const auto encontrado = m_dialogos.find(::GetCurrentThreadId());
    return encontrado != m_dialogos.end() ? encontrado->second : nullptr;
}

BOOL COrtusCApp::PideArchivo(CString& archivo, UINT idTitulo, DWORD flags, BOOL abrir, void**, int, LPCWSTR)
{
    const CDialogoEnCurso* dialogo = DialogoDelHilo();
    const HWND propietario = dialogo != nullptr ? dialogo->m_ventana.GetSafeHwnd() : ::GetActiveWindow();
    CString titulo;
    titulo.LoadString(idTitulo);
    std::vector<WCHAR> nombre(kLongitudDeNombre);
    lstrcpynW(nombre.data(), archivo, kLongitudDeNombre);
    const OrtusPideArchivo delAnfitrion = dialogo != nullptr ? dialogo->m_opciones.pideArchivo : nullptr;
    const BOOL elegido = delAnfitrion != nullptr ? delAnfitrion(dialogo->m_opciones.contexto, propietario, titulo,
                                                                nombre.data(), kLongitudDeNombre)
                                                 : PideAlSistema(propietario, titulo, flags, abrir, nombre);
    if (!elegido)
        return FALSE;
    nombre.back() = L'\0';
    archivo = nombre.data();
    return TRUE;
}

void COrtusCApp::HtmlHelp(DWORD_PTR dwData, UINT)
{
    const CDialogoEnCurso* dialogo = DialogoDelHilo();
    if (dialogo != nullptr && dialogo->m_opciones.muestraAyuda != nullptr)
        dialogo->m_opciones.muestraAyuda(dialogo->m_opciones.contexto, dialogo->m_ventana.GetSafeHwnd(),
                                         static_cast<uint32_t>(dwData));
}

BOOL COrtusCApp::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nID == ID_HELP && nCode == CN_COMMAND) {
        const CDialogoEnCurso* dialogo = DialogoDelHilo();
        if (dialogo == nullptr || dialogo->m_opciones.muestraAyuda == nullptr)
            return FALSE;
    }
    return CAplicacionQuasar::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

bool COrtusCApp::EstableceIdioma(const CString& idioma)
{
    std::lock_guard<std::mutex> cerrojo(m_cerrojoIdioma);
    if (!idioma.IsEmpty())
        return m_idioma.Activa(Carpeta(), idioma);
    ActivaIdiomaDelUsuario();
    return true;
}

void COrtusCApp::AseguraIdioma()
{
    std::lock_guard<std::mutex> cerrojo(m_cerrojoIdioma);
    if (!m_idioma.Activo())
        ActivaIdiomaDelUsuario();
}

void COrtusCApp::ActivaIdiomaDelUsuario()
{
    if (!m_idioma.Activa(Carpeta(), CIdiomaDelModulo::DelUsuario()))
        m_idioma.Activa(Carpeta(), CIdiomaDelModulo::kReserva);
}

void COrtusCApp::UsaPerfil(const CString& empresa, const CString& programa)
{
    Reemplaza(m_pszRegistryKey, empresa);
    Reemplaza(m_pszProfileName, programa);
}

CString COrtusCApp::Carpeta() const { return Win32::CarpetaDelModulo(m_hInstance).c_str(); }
