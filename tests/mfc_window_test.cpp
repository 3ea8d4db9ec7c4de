// Tests of the framework's windows: a probe dialog from a resource module, driven by mouse and
// keyboard input; message maps, data exchange, modal loops, owners, the resource chain.
#include <afxcmn.h>
#include <afxdllx.h>
#include <ModuloDeIdioma.h>

#include <Nucleo/ListaControlMFC.h>

#include "PruebaIds.h"
#include "support/PruebaDeVentanas.h"
#include "support/UsuarioSimulado.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

class CAppPrueba : public CWinApp {
public:
    CAppPrueba() : CWinApp(L"MfcVentanas") {}

    void HtmlHelp(DWORD_PTR dwData, UINT nCmd) override { m_ayudas.push_back({dwData, nCmd}); }

    std::vector<std::pair<DWORD_PTR, UINT>> m_ayudas;

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CAppPrueba, CWinApp)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CAppPrueba theApp;

constexpr UINT WM_PROPIO = WM_APP + 1;

class CDialogoPrueba : public CDialog {
public:
    explicit CDialogoPrueba(CWnd* pParent = nullptr) : CDialog(IDD_PRUEBA, pParent) {}

    CString m_texto = L"inicial";
    int m_numero = 7;
    int m_opcion = 1;
    CListaControlMFC m_lista{kAnchosMinimos, 1};
    std::vector<std::string> m_registro;  // the handlers that ran, in order
    std::function<void()> m_alPulsar;     // more work for the Press button

    static constexpr int kAnchosMinimos[] = {80};

    void Anota(std::string texto) { m_registro.push_back(std::move(texto)); }
    bool Anotado(const std::string& texto) const
    {
        return std::find(m_registro.begin(), m_registro.end(), texto) != m_registro.end();
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_LISTA, m_lista);
        DDX_Text(pDX, IDC_TEXTO, m_texto);
        DDX_Text(pDX, IDC_NUMERO, m_numero);
        DDX_Radio(pDX, IDC_OPCION_A, m_opcion);
    }

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_lista.InsertColumn(0, L"Server", LVCFMT_LEFT, 120);
        for (int i = 0; i < 4; ++i) {
            CString nombre;
            nombre.Format(L"row %d", i);
            m_lista.InsertItem(i, nombre);
        }
        Anota("init");
        return TRUE;
    }

    afx_msg void OnBnClickedBoton()
    {
        Anota("button");
        if (m_alPulsar)
            m_alPulsar();
    }
    afx_msg void OnLvnItemchangedLista(NMHDR* pNMHDR, LRESULT* pResult)
    {
        const auto* pCambio = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
        if ((pCambio->uChanged & LVIF_STATE) && (pCambio->uNewState & LVIS_SELECTED))
            Anota("selected " + std::to_string(pCambio->iItem));
        *pResult = 0;
    }
    afx_msg void OnNMDblclkLista(NMHDR*, LRESULT* pResult)
    {
        Anota("double-click");
        *pResult = 0;
    }
    afx_msg void OnLvnKeydownLista(NMHDR* pNMHDR, LRESULT* pResult)
    {
        Anota("key " + std::to_string(reinterpret_cast<NMLVKEYDOWN*>(pNMHDR)->wVKey));
        *pResult = 0;
    }
    afx_msg BOOL OnHelpInfo(HELPINFO*)
    {
        Anota("help info");
        return TRUE;
    }
    afx_msg void OnHelp() { Anota("help command"); }
    afx_msg LRESULT OnMensajePropio(WPARAM wParam, LPARAM)
    {
        Anota("message " + std::to_string(wParam));
        const std::wstring aplicacion = AfxGetAppName();
        Anota("application " + std::string(aplicacion.begin(), aplicacion.end()));
        return 0;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDialogoPrueba, CDialog)
    ON_BN_CLICKED(IDC_BOTON, &CDialogoPrueba::OnBnClickedBoton)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_LISTA, &CDialogoPrueba::OnLvnItemchangedLista)
    ON_NOTIFY(NM_DBLCLK, IDC_LISTA, &CDialogoPrueba::OnNMDblclkLista)
    ON_NOTIFY(LVN_KEYDOWN, IDC_LISTA, &CDialogoPrueba::OnLvnKeydownLista)
    ON_WM_HELPINFO()
    ON_COMMAND(ID_HELP, &CDialogoPrueba::OnHelp)
    ON_MESSAGE(WM_PROPIO, &CDialogoPrueba::OnMensajePropio)
END_MESSAGE_MAP()

const auto* const g_entorno = testing::AddGlobalTestEnvironment(new CEntornoDeVentanas);

HWND Control(const CWnd& dialogo, int id) { return Ventanas::Control(dialogo.m_hWnd, id); }

POINT CentroDeFila(const CListCtrl& lista, int fila)
{
    RECT r;
    lista.GetItemRect(fila, &r, LVIR_LABEL);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool Activo(const CWnd& dialogo) { return Ventanas::Activa(dialogo.m_hWnd); }

// Every test runs with the English probe module in the chain and a main window on screen.
class MfcWindows : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_ingles.Modulo()) << "mfc_prueba_EnUs.dll cannot be loaded";
        theApp.m_ayudas.clear();
    }

    CModuloDeIdioma m_ingles{L"mfc_prueba_EnUs.dll"};
    CVentanaPrincipal m_ventanaPrincipal;
    CWnd& m_principal = m_ventanaPrincipal.Ventana();
};

// Runs the dialog; once it is up, mientras() runs and Escape ends it.
void MientrasEsta(CDialogoPrueba& dialogo, const std::function<void()>& mientras)
{
    CUsuarioSimulado usuario;
    usuario.Cuando("the dialog is up", [&] { return Activo(dialogo); }, [&] {
        mientras();
        Usuario::Tecla(VK_ESCAPE);
    });
    usuario.Empieza();
    EXPECT_EQ(IDCANCEL, dialogo.DoModal());
}

// Steps that click a box, select its whole text and type another over it, and wait until the box shows it.
void Reemplaza(CUsuarioSimulado& usuario, const CWnd& dialogo, int id, const std::wstring& texto)
{
    usuario.Haz("replace the text of " + std::to_string(id), [&dialogo, id, texto] {
        Usuario::Clic(Control(dialogo, id));
        Usuario::Tecla(VK_HOME);
        Usuario::Tecla(VK_END, true);
        Usuario::Escribe(texto);
    });
    usuario.Cuando("typed", [&dialogo, id, texto] { return Ventanas::Texto(Control(dialogo, id)) == texto; }, [] {});
}

// A user action and the handler record it must produce.
struct Gesto {
    const char* descripcion;
    std::function<void(CDialogoPrueba&)> haz;
    const char* registro;
};

TEST_F(MfcWindows, EachKindOfMapEntryReachesItsHandler)
{
    CDialogoPrueba dialogo;
    // A selection made from a handler notifies before SetItemState returns.
    dialogo.m_alPulsar = [&] {
        dialogo.Anota("before");
        dialogo.m_lista.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
        dialogo.Anota("after");
    };
    const Gesto gestos[] = {
        {"click Press", [](CDialogoPrueba& d) { Usuario::Clic(Control(d, IDC_BOTON)); }, "button"},
        {"click row 2", [](CDialogoPrueba& d) { Usuario::Clic(d.m_lista, CentroDeFila(d.m_lista, 2)); },
         "selected 2"},
        {"double-click row 1", [](CDialogoPrueba& d) { Usuario::DobleClic(d.m_lista, CentroDeFila(d.m_lista, 1)); },
         "double-click"},
        {"Insert in the list", [](CDialogoPrueba&) { Usuario::Tecla(VK_INSERT); }, "key 45"},
        {"F1", [](CDialogoPrueba&) { Usuario::Tecla(VK_F1); }, "help info"},
        {"click Help", [](CDialogoPrueba& d) { Usuario::Clic(Control(d, ID_HELP)); }, "help command"},
        {"a message of our own", [](CDialogoPrueba& d) { d.PostMessage(WM_PROPIO, 5); }, "message 5"},
    };
    CUsuarioSimulado usuario;
    usuario.Cuando("the dialog is up", [&] { return Activo(dialogo); }, [] {});
    for (const Gesto& gesto : gestos) {
        usuario.Haz(gesto.descripcion, [&] { gesto.haz(dialogo); });
        usuario.Cuando(std::string("the handler of: ") + gesto.descripcion,
                       [&] { return dialogo.Anotado(gesto.registro); }, [] {});
    }
    usuario.Haz("Escape", [] { Usuario::Tecla(VK_ESCAPE); });
    usuario.Empieza();

    EXPECT_EQ(IDCANCEL, dialogo.DoModal());
    EXPECT_TRUE(theApp.m_ayudas.empty());  // the dialog's own handlers took F1 and Help
    ASSERT_LE(5u, dialogo.m_registro.size());
    EXPECT_EQ(std::vector<std::string>({"init", "button", "before", "selected 3", "after"}),
              std::vector<std::string>(dialogo.m_registro.begin(), dialogo.m_registro.begin() + 5));
}

// Enter ends with OK (DataExchangeRunsBothWays), Escape with Cancel (MientrasEsta); the close box too.
TEST_F(MfcWindows, TheCloseBoxCancelsTheDialog)
{
    CDialogoPrueba dialogo;
    CUsuarioSimulado usuario;
    usuario.Cuando("the dialog is up", [&] { return Activo(dialogo); },
                   [&] { dialogo.PostMessage(WM_SYSCOMMAND, SC_CLOSE); });
    usuario.Empieza();
    EXPECT_EQ(IDCANCEL, dialogo.DoModal());
}

// Both ways for text, a number and the radio group; the group's count runs from its first button to the
// next control that opens a group, a hidden button keeping its place.
TEST_F(MfcWindows, DataExchangeRunsBothWays)
{
    CDialogoPrueba dialogo;
    dialogo.m_texto = L"caf\u00e9";
    dialogo.m_numero = -3;
    dialogo.m_opcion = 1;
    const int botones[] = {IDC_OPCION_A, IDC_OPCION_B, IDC_OPCION_C};
    CUsuarioSimulado usuario;
    usuario.Cuando("the dialog is up", [&] { return Activo(dialogo); }, [&] {
        EXPECT_EQ(L"caf\u00e9", Ventanas::Texto(Control(dialogo, IDC_TEXTO)));
        EXPECT_EQ(L"-3", Ventanas::Texto(Control(dialogo, IDC_NUMERO)));
        for (const int valor : {-1, 0, 1, 2, 3}) {  // 3: no such button, none checked
            SCOPED_TRACE(valor);
            dialogo.m_opcion = valor;
            ASSERT_TRUE(dialogo.UpdateData(FALSE));
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(i == valor ? BST_CHECKED : BST_UNCHECKED, dialogo.IsDlgButtonChecked(botones[i]));
            dialogo.m_opcion = 99;
            ASSERT_TRUE(dialogo.UpdateData(TRUE));
            EXPECT_EQ(valor == 3 ? -1 : valor, dialogo.m_opcion);
        }
        ::ShowWindow(Control(dialogo, IDC_OPCION_B), SW_HIDE);
        dialogo.CheckDlgButton(IDC_CASILLA, BST_CHECKED);
        dialogo.m_opcion = 2;
        ASSERT_TRUE(dialogo.UpdateData(FALSE));
        EXPECT_EQ(BST_CHECKED, dialogo.IsDlgButtonChecked(IDC_OPCION_C));
        EXPECT_EQ(BST_CHECKED, dialogo.IsDlgButtonChecked(IDC_CASILLA));
    });
    Reemplaza(usuario, dialogo, IDC_TEXTO, L"\u00f1and\u00fa 42");
    usuario.Haz("check A", [&] { Usuario::Clic(Control(dialogo, IDC_OPCION_A)); })
        .Cuando("option A checked", [&] { return dialogo.IsDlgButtonChecked(IDC_OPCION_A) == BST_CHECKED; }, [] {});
    Reemplaza(usuario, dialogo, IDC_NUMERO, L" 2147483647 ");
    usuario.Haz("Enter", [] { Usuario::Tecla(VK_RETURN); });
    usuario.Empieza();

    ASSERT_EQ(IDOK, dialogo.DoModal());
    EXPECT_EQ(L"\u00f1and\u00fa 42", std::wstring(dialogo.m_texto));
    EXPECT_EQ(2147483647, dialogo.m_numero);
    EXPECT_EQ(0, dialogo.m_opcion);
}

TEST_F(MfcWindows, OkIsRefusedWhileAnExchangeFails)
{
    CDialogoPrueba dialogo;
    HWND caja = nullptr;
    CUsuarioSimulado usuario;
    usuario.Cuando("the dialog is up", [&] { return Activo(dialogo); }, [] {});
    Reemplaza(usuario, dialogo, IDC_NUMERO, L"12x");  // not a number
    usuario.Haz("Enter", [] { Usuario::Tecla(VK_RETURN); })
        .Cuando("a message box over the dialog",
                [&] { return (caja = Ventanas::DialogoActivo()) != nullptr && caja != dialogo.m_hWnd; },
                [&] {
                    EXPECT_EQ(dialogo.m_hWnd, ::GetWindow(caja, GW_OWNER));
                    EXPECT_EQ(L"Please enter an integer.", Ventanas::Texto(::GetDlgItem(caja, 0xFFFF)));
                    Usuario::Tecla(VK_RETURN);
                })
        .Cuando("back in the dialog, on the offending text, all of it selected",
                [&] { return Activo(dialogo) && ::GetFocus() == Control(dialogo, IDC_NUMERO); },
                [&] {
                    DWORD inicio = 9, fin = 9;
                    ::SendMessageW(Control(dialogo, IDC_NUMERO), EM_GETSEL, reinterpret_cast<WPARAM>(&inicio),
                                   reinterpret_cast<LPARAM>(&fin));
                    EXPECT_EQ(0u, inicio);
                    EXPECT_EQ(3u, fin);
                    Usuario::Escribe(L"12");
                })
        .Cuando("corrected", [&] { return Ventanas::Texto(Control(dialogo, IDC_NUMERO)) == L"12"; },
                [] { Usuario::Tecla(VK_RETURN); });
    usuario.Empieza();

    ASSERT_EQ(IDOK, dialogo.DoModal());
    EXPECT_EQ(12, dialogo.m_numero);
}

// With no parent the framework chooses the owner: the main window, or the dialog over it when one is up (a
// nested modal loop); the owner is disabled meanwhile and the dialog centred on it, or on the work area when
// the main window is hidden.
TEST_F(MfcWindows, WithNoParentTheOwnerIsTheMainWindowOrTheDialogOverItAndTheDialogIsCentredOnIt)
{
    const auto expectCentrado = [](HWND dialogo, POINT centro) {
        EXPECT_NEAR(centro.x, Ventanas::Centro(dialogo).x, 1);
        EXPECT_NEAR(centro.y, Ventanas::Centro(dialogo).y, 1);
    };
    CDialogoPrueba dialogo;
    dialogo.m_alPulsar = [&] {
        CDialog anidado(IDD_ANIDADO);
        dialogo.Anota("nested " + std::to_string(anidado.DoModal()));
        dialogo.Anota("box " + std::to_string(dialogo.MessageBox(L"inner", L"Box", MB_OKCANCEL)));
    };
    HWND interior = nullptr;
    CUsuarioSimulado usuario;
    usuario.Cuando("the dialog is up", [&] { return Activo(dialogo); }, [&] {
                EXPECT_EQ(m_principal.m_hWnd, ::GetWindow(dialogo.m_hWnd, GW_OWNER));
                EXPECT_FALSE(m_principal.IsWindowEnabled());
                expectCentrado(dialogo.m_hWnd, Ventanas::Centro(m_principal.m_hWnd));
                Usuario::Clic(Control(dialogo, IDC_BOTON));
            })
        .Cuando("the nested dialog is up", [&] { return (interior = Ventanas::ConTitulo(L"Nested probe")) != nullptr &&
                                                     Ventanas::DialogoActivo() == interior; },
                [&] {
                    EXPECT_EQ(dialogo.m_hWnd, ::GetWindow(interior, GW_OWNER));
                    EXPECT_FALSE(dialogo.IsWindowEnabled());
                    expectCentrado(interior, Ventanas::Centro(dialogo.m_hWnd));
                    Usuario::Tecla(VK_ESCAPE);
                })
        .Cuando("the message box is up", [&] { return Ventanas::ConTitulo(L"Box") == Ventanas::DialogoActivo() &&
                                                  Ventanas::DialogoActivo() != nullptr; },
                [] { Usuario::Tecla(VK_RETURN); })
        .Cuando("both closed, the outer dialog works again",
                [&] { return dialogo.Anotado("box 1") && Activo(dialogo) && dialogo.IsWindowEnabled(); },
                [] { Usuario::Tecla(VK_ESCAPE); });
    usuario.Empieza();
    EXPECT_EQ(IDCANCEL, dialogo.DoModal());
    EXPECT_TRUE(dialogo.Anotado("nested 2"));
    EXPECT_TRUE(m_principal.IsWindowEnabled());

    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(::MonitorFromWindow(m_principal.m_hWnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
    m_principal.ShowWindow(SW_HIDE);
    CDialogoPrueba sinPrincipal;
    MientrasEsta(sinPrincipal, [&] {
        EXPECT_EQ(m_principal.m_hWnd, ::GetWindow(sinPrincipal.m_hWnd, GW_OWNER));
        expectCentrado(sinPrincipal.m_hWnd, {(monitor.rcWork.left + monitor.rcWork.right) / 2,
                                             (monitor.rcWork.top + monitor.rcWork.bottom) / 2});
    });
}

TEST_F(MfcWindows, AHandlerThatThrowsIsReportedAndTheDialogGoesOn)
{
    CDialogoPrueba dialogo;
    dialogo.m_alPulsar = [] { throw std::runtime_error("disk full"); };
    HWND caja = nullptr;
    CUsuarioSimulado usuario;
    usuario.Cuando("the dialog is up", [&] { return Activo(dialogo); },
                   [&] { Usuario::Clic(Control(dialogo, IDC_BOTON)); })
        .Cuando("a message box tells", [&] { return (caja = Ventanas::DialogoActivo()) != dialogo.m_hWnd && caja; },
                [&] {
                    EXPECT_EQ(L"An unexpected error stopped this operation.\n\ndisk full",
                              Ventanas::Texto(::GetDlgItem(caja, 0xFFFF)));
                    Usuario::Tecla(VK_RETURN);
                })
        .Cuando("the dialog is back", [&] { return Activo(dialogo); }, [] { Usuario::Tecla(VK_RETURN); });
    usuario.Empieza();

    EXPECT_EQ(IDOK, dialogo.DoModal());
}

TEST_F(MfcWindows, ControlObjectsLiveAsLongAsTheirWindows)
{
    CDialogoPrueba dialogo;
    for (int vuelta = 1; vuelta <= 2; ++vuelta) {  // the same object runs twice
        SCOPED_TRACE(vuelta);
        MientrasEsta(dialogo, [&] {
            const HWND lista = Control(dialogo, IDC_LISTA), boton = Control(dialogo, IDC_BOTON);
            EXPECT_EQ(&dialogo.m_lista, CWnd::FromHandlePermanent(lista));
            EXPECT_EQ(&dialogo, CWnd::FromHandlePermanent(dialogo.m_hWnd));
            EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(boton));
            CWnd* temporal = dialogo.GetDlgItem(IDC_BOTON);
            ASSERT_NE(nullptr, temporal);
            EXPECT_EQ(boton, temporal->m_hWnd);
            EXPECT_EQ(temporal, CWnd::FromHandle(boton));  // the same object until idle time
            EXPECT_EQ(nullptr, dialogo.GetDlgItem(4242));
        });
        EXPECT_EQ(nullptr, dialogo.m_hWnd);
        EXPECT_EQ(nullptr, dialogo.m_lista.m_hWnd);  // detached when its window went
    }
}

// CComboBox empties the text of a row it lacks; CListaControlMFC keeps its columns above their minimum width.
TEST_F(MfcWindows, ControlWrappersReadTextsAndNucleosListKeepsItsMinimumWidths)
{
    CDialogoPrueba dialogo;  // its list holds column 0 at 80 pixels or more
    MientrasEsta(dialogo, [&] {
        auto* combo = static_cast<CComboBox*>(dialogo.GetDlgItem(IDC_COMBO));
        CString texto(L"left alone");
        combo->GetLBText(7, texto);  // no such row: emptied, not left as it was
        EXPECT_TRUE(texto.IsEmpty());

        dialogo.m_lista.InsertColumn(1, L"Address", LVCFMT_LEFT, 100);
        const struct {
            int columna, pedido, resultado;
        } filas[] = {{0, 200, 200}, {0, 40, 200}, {0, 80, 80}, {1, 10, 10}};
        for (const auto& fila : filas) {
            SCOPED_TRACE(testing::Message() << "column " << fila.columna << " to " << fila.pedido);
            dialogo.m_lista.SetColumnWidth(fila.columna, fila.pedido);
            EXPECT_EQ(fila.resultado, dialogo.m_lista.GetColumnWidth(fila.columna));
        }
    });
}

TEST_F(MfcWindows, AWindowIsServedUnderTheModuleStateItWasMadeIn)
{
    // A second module state whose application has no ID_HELP handler.
    AFX_MODULE_STATE estado(TRUE);
    AFX_MANAGE_STATE(&estado);
    CWinApp sinAyuda(L"SinAyuda");
    sinAyuda.SetCurrentHandles();
    CModuloDeIdioma ingles(L"mfc_prueba_EnUs.dll");
    for (const bool delAnfitrion : {false, true}) {
        SCOPED_TRACE(delAnfitrion ? "made in the host's state" : "made in a state whose application has no help");
        AFX_MANAGE_STATE(delAnfitrion ? AfxGetAppModuleState() : &estado);
        CDialogoPrueba dialogo;
        MientrasEsta(dialogo, [&] {
            EXPECT_EQ(delAnfitrion, ::IsWindowVisible(Control(dialogo, ID_HELP)) != FALSE);
            // Sent while the other state is current: the window's own state serves it.
            AFX_MANAGE_STATE(delAnfitrion ? &estado : AfxGetAppModuleState());
            dialogo.SendMessage(WM_PROPIO, 1);
        });
        EXPECT_TRUE(dialogo.Anotado(delAnfitrion ? "application MfcVentanas" : "application SinAyuda"));
    }
}

TEST(MfcResourceChain, TheMostRecentModuleWinsEnglishFillsItsGapsAndATemplateNowhereFailsAtOnce)
{
    CDialogoPrueba sinPlantilla;  // no module in the chain has it yet
    EXPECT_EQ(-1, sinPlantilla.DoModal());
    EXPECT_EQ(nullptr, sinPlantilla.m_hWnd);
    CModuloDeIdioma ingles(L"mfc_prueba_EnUs.dll");
    auto espanol = std::make_unique<CModuloDeIdioma>(L"mfc_prueba_EsEs.dll");  // joined last: searched first
    const struct {
        UINT id;
        const wchar_t* texto;
    } cadenas[] = {
        {IDS_DOS_IDIOMAS, L"En los dos idiomas"},
        {IDS_SOLO_INGLES, L"Only in English"},
        {AFX_IDS_SAVEFILE, L"Save As"},  // the framework's own, behind every module
    };
    for (const auto& cadena : cadenas) {
        SCOPED_TRACE(cadena.id);
        CString texto;
        ASSERT_TRUE(texto.LoadString(cadena.id));
        EXPECT_EQ(cadena.texto, std::wstring(texto));
    }
    EXPECT_EQ(espanol->Modulo(), AfxFindResourceHandle(MAKEINTRESOURCEW(IDD_PRUEBA), RT_DIALOG));
    EXPECT_EQ(ingles.Modulo(), AfxFindResourceHandle(MAKEINTRESOURCEW(IDI_PRUEBA), RT_GROUP_ICON));

    // The dialog comes from the Spanish module, its icon from the English one.
    CDialogoPrueba dialogo;
    MientrasEsta(dialogo, [&] { EXPECT_EQ(dialogo.m_hWnd, Ventanas::ConTitulo(L"Sonda")); });
    espanol.reset();
    EXPECT_EQ(ingles.Modulo(), AfxFindResourceHandle(MAKEINTRESOURCEW(IDD_PRUEBA), RT_DIALOG)) << "left the chain";
}

}  // namespace
