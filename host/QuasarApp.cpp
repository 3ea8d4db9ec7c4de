// QuasarApp.cpp: CQuasarApp: start, profile, file prompt, help and the connection road.
#include "QuasarApp.h"

#include <Consola.h>
#include <Win32/Manejadores.h>
#include <Win32/Modulos.h>

#include <commdlg.h>
#include <shellapi.h>

#include <cstdlib>
#include <vector>

#include "ConexionQuasar.h"

namespace {

constexpr LPCWSTR kClaveCarpeta = L"CarpetaDeSalida";
constexpr LPCWSTR kClaveFiltro = L"FiltroDeSalida";
constexpr DWORD kLongitudDeNombre = 32768;  // the longest path Windows takes

// The framework frees these strings with free(): it owns _wcsdup copies.
void Reemplaza(LPCWSTR& psz, const CString& nuevo)
{
    free(const_cast<LPWSTR>(psz));
    psz = _wcsdup(nuevo);
}

void Escribe(DWORD salida, const CString& texto)
{
    Consola consola(salida);
    consola.Escribe(texto.GetString());
}

void Avisa(const CString& aviso) { Escribe(STD_ERROR_HANDLE, L"quasar: " + aviso + L"\r\n"); }

// A windows program started from a console without redirection has no standard output: it writes to
// its parent's console. The handles opened here are the process's standard ones for its whole life.
void UneConsolaDelPadre()
{
    auto falta = [](DWORD cual) {
        const HANDLE h = ::GetStdHandle(cual);
        return h == nullptr || h == INVALID_HANDLE_VALUE;
    };
    if (!falta(STD_OUTPUT_HANDLE) && !falta(STD_ERROR_HANDLE))
        return;
    if (!::AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    for (const DWORD cual : {STD_OUTPUT_HANDLE, STD_ERROR_HANDLE}) {
        if (falta(cual))
            ::SetStdHandle(cual, ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                               nullptr, OPEN_EXISTING, 0, nullptr));
    }
}

// The process's arguments after its name.
std::vector<CString> ArgumentosDelProceso()
{
    int cuantos = 0;
    const Win32::MemoriaLocal<LPWSTR> argv(::CommandLineToArgvW(::GetCommandLineW(), &cuantos));
    std::vector<CString> argumentos;
    for (int i = 1; argv && i < cuantos; ++i)
        argumentos.emplace_back(argv.Get()[i]);
    return argumentos;
}

// The host's filters when a library gives none: the formats a map is saved in, then every file.
CString FiltrosPropios()
{
    CString todos;
    todos.LoadString(AFX_IDS_ALLFILTER);
    return L"GeoTIFF (*.tif;*.tiff)|*.tif;*.tiff|PNG (*.png)|*.png|JPEG (*.jpg;*.jpeg)|*.jpg;*.jpeg|" + todos +
           L"|*.*|";
}

bool Existe(const CString& ruta) { return ::GetFileAttributesW(ruta) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

BEGIN_MESSAGE_MAP(CQuasarApp, CAplicacionQuasar)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CQuasarApp::CQuasarApp() : CAplicacionQuasar(L"Quasar") { m_contextoFichero = &m_contexto; }

BOOL CQuasarApp::InitInstance()
{
    UneConsolaDelPadre();
    CString error;
    if (!m_opciones.Lee(ArgumentosDelProceso(), error)) {
        Avisa(error + L"\r\nTry quasar --help.");
        m_codigoDeSalida = kUsoIncorrecto;
        return FALSE;
    }
    if (m_opciones.Ayuda()) {
        Escribe(STD_OUTPUT_HANDLE, COpcionesQuasar::Uso());
        return FALSE;
    }
    if (!Prepara(m_opciones))
        return FALSE;
    m_pMainWnd = &m_ventana;
    if (!m_ventana.Crea(m_nCmdShow, [this] { ConectaConServidor(); })) {
        m_pMainWnd = nullptr;
        Avisa(L"the main window could not be created");
        m_codigoDeSalida = kSinDialogo;
        return FALSE;
    }
    return TRUE;
}

int CQuasarApp::ExitInstance() { return m_codigoDeSalida; }

bool CQuasarApp::Prepara(const COpcionesQuasar& opciones)
{
    m_opciones = opciones;
    const INITCOMMONCONTROLSEX controles = {sizeof controles, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controles);
    UsaPerfil(opciones.Ini());
    LeeContexto();

    CString error, aviso;
    if (!m_idioma.Activa(RutaJuntoAlEjecutable(L""), CIdiomaQuasar::Elige(opciones.Idioma()), error, aviso)) {
        Avisa(error);
        m_codigoDeSalida = kSinDialogo;
        return false;
    }
    if (!aviso.IsEmpty())
        Avisa(aviso);
    const CString tabla = RutaJuntoAlEjecutable(CTablaEPSG::kArchivo);
    if (!m_tabla.Carga(tabla, error)) {
        CString lista;
        lista.Format(L"; reference systems are named from the host's own list of %zu.", m_tabla.Sistemas().size());
        Avisa(tabla + L" " + error + lista);
    }
    Reemplaza(m_pszHelpFilePath, RutaJuntoAlEjecutable(L"help\\quasar.hhp"));
    if (!m_ayuda.Carga(m_pszHelpFilePath, error))
        Avisa(CString(m_pszHelpFilePath) + L" " + error + L": the Help buttons show nothing.");
    return true;
}

void CQuasarApp::ConectaConServidor()
{
    CConexionQuasar conexion(m_opciones, m_tabla);
    const INT_PTR respuesta = conexion.Ejecuta(m_pMainWnd);
    for (const CString& aviso : conexion.Avisos())
        Avisa(aviso);
    Escribe(STD_OUTPUT_HANDLE, conexion.Informe(respuesta));
    m_codigoDeSalida = respuesta == IDOK               ? kAceptado
                       : conexion.SinServidorConCapas() ? kSinServidorConCapas
                       : respuesta == IDCANCEL          ? kCancelado
                                                        : kSinDialogo;
    m_pMainWnd->DestroyWindow();
}

void CQuasarApp::UsaPerfil(const CString& ini)
{
    if (ini.IsEmpty()) {
        SetRegistryKey(kRegistryKey);
        return;
    }
    free(const_cast<LPWSTR>(m_pszRegistryKey));
    m_pszRegistryKey = nullptr;
    Reemplaza(m_pszProfileName, CAlmacenCatalogo::RutaCompleta(ini));
}

void CQuasarApp::LeeContexto()
{
    m_contexto.m_carpeta = GetProfileString(COpcionesQuasar::kSeccionDelAnfitrion, kClaveCarpeta);
    m_contexto.m_filtro = GetProfileInt(COpcionesQuasar::kSeccionDelAnfitrion, kClaveFiltro, 1);
}

void CQuasarApp::GuardaContexto()
{
    WriteProfileString(COpcionesQuasar::kSeccionDelAnfitrion, kClaveCarpeta, m_contexto.m_carpeta);
    WriteProfileInt(COpcionesQuasar::kSeccionDelAnfitrion, kClaveFiltro, static_cast<int>(m_contexto.m_filtro));
}

BOOL CQuasarApp::PideArchivo(CString& archivo, UINT idTitulo, DWORD flags, BOOL abrir, void** contexto,
                             int indiceFiltro, LPCWSTR filtros)
{
    auto* recuerdo = contexto != nullptr ? static_cast<CContextoFichero*>(*contexto) : nullptr;
    CString titulo;
    const bool conTitulo = titulo.LoadString(idTitulo);
    CString listaDeFiltros = filtros != nullptr ? CString(filtros) : FiltrosPropios();
    listaDeFiltros.Replace(L'|', L'\0');  // and the string's own terminator ends the list
    std::vector<WCHAR> nombre(kLongitudDeNombre);
    lstrcpynW(nombre.data(), archivo, kLongitudDeNombre);

    OPENFILENAMEW pregunta = {};
    pregunta.lStructSize = sizeof pregunta;
    pregunta.hwndOwner = CWnd::GetSafeOwner_(nullptr, nullptr);
    pregunta.lpstrFilter = listaDeFiltros;
    pregunta.nFilterIndex = indiceFiltro > 0 ? indiceFiltro : recuerdo != nullptr ? recuerdo->m_filtro : 1;
    pregunta.lpstrFile = nombre.data();
    pregunta.nMaxFile = kLongitudDeNombre;
    pregunta.lpstrInitialDir = recuerdo != nullptr && !recuerdo->m_carpeta.IsEmpty() ? recuerdo->m_carpeta.GetString()
                                                                                      : nullptr;
    pregunta.lpstrTitle = conTitulo ? titulo.GetString() : nullptr;
    // The working directory stays where the host started: relative names keep their meaning.
    pregunta.Flags = flags | OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    pregunta.lpstrDefExt = filtros == nullptr ? L"tif" : nullptr;
    if (!(abrir ? ::GetOpenFileNameW(&pregunta) : ::GetSaveFileNameW(&pregunta)))
        return FALSE;

    archivo = nombre.data();
    if (recuerdo != nullptr) {
        recuerdo->m_carpeta = archivo.Left(archivo.ReverseFind(L'\\'));
        recuerdo->m_filtro = pregunta.nFilterIndex;
        if (recuerdo == &m_contexto)
            GuardaContexto();
    }
    return TRUE;
}

void CQuasarApp::HtmlHelp(DWORD_PTR dwData, UINT nCmd)
{
    CString tema;
    if (nCmd == HH_HELP_CONTEXT)
        tema = m_ayuda.TemaDe(dwData);
    else if (nCmd == HH_DISPLAY_TOC)
        tema = m_ayuda.TemaPorDefecto();
    else
        return;  // closing and the rest: pages in a browser need nothing
    if (tema.IsEmpty()) {
        CString texto;
        texto.Format(L"The help has no page for context 0x%llX.", static_cast<unsigned long long>(dwData));
        AfxMessageBox(texto, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const CString pagina = PaginaDeAyuda(tema);
    if (!AbrePagina(pagina))
        AfxMessageBox(L"The help page " + pagina + L" could not be opened.", MB_OK | MB_ICONEXCLAMATION);
}

CString CQuasarApp::PaginaDeAyuda(const CString& tema) const
{
    const CString enElIdioma = RutaJuntoAlEjecutable(L"help\\") + m_idioma.Idioma() + L"\\" + tema;
    return Existe(enElIdioma) ? enElIdioma : RutaJuntoAlEjecutable(L"help\\") + CIdiomaQuasar::kReserva + L"\\" + tema;
}

bool CQuasarApp::AbrePagina(const CString& ruta)
{
    const auto resultado = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(CWnd::GetSafeOwner_(nullptr, nullptr), L"open", ruta, nullptr, nullptr, SW_SHOWNORMAL));
    return resultado > 32;
}

CString CQuasarApp::RutaJuntoAlEjecutable(LPCWSTR nombre) const
{
    return CString(Win32::CarpetaDelModulo(m_hInstance).c_str()) + nombre;
}
