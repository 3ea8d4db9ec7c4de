// URLDlg.cpp: CURLDlg.
#include "URLDlg.h"

#include "IconoPequeno.h"
#include "resource.h"

namespace {

// A longer name would be cut in the server list's rows.
constexpr int kNombreMaximo = 259;

}  // namespace

IMPLEMENT_DYNAMIC(CURLDlg, CDialog)

BEGIN_MESSAGE_MAP(CURLDlg, CDialog)
END_MESSAGE_MAP()

// No parent: the framework makes the window the user is in (the connection dialog) its owner.
CURLDlg::CURLDlg(CDireccionURL& direccion) : CDialog(IDD_URL, nullptr), m_direccion(&direccion) {}

CURLDlg::~CURLDlg() = default;

void CURLDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_NOMBRE, m_direccion->m_nombre);
    DDX_Text(pDX, IDC_URL, m_direccion->m_url);
}

BOOL CURLDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CenterWindow();
    SetIcon(CargaIconoPequeno(IDI_URL), FALSE);
    SendDlgItemMessage(IDC_NOMBRE, EM_LIMITTEXT, kNombreMaximo);
    UpdateData(FALSE);
    return TRUE;
}
