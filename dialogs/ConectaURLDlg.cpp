// ConectaURLDlg.cpp: CConectaURLDlg: frame, list editing, server interrogation, selection and OK.
#include "ConectaURLDlg.h"

#include <Nadir/ExcepcionNadir.h>
#include <Nadir/OpenGIS/WMS/NegociadorWMS.h>
#include <Quasar/AplicacionQuasar.h>

#include <algorithm>
#include <cwchar>
#include <cstdlib>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "IconoPequeno.h"
#include "URLDlg.h"
#include "resource.h"

namespace {

using Nadir::ExcepcionNadir;
using Nadir::OpenGIS::WMS::IClienteWMS;
using Nadir::OpenGIS::WMS::Layer;
using Nadir::OpenGIS::WMS::NegociadorWMS;
using Nadir::Sockets::ConexionHttp;

constexpr DWORD_PTR kTemaDeAyuda = HID_BASE_RESOURCE + IDD_CONECTA_URL;
constexpr UINT kLongitudFila = 260;  // a row's name, terminator included

// Only entries with an address and no layers yet are asked.
bool PorInterrogar(const CDireccionURL& entrada) { return !entrada.m_url.IsEmpty() && entrada.m_capas.empty(); }

void OlvidaInterrogacion(CDireccionURL& entrada)
{
    entrada.m_capas.clear();
    entrada.m_listaAuxiliar.clear();
    entrada.m_sistemasReferencia.clear();
    entrada.m_metadato2.Empty();
    entrada.m_metadato3.Empty();
    entrada.m_metadato4.Empty();
    entrada.m_metadato1.Empty();
}

struct HashCString {
    size_t operator()(const CString& texto) const
    {
        return std::hash<std::wstring_view>()(std::wstring_view(texto.GetString(), texto.GetLength()));
    }
};

// Ascending by CString's ordinal order, each identifier once. Large servers state thousands of
// systems for each of their thousand layers: repeats go first, so only the distinct ones are sorted.
// Repeats of one identifier mostly share its text buffer, so the buffer is looked up before the text
// (no buffer is freed during the loop, so an address always names the same text).
void OrdenaSinRepetir(std::vector<CString>& identificadores)
{
    std::unordered_set<const wchar_t*> buffersVistos;
    std::unordered_set<CString, HashCString> vistos;
    std::vector<CString> distintos;
    for (CString& identificador : identificadores) {
        if (buffersVistos.insert(identificador.GetString()).second && vistos.insert(identificador).second)
            distintos.push_back(std::move(identificador));
    }
    std::sort(distintos.begin(), distintos.end());
    identificadores = std::move(distintos);
}

// The text buffers AnhadeCapa's walk has taken. A large server's leaves each repeat the thousands of
// systems their ancestors state, in the same buffers and the same order: each leaf's list is first
// compared with the one before it, element by element, and only what differs is looked up. Every
// buffer here is held by a kept identifier, so no address can come back naming another text.
struct BuffersVistos {
    std::unordered_set<const wchar_t*> todos;
    std::vector<const wchar_t*> listaAnterior;
    std::vector<const wchar_t*> lista;  // the leaf's, kept for its room
};

// A leaf's systems into the entry, but for buffers taken already: the entry's list never holds millions
// (what repeats in other buffers, OrdenaSinRepetir sorts out).
void AnhadeSistemas(std::vector<Nadir::OpenGIS::WMS::BoundingBox> sistemas, CDireccionURL& entrada,
                    BuffersVistos& vistos)
{
    vistos.lista.clear();
    for (size_t i = 0; i < sistemas.size(); ++i) {
        const wchar_t* buffer = sistemas[i].srs.GetString();
        vistos.lista.push_back(buffer);
        const bool comoAntes = i < vistos.listaAnterior.size() && vistos.listaAnterior[i] == buffer;
        if (!comoAntes && vistos.todos.insert(buffer).second)
            entrada.m_sistemasReferencia.push_back(std::move(sistemas[i].srs));
    }
    vistos.listaAnterior.swap(vistos.lista);
}

void AnhadeHojas(const std::shared_ptr<Layer>& capa, CDireccionURL& entrada, BuffersVistos& vistos)
{
    if (!capa)
        return;
    const std::vector<std::shared_ptr<Layer>>& hijas = capa->GetLayers();
    if (!hijas.empty()) {
        for (const std::shared_ptr<Layer>& hija : hijas)
            AnhadeHojas(hija, entrada, vistos);
        return;
    }
    entrada.m_capas.push_back(capa->GetName());
    AnhadeSistemas(capa->GetSRS(), entrada, vistos);
}

// The code a reference system identifier carries: the number after its first colon (all of it
// without one), read as _wtoi reads; 0 when there is none.
int CodigoDe(const CString& identificador)
{
    const int dosPuntos = identificador.Find(L':');
    return _wtoi(identificador.GetString() + dosPuntos + 1);
}

CString TextoDeError(const CString& url, const char* causa)
{
    CString texto;
    texto.Format(L"%s: the answer could not be read (%S).", url.GetString(), causa);
    return texto;
}

CComboBox& Combo(const CWnd& dialogo, int id) { return *static_cast<CComboBox*>(dialogo.GetDlgItem(id)); }

}  // namespace

IMPLEMENT_DYNAMIC(CConectaURLDlg, CDialog)

BEGIN_MESSAGE_MAP(CConectaURLDlg, CDialog)
    ON_BN_CLICKED(IDC_NUEVO, &CConectaURLDlg::OnBnClickedNuevo)
    ON_BN_CLICKED(IDC_BORRAR, &CConectaURLDlg::OnBnClickedBorrar)
    ON_BN_CLICKED(IDC_EDITAR, &CConectaURLDlg::OnBnClickedEditar)
    ON_BN_CLICKED(IDC_BUSCAR_FICHERO, &CConectaURLDlg::OnBnClickedBuscarFichero)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_LISTA_URL, &CConectaURLDlg::OnLvnItemchangedListaUrl)
    ON_NOTIFY(LVN_KEYDOWN, IDC_LISTA_URL, &CConectaURLDlg::OnLvnKeydownListaUrl)
    ON_NOTIFY(NM_DBLCLK, IDC_LISTA_URL, &CConectaURLDlg::OnNMDblclkListaUrl)
    ON_WM_HELPINFO()
    ON_COMMAND(ID_HELP, &CConectaURLDlg::OnHelp)
END_MESSAGE_MAP()

CConectaURLDlg::CConectaURLDlg(CDataConectaURL& datos, int terceraOpcion,
                               std::vector<Vectra::CSistemaReferencia>& sistemas, CWnd* pParent)
    : CDialog(IDD_CONECTA_URL, pParent),
      m_datos(datos),
      m_listaUrl(nullptr, 0),
      m_modificado(false),
      m_contextoFichero(nullptr),
      m_terceraOpcion(terceraOpcion),
      m_sistemas(sistemas)
{
    if (auto* pApp = dynamic_cast<CAplicacionQuasar*>(AfxGetApp()))
        m_contextoFichero = pApp->m_contextoFichero;
}

CConectaURLDlg::~CConectaURLDlg() = default;

void CConectaURLDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LISTA_URL, m_listaUrl);
    DDX_Text(pDX, IDC_METADATO2, m_textoMetadato2);
    DDX_Text(pDX, IDC_METADATO3, m_textoMetadato3);
    DDX_Text(pDX, IDC_METADATO4, m_textoMetadato4);
    DDX_Text(pDX, IDC_METADATO1, m_textoMetadato1);
    DDX_Text(pDX, IDC_ARCHIVO_SALIDA, m_datos.m_archivoSalida);
    DDX_Radio(pDX, IDC_CARGAR, m_datos.m_cargar);
}

BOOL CConectaURLDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CenterWindow();
    SetIcon(CargaIconoPequeno(IDI_CONECTA_URL), FALSE);

    m_datos.Ordenar();
    for (int i = 0; i < static_cast<int>(m_datos.Cantidad()); ++i) {
        CDireccionURL copia = m_datos[i];
        OlvidaInterrogacion(copia);
        m_datos.Modifica(i, copia);
    }

    // 100 and 500 pixels on a 96-DPI screen, as wide to the eye on any other.
    const int dpi = static_cast<int>(::GetDpiForWindow(m_hWnd));
    CString cabecera;
    cabecera.LoadString(IDS_COLUMNA_NOMBRE);
    m_listaUrl.InsertColumn(0, cabecera, LVCFMT_LEFT, MulDiv(100, dpi, 96), 0);
    cabecera.LoadString(IDS_COLUMNA_URL);
    m_listaUrl.InsertColumn(1, cabecera, LVCFMT_LEFT, MulDiv(500, dpi, 96), 1);
    m_listaUrl.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);

    // Without a file prompt from the host the button could do nothing.
    GetDlgItem(IDC_BUSCAR_FICHERO)->EnableWindow(dynamic_cast<CAplicacionQuasar*>(AfxGetApp()) != nullptr);

    RellenaTabla();
    if (m_datos.Cantidad() > 0)
        m_listaUrl.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);

    if (m_terceraOpcion == 0) {
        GetDlgItem(IDC_CARGAR_TERCERA)->ShowWindow(SW_HIDE);
        if (m_datos.m_cargar > 1)
            m_datos.m_cargar = 1;
    }
    UpdateData(FALSE);
    return TRUE;
}

void CConectaURLDlg::RellenaTabla()
{
    m_listaUrl.DeleteAllItems();
    UpdateData(TRUE);
    if (m_datos.Cantidad() == 0) {
        UpdateData(FALSE);
        return;
    }
    for (unsigned int i = 0; i < m_datos.Cantidad(); ++i)
        ElementoNuevo(m_datos.m_direcciones[i], static_cast<int>(i));

    std::optional<CWaitCursor> espera;
    for (unsigned int i = 0; i < m_datos.Cantidad(); ++i) {
        CDireccionURL copia = m_datos[i];
        if (!espera && PorInterrogar(copia)) {
            // The user sees the dialog whole (not the hole a closed editor left) while servers answer.
            if (IsWindowVisible())
                RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            espera.emplace();
        }
        ModificaElemento(copia, static_cast<int>(i));
        m_datos.Modifica(i, copia);
    }
    espera.reset();
    HayCambioSeleccion();
    UpdateData(FALSE);
}

int CConectaURLDlg::ElementoNuevo(const CDireccionURL& entrada, int indice)
{
    WCHAR nombre[kLongitudFila];
    lstrcpynW(nombre, entrada.m_nombre, kLongitudFila);
    return m_listaUrl.InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_STATE, indice, nombre, 0, LVIS_STATEIMAGEMASK,
                                 indice + 1, 0);
}

void CConectaURLDlg::ModificaElemento(CDireccionURL& entrada, int fila)
{
    m_listaUrl.SetItemText(fila, 1, entrada.m_url);
    if (!PorInterrogar(entrada))
        return;
    // The row of the server being asked shows its address while the user waits.
    if (IsWindowVisible())
        m_listaUrl.UpdateWindow();

    const auto conexion = std::make_shared<ConexionHttp>(L"Quasar", 1);
    std::shared_ptr<IClienteWMS> cliente;
    try {
        cliente = NegociadorWMS::CreaClienteWMS(conexion, entrada.m_url);
    } catch (const ExcepcionNadir& e) {
        entrada.m_metadato2 = e.m_mensaje;
        return;
    }
    if (!cliente)
        return;
    // A failure while reading what the server sent is told like a failure to reach it: the user
    // reads it in the entry, and the entry is asked again at the next fill.
    CDireccionURL leida = entrada;
    try {
        leida.m_metadato1 = cliente->GetMetadato1();
        leida.m_metadato2 = cliente->GetMetadato2();
        leida.m_metadato3 = cliente->GetMetadato3();
        leida.m_metadato4 = cliente->GetMetadato4();
        leida.m_capas.clear();
        leida.m_listaAuxiliar.clear();
        leida.m_sistemasReferencia.clear();
        AnhadeCapa(cliente->GetCapaRaiz(), leida);
        OrdenaSinRepetir(leida.m_sistemasReferencia);
    } catch (const ExcepcionNadir& e) {
        entrada.m_metadato2 = e.m_mensaje;
        return;
    } catch (const std::exception& e) {
        entrada.m_metadato2 = TextoDeError(entrada.m_url, e.what());
        return;
    }
    entrada = std::move(leida);
}

void CConectaURLDlg::AnhadeCapa(std::shared_ptr<Layer> capa, CDireccionURL& entrada)
{
    BuffersVistos vistos;
    AnhadeHojas(capa, entrada, vistos);
}

int CConectaURLDlg::PrimeraFilaSeleccionada() const { return m_listaUrl.GetNextItem(-1, LVNI_SELECTED); }

void CConectaURLDlg::HayCambioSeleccion()
{
    m_datos.m_seleccionURL = PrimeraFilaSeleccionada();
    CComboBox& capas = Combo(*this, IDC_COMBO_CAPA);
    CComboBox& sistemas = Combo(*this, IDC_COMBO_SR);
    capas.ResetContent();
    sistemas.ResetContent();
    m_textoMetadato1.Empty();
    m_textoMetadato2.Empty();
    m_textoMetadato3.Empty();
    m_textoMetadato4.Empty();
    if (m_datos.m_seleccionURL < 0) {
        GetDlgItem(IDC_BORRAR)->EnableWindow(FALSE);
        GetDlgItem(IDC_EDITAR)->EnableWindow(FALSE);
        UpdateData(FALSE);
        return;
    }
    GetDlgItem(IDC_BORRAR)->EnableWindow(TRUE);
    GetDlgItem(IDC_EDITAR)->EnableWindow(TRUE);

    const CDireccionURL seleccionada = m_datos.Seleccion();
    m_textoMetadato1 = seleccionada.m_metadato1;
    m_textoMetadato2 = seleccionada.m_metadato2;
    m_textoMetadato3 = seleccionada.m_metadato3;
    m_textoMetadato4 = seleccionada.m_metadato4;
    for (const CString& capa : seleccionada.m_capas) {
        if (!capa.IsEmpty())
            capas.AddString(capa);
    }
    // The host's first system of each code names it.
    std::unordered_map<std::int32_t, const Vectra::CSistemaReferencia*> porCodigo(m_sistemas.size());
    for (const Vectra::CSistemaReferencia& sistema : m_sistemas)
        porCodigo.emplace(sistema.m_codigo, &sistema);
    for (const CString& identificador : seleccionada.m_sistemasReferencia) {
        if (identificador.IsEmpty())
            continue;
        const int codigo = CodigoDe(identificador);
        const auto conocido = codigo > 0 ? porCodigo.find(codigo) : porCodigo.end();
        sistemas.AddString(conocido != porCodigo.end() ? conocido->second->GetNombre() : identificador);
    }
    if (capas.GetCount() != 0)
        capas.SetCurSel(0);
    if (sistemas.GetCount() != 0)
        sistemas.SetCurSel(0);
    UpdateData(FALSE);
}

void CConectaURLDlg::OnOK()
{
    UpdateData(TRUE);
    CComboBox& capas = Combo(*this, IDC_COMBO_CAPA);
    if (capas.GetCurSel() == CB_ERR)
        m_datos.m_seleccionCapa.Empty();
    else
        capas.GetLBText(capas.GetCurSel(), m_datos.m_seleccionCapa);

    const int fila = Combo(*this, IDC_COMBO_SR).GetCurSel();
    if (fila == CB_ERR) {
        m_datos.m_seleccionSR.Empty();
    } else {
        // Rows stand for the non-empty identifiers, in order.
        int cuenta = 0;
        for (const CString& identificador : m_datos.Seleccion().m_sistemasReferencia) {
            if (identificador.IsEmpty())
                continue;
            if (cuenta++ == fila) {
                m_datos.m_seleccionSR = identificador;
                break;
            }
        }
    }
    CDialog::OnOK();
}

void CConectaURLDlg::AvisaDeRepetida()
{
    CString texto;
    texto.LoadString(IDS_URL_REPETIDA);
    MessageBox(texto, L"Error", MB_OK | MB_ICONERROR);
}

void CConectaURLDlg::OnBnClickedNuevo()
{
    UpdateData(TRUE);
    CDireccionURL nueva;
    {
        CURLDlg editor(nueva);
        if (editor.DoModal() != IDOK)
            return;
    }
    if (!m_datos.Inserta(nueva)) {
        AvisaDeRepetida();
        return;
    }
    RellenaTabla();
    for (unsigned int i = 0; i < m_datos.Cantidad(); ++i) {
        if (m_datos.m_direcciones[i].m_nombre.Compare(nueva.m_nombre) == 0) {
            m_listaUrl.SetItemState(static_cast<int>(i), LVIS_SELECTED, LVIS_SELECTED);
            UpdateData(FALSE);
            break;
        }
    }
    m_modificado = true;
}

void CConectaURLDlg::OnBnClickedEditar()
{
    UpdateData(TRUE);
    const int fila = PrimeraFilaSeleccionada();
    if (fila < 0)
        return;
    CDireccionURL copia = m_datos[fila];
    {
        CURLDlg editor(copia);
        if (editor.DoModal() != IDOK)
            return;
    }
    if (!m_datos.Modifica(fila, copia)) {
        AvisaDeRepetida();
        return;
    }
    RellenaTabla();
    m_listaUrl.SetItemState(fila, LVIS_SELECTED, LVIS_SELECTED);
    UpdateData(FALSE);
    m_modificado = true;
}

void CConectaURLDlg::OnBnClickedBorrar()
{
    UpdateData(TRUE);
    int borradas = 0;
    for (int fila = PrimeraFilaSeleccionada(); fila >= 0;) {
        const int siguiente = m_listaUrl.GetNextItem(fila, LVNI_SELECTED);
        if (m_datos.Borra(fila - borradas))
            ++borradas;
        fila = siguiente;
    }
    RellenaTabla();
    if (borradas > 0) {
        UpdateData(FALSE);
        m_modificado = true;
    }
}

void CConectaURLDlg::OnBnClickedBuscarFichero()
{
    UpdateData(TRUE);
    auto* pApp = dynamic_cast<CAplicacionQuasar*>(AfxGetApp());
    if (pApp == nullptr ||
        !pApp->PideArchivo(m_datos.m_archivoSalida, AFX_IDS_SAVEFILE, OFN_CREATEPROMPT | OFN_OVERWRITEPROMPT, FALSE,
                           &m_contextoFichero, 0, nullptr))
        return;
    UpdateData(FALSE);
    GetDlgItem(IDOK)->EnableWindow(!m_datos.m_archivoSalida.IsEmpty());
}

void CConectaURLDlg::OnLvnItemchangedListaUrl(NMHDR*, LRESULT* pResult)
{
    HayCambioSeleccion();
    *pResult = 0;
}

void CConectaURLDlg::OnLvnKeydownListaUrl(NMHDR* pNMHDR, LRESULT* pResult)
{
    switch (reinterpret_cast<NMLVKEYDOWN*>(pNMHDR)->wVKey) {
    case VK_INSERT:
        OnBnClickedNuevo();
        break;
    case VK_DELETE:
        OnBnClickedBorrar();
        break;
    default:
        break;
    }
    *pResult = 0;
}

void CConectaURLDlg::OnNMDblclkListaUrl(NMHDR*, LRESULT* pResult)
{
    OnBnClickedEditar();
    *pResult = 0;
}

void CConectaURLDlg::OnHelp() { AfxGetApp()->HtmlHelp(kTemaDeAyuda, HH_HELP_CONTEXT); }

BOOL CConectaURLDlg::OnHelpInfo(HELPINFO*)
{
    OnHelp();
    return TRUE;
}
