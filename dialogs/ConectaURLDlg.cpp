// ConectaURLDlg.cpp: CConectaURLDlg: frame, list editing, server interrogation, selection and OK.
#include "ConectaURLDlg.h"

#include <Quasar/AplicacionQuasar.h>

#include <optional>

#include "FilasDeSistemas.h"
#include "IconoPequeno.h"
#include "InterrogaServidor.h"
#include "URLDlg.h"
#include "resource.h"

namespace {

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

// A failure leaves all but the second text as it was; no client leaves the entry as it was.
void AnotaRespuesta(RespuestaDelServidor&& respuesta, CDireccionURL& entrada)
{
    switch (respuesta.estado) {
    case RespuestaDelServidor::Estado::kSinCliente:
        break;
    case RespuestaDelServidor::Estado::kFallida:
        entrada.m_metadato2 = respuesta.fallo;
        break;
    case RespuestaDelServidor::Estado::kContestada:
        entrada.m_metadato1 = respuesta.metadato1;
        entrada.m_metadato2 = respuesta.metadato2;
        entrada.m_metadato3 = respuesta.metadato3;
        entrada.m_metadato4 = respuesta.metadato4;
        entrada.m_capas = std::move(respuesta.capas);
        entrada.m_listaAuxiliar.clear();
        entrada.m_sistemasReferencia = std::move(respuesta.sistemas);
        break;
    }
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
    // The framework ended the dialog when its first exchange failed: there is no window to fill.
    if (!CDialog::OnInitDialog())
        return FALSE;
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

    AnotaRespuesta(InterrogaServidor(entrada.m_url), entrada);
}

void CConectaURLDlg::AnhadeCapa(std::shared_ptr<Nadir::OpenGIS::WMS::Layer> capa, CDireccionURL& entrada)
{
    AnhadeHojas(std::move(capa), entrada.m_capas, entrada.m_sistemasReferencia);
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
    for (const CString& texto : TextosDeFilas(FilasDeSistemas(seleccionada.m_sistemasReferencia), m_sistemas))
        sistemas.AddString(texto);
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
        const std::vector<CString> filas = FilasDeSistemas(m_datos.Seleccion().m_sistemasReferencia);
        if (static_cast<size_t>(fila) < filas.size())
            m_datos.m_seleccionSR = filas[static_cast<size_t>(fila)];
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
