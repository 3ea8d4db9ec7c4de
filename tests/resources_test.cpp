// resources_test.cpp: the language modules <language>/ortus.dll.mui as the dialogs' code and their users
// meet them: strings, the MUI record, the controls the code relies on, and layouts whose texts fit
// at this process's DPI (96; tests/dialog_pictures.sh repeats DialogLayout at 144). The same layout checks
// for Nadir's one template, the wait's window, with the longest texts its code writes into it.
#include "TextosSockets.h"
#include "resource.h"

#include <afx.h>
#include <afxres.h>

#include "support/ControlesDeDialogo.h"
#include "support/RecursosDeModulo.h"

#include <Win32/Manejadores.h>
#include <Win32/Modulos.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <string_view>

namespace {

using Win32::DcDeVentana;
using Win32::ModuloCargado;
using Win32::Ventana;

struct Idioma {
    const wchar_t* nombre;
    LANGID id;
};

const Idioma kIdiomas[] = {
    {L"en-US", MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)},
    {L"es-ES", MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MODERN)},
};

std::string Estrecho(std::wstring_view texto) { return std::string(texto.begin(), texto.end()); }

// As a host's resource search reads it: data only, no code run, images mapped for icons and dialogs.
ModuloCargado CargaComoDatos(const std::wstring& ruta) { return Win32::CargaModuloDeRecursos(ruta.c_str()); }

// The language module of the library at ruta (in bin/), in its folder for idioma.
ModuloCargado CargaIdioma(const wchar_t* idioma, std::wstring ruta = L"ortus.dll", const wchar_t* modulo = L"ortus.dll.mui")
{
    ruta = Win32::CarpetaDelModulo(nullptr) + ruta;
    return CargaComoDatos(ruta.substr(0, ruta.find_last_of(L'\\') + 1) + idioma + L"\\" + modulo);
}

// ---- Strings, translated ----
// (Every resource in the module's language: LanguageModules; the templates: DialogTemplates.)

TEST(ResourceModule, StringsAreTranslated)
{
    const ModuloCargado ingles = CargaIdioma(L"en-US"), espanol = CargaIdioma(L"es-ES");
    ASSERT_TRUE(ingles && espanol) << "error " << ::GetLastError();
    for (const UINT id : {IDS_COLUMNA_NOMBRE, IDS_COLUMNA_URL, IDS_URL_REPETIDA, IDS_RESPUESTA_ILEGIBLE}) {
        EXPECT_FALSE(Cadena(ingles.Get(), id).empty() || Cadena(espanol.Get(), id).empty()) << id;
        EXPECT_NE(Cadena(ingles.Get(), id), Cadena(espanol.Get(), id)) << id << " is not translated";
    }
    // Accented text survives the UTF-8 source.
    EXPECT_EQ(L"Direcci\u00f3n", Cadena(espanol.Get(), IDS_COLUMNA_URL));
}

// ---- Language modules: resource-only, in their language, paired with their library ----

struct Biblioteca {
    const wchar_t* ruta;       // in bin/
    const wchar_t* modulo;     // its language module, in a folder per language beside it
    DWORD ubicacionDeReserva;  // 2: en-US's resources are in en-US's module only; 1: in the library as well
    std::set<std::wstring> tiposDeIdioma;  // what its language modules hold besides the record
};

const Biblioteca kBibliotecas[] = {
    {L"ortus.dll", L"ortus.dll.mui", 2, {L"#3", L"#5", L"#6", L"#14"}},                // icons, dialogs, strings
    {L"Nadir.Sockets\\NadirSockets.dll", L"NadirSockets.dll.mui", 1, {L"#5", L"#6"}},  // the wait's window, strings
    {L"Nadir.WMS\\NadirWMS.dll", L"NadirWMS.dll.mui", 1, {L"#6"}},
};

// A resource-only DLL has no entry point and imports nothing (ld still writes an empty import table).
bool SoloRecursos(HMODULE modulo)
{
    // The handle of a module mapped for its resources carries flags in its low bits.
    const auto* base = reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(modulo) & ~ULONG_PTR{3});
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& importaciones = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    const bool importaAlgo =
        importaciones.Size != 0 &&
        reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + importaciones.VirtualAddress)->Name != 0;
    return nt->OptionalHeader.AddressOfEntryPoint == 0 && !importaAlgo;
}

BOOL CALLBACK AnotaIdiomas(HMODULE modulo, LPCWSTR tipo, LPWSTR nombre, LONG_PTR idiomas)
{
    const auto anota = [](HMODULE, LPCWSTR, LPCWSTR, WORD idioma, LONG_PTR lParam) {
        reinterpret_cast<std::set<LANGID>*>(lParam)->insert(idioma);
        return TRUE;
    };
    return ::EnumResourceLanguagesW(modulo, tipo, nombre, anota, idiomas);
}

// The languages of every resource of a module but its MUI record.
std::set<LANGID> IdiomasDelModulo(HMODULE modulo)
{
    std::set<LANGID> idiomas;
    ::EnumResourceTypesW(
        modulo,
        [](HMODULE m, LPWSTR tipo, LONG_PTR lParam) {
            if (NombreDeRecurso(tipo) != L"MUI")
                ::EnumResourceNamesW(m, tipo, AnotaIdiomas, lParam);
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&idiomas));
    return idiomas;
}

TEST(LanguageModules, AreResourceOnlyInTheirLanguageAndPairedWithTheirLibrary)
{
    std::set<std::string> sumas;
    for (const Biblioteca& biblioteca : kBibliotecas) {
        SCOPED_TRACE(Estrecho(biblioteca.ruta));
        const std::wstring ruta = Win32::CarpetaDelModulo(nullptr) + biblioteca.ruta;
        const ModuloCargado principal = CargaComoDatos(ruta);
        ASSERT_TRUE(principal);
        const RegistroMui neutro = LeeRegistroMui(principal.Get());
        EXPECT_EQ(neutro.bytes, neutro.tamano);
        EXPECT_EQ(0x11u, neutro.tipoDeArchivo) << "language-neutral main";
        EXPECT_EQ(biblioteca.ubicacionDeReserva, neutro.ubicacionDeReserva);
        EXPECT_EQ(L"", neutro.idioma) << "a main module names only its fallback";
        EXPECT_EQ(L"en-US", neutro.idiomaDeReserva);
        EXPECT_EQ(neutro.sumas.substr(0, 16), neutro.sumas.substr(16)) << "service checksum and checksum";
        EXPECT_TRUE(sumas.insert(neutro.sumas).second) << "another library's checksum";
        EXPECT_EQ(TiposDe(principal.Get()), neutro.tiposPropios) << "the types listed are the types held";
        EXPECT_EQ(biblioteca.tiposDeIdioma, neutro.tiposDeIdioma);
        std::set<std::wstring> enLosModulos = neutro.tiposDeIdioma;
        enLosModulos.insert(L"MUI");
        for (const Idioma& idioma : kIdiomas) {
            SCOPED_TRACE(Estrecho(idioma.nombre));
            const ModuloCargado modulo = CargaIdioma(idioma.nombre, biblioteca.ruta, biblioteca.modulo);
            ASSERT_TRUE(modulo);
            const RegistroMui registro = LeeRegistroMui(modulo.Get());
            EXPECT_EQ(0x12u, registro.tipoDeArchivo) << "language-specific";
            EXPECT_EQ(idioma.nombre, registro.idioma);
            EXPECT_TRUE(neutro.sumas == registro.sumas) << "the library's checksums pair the module with it";
            EXPECT_EQ(enLosModulos, registro.tiposDeIdioma);
            EXPECT_EQ(enLosModulos, TiposDe(modulo.Get()));
            EXPECT_EQ(std::set<LANGID>{idioma.id}, IdiomasDelModulo(modulo.Get()));
            EXPECT_TRUE(SoloRecursos(modulo.Get()));
        }
    }
}

// ---- Live dialogs from the templates ----

INT_PTR CALLBACK ProcedimientoMudo(HWND, UINT mensaje, WPARAM, LPARAM) { return mensaje == WM_INITDIALOG; }

Ventana CreaDialogo(HMODULE modulo, int plantilla)
{
    const INITCOMMONCONTROLSEX clases = {sizeof clases, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&clases);
    return Ventana(::CreateDialogParamW(modulo, MAKEINTRESOURCEW(plantilla), nullptr, ProcedimientoMudo, 0));
}

// A control the code relies on: its class, its kind (the style bits under the mask that holds the kind), the
// styles it needs and those it must not have. One row per rule; plain buttons and the other fields go unlisted.
struct ControlEsperado {
    int plantilla, id;
    const wchar_t* clase;
    DWORD mascaraDeTipo, tipo, exigidos, prohibidos;
};

const ControlEsperado kControlesEsperados[] = {
    // Columns are inserted; Delete removes every selected row.
    {IDD_CONECTA_URL, IDC_LISTA_URL, L"SysListView32", LVS_TYPEMASK, LVS_REPORT, LVS_SHOWSELALWAYS | WS_TABSTOP,
     LVS_SINGLESEL},
    // The abstract and a failure's text, wrapped and scrolled.
    {IDD_CONECTA_URL, IDC_METADATO2, L"Edit", 0, 0, ES_READONLY | ES_MULTILINE | WS_VSCROLL | WS_TABSTOP,
     ES_AUTOHSCROLL},
    // OK maps the chosen system back by its row.
    {IDD_CONECTA_URL, IDC_COMBO_SR, L"ComboBox", CBS_DROPDOWNLIST, CBS_DROPDOWNLIST, WS_TABSTOP, CBS_SORT},
    {IDD_CONECTA_URL, IDC_ARCHIVO_SALIDA, L"Edit", 0, 0, ES_AUTOHSCROLL | WS_TABSTOP, ES_READONLY},
    // One group of load options; OK closes the group.
    {IDD_CONECTA_URL, IDC_CARGAR, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, WS_GROUP | WS_TABSTOP, 0},
    {IDD_CONECTA_URL, IDC_CARGAR_SEGUNDA, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, 0, WS_GROUP},
    {IDD_CONECTA_URL, IDOK, L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, WS_GROUP | WS_TABSTOP, 0},
};

int PuntosPorPulgada()
{
    const DcDeVentana pantalla(nullptr);
    return ::GetDeviceCaps(pantalla.Get(), LOGPIXELSY);
}

// The frame, caption and font the layout was made for, hidden until the dialog code shows it; the controls.
TEST(DialogTemplates, HoldTheFrameFontAndControlsTheCodeReliesOn)
{
    for (const Idioma& idioma : kIdiomas) {
        const ModuloCargado modulo = CargaIdioma(idioma.nombre);
        ASSERT_TRUE(modulo);
        for (const int plantilla : {IDD_CONECTA_URL, IDD_URL}) {
            SCOPED_TRACE(testing::Message() << Estrecho(idioma.nombre) << " template " << plantilla);
            const Ventana dialogo = CreaDialogo(modulo.Get(), plantilla);
            ASSERT_TRUE(dialogo) << "error " << ::GetLastError();
            const DWORD marco = WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SHELLFONT;
            EXPECT_EQ(marco, static_cast<DWORD>(::GetWindowLongW(dialogo.Get(), GWL_STYLE)) & marco);
            EXPECT_FALSE(::IsWindowVisible(dialogo.Get()));
            LOGFONTW fuente = {};
            ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(dialogo.Get(), WM_GETFONT, 0, 0)), sizeof fuente, &fuente);
            EXPECT_EQ(-::MulDiv(8, PuntosPorPulgada(), 72), fuente.lfHeight) << "8 points";
            EXPECT_EQ(0u, std::wstring(fuente.lfFaceName).rfind(L"MS Shell Dlg", 0)) << Estrecho(fuente.lfFaceName);
            const ControlesDeDialogo controles(dialogo.Get());
            wchar_t titulo[128] = L"";
            ::GetWindowTextW(dialogo.Get(), titulo, 128);
            EXPECT_NE(L'\0', titulo[0]);
            for (const ControlEsperado& esperado : kControlesEsperados) {
                if (esperado.plantilla != plantilla)
                    continue;
                SCOPED_TRACE(esperado.id);
                const ControlDeDialogo* control = controles.PorId(esperado.id);
                ASSERT_NE(nullptr, control);
                EXPECT_EQ(0, ::lstrcmpiW(esperado.clase, control->clase.c_str())) << Estrecho(control->clase);
                EXPECT_EQ(esperado.tipo, control->estilo & esperado.mascaraDeTipo);
                EXPECT_EQ(esperado.exigidos, control->estilo & esperado.exigidos);
                EXPECT_EQ(0u, control->estilo & esperado.prohibidos);
                EXPECT_TRUE(control->estilo & WS_VISIBLE);
            }
            const LRESULT defecto = ::SendMessageW(dialogo.Get(), DM_GETDEFID, 0, 0);
            EXPECT_EQ(MAKELRESULT(IDOK, DC_HASDEFID), defecto) << "Enter presses OK";
            if (plantilla == IDD_CONECTA_URL) {  // the load options are one group of three: the arrow keys go round
                const HWND primera = ::GetDlgItem(dialogo.Get(), IDC_CARGAR);
                const HWND tercera = ::GetDlgItem(dialogo.Get(), IDC_CARGAR_TERCERA);
                EXPECT_EQ(primera, ::GetNextDlgGroupItem(dialogo.Get(), tercera, FALSE));
                EXPECT_EQ(tercera, ::GetNextDlgGroupItem(dialogo.Get(), primera, TRUE));
            }
        }
    }
}

// ---- Layout: every template in every language, at this process's DPI ----

// The wait's window as its code fills it (EsperaVisible, VentanaDeEspera): the longest texts a language
// makes, nine thousand and more KB of as many MB after a long server name.
void TextosMasLargosDeLaEspera(HWND dialogo, HMODULE modulo)
{
    const auto formato = [&](UINT id, auto... argumentos) {
        CString texto;
        texto.Format(Cadena(modulo, id).c_str(), argumentos...);
        return texto;
    };
    const CString recibidos = formato(IDS_CANTIDAD_KB, 9999ull);
    const CString total = formato(IDS_CANTIDAD_MB, 9999ull);
    ::SetDlgItemTextW(dialogo, IDC_ESPERA_SERVIDOR, formato(IDS_ESPERA_SERVIDOR, L"wms.example.org:8080"));
    ::SetDlgItemTextW(dialogo, IDC_ESPERA_FASE, formato(IDS_ESPERA_RECIBIENDO_DE, recibidos.GetString(), total.GetString()));
    ::SetDlgItemTextW(dialogo, IDC_ESPERA_TIEMPO, formato(IDS_ESPERA_TIEMPO, 9999u));
}

struct Caso {
    int plantilla;
    const char* nombre;
    const wchar_t* idioma;
    const Biblioteca* biblioteca = &kBibliotecas[0];
    void (*rellena)(HWND dialogo, HMODULE modulo) = nullptr;  // the texts the code writes, if any
};

const Caso kCasos[] = {
    {IDD_CONECTA_URL, "conecta_url", L"en-US"},
    {IDD_CONECTA_URL, "conecta_url", L"es-ES"},
    {IDD_URL, "url", L"en-US"},
    {IDD_URL, "url", L"es-ES"},
    {IDD_ESPERA, "espera_nadir", L"en-US", &kBibliotecas[1], TextosMasLargosDeLaEspera},
    {IDD_ESPERA, "espera_nadir", L"es-ES", &kBibliotecas[1], TextosMasLargosDeLaEspera},
};

void PrintTo(const Caso& caso, std::ostream* os) { *os << caso.nombre << " " << Estrecho(caso.idioma); }

std::string NombreDelCaso(const testing::TestParamInfo<Caso>& info)
{
    std::string nombre = std::string(info.param.nombre) + "_" + Estrecho(info.param.idioma);
    std::replace(nombre.begin(), nombre.end(), '-', '_');
    return nombre;
}

std::string Texto(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

std::string Describe(const ControlDeDialogo& control)
{
    return testing::PrintToString(control.id) + " " + Estrecho(control.clase) + " \"" + Estrecho(control.texto) +
           "\" " + Texto(control.rect);
}

bool Contiene(const RECT& fuera, const RECT& dentro)
{
    return dentro.left >= fuera.left && dentro.top >= fuera.top && dentro.right <= fuera.right &&
           dentro.bottom <= fuera.bottom;
}

bool SeSolapan(const RECT& a, const RECT& b)
{
    RECT comun;
    return ::IntersectRect(&comun, &a, &b) != FALSE;
}

// Labels name the input control that follows them (the dialog manager moves focus there).
bool EsCampo(const ControlDeDialogo& control) { return control.EsEntrada() && !control.EsBotonPulsable() && !control.EsOpcion(); }

class DialogLayout : public testing::TestWithParam<Caso> {
protected:
    void SetUp() override
    {
        const Caso& caso = GetParam();
        m_modulo = CargaIdioma(caso.idioma, caso.biblioteca->ruta, caso.biblioteca->modulo);
        ASSERT_TRUE(m_modulo);
        m_dialogo = CreaDialogo(m_modulo.Get(), caso.plantilla);
        ASSERT_TRUE(m_dialogo);
        if (caso.rellena)
            caso.rellena(m_dialogo.Get(), m_modulo.Get());
        RecordProperty("dpi", PuntosPorPulgada());
    }

    ControlesDeDialogo Controles() const { return ControlesDeDialogo(m_dialogo.Get()); }

    ModuloCargado m_modulo;
    Ventana m_dialogo;
};

// Every control inside the dialog and apart from the others (but the controls of a group box), its text
// fitting it, and an edit box tall enough to show a whole line between its borders.
TEST_P(DialogLayout, ControlsStayApartInsideTheDialogAndFitTheirTexts)
{
    const ControlesDeDialogo controles = Controles();
    const RECT cliente = controles.AreaCliente();
    const auto& todos = controles.Todos();
    const SIZE linea = controles.TamanoDelTexto({m_dialogo.Get(), 0, L"", 0, L"Ag\u00c1y", {}});
    for (size_t i = 0; i < todos.size(); ++i) {
        const ControlDeDialogo& a = todos[i];
        EXPECT_TRUE(Contiene(cliente, a.rect)) << Describe(a) << " leaves " << Texto(cliente);
        for (size_t j = i + 1; j < todos.size(); ++j) {
            const ControlDeDialogo& b = todos[j];
            const bool enSuGrupo = (a.EsGrupo() && Contiene(a.rect, b.rect)) || (b.EsGrupo() && Contiene(b.rect, a.rect));
            EXPECT_FALSE(SeSolapan(a.rect, b.rect) && !enSuGrupo) << Describe(a) << " overlaps " << Describe(b);
        }
        if (!a.texto.empty() && (a.EsTextoFijo() || a.EsBotonPulsable() || a.EsOpcion() || a.EsGrupo())) {
            const SIZE necesario = controles.EspacioNecesario(a);
            EXPECT_LE(necesario.cx, a.rect.right - a.rect.left) << Describe(a) << " needs " << necesario.cx;
            EXPECT_TRUE(a.EsGrupo() || necesario.cy <= a.rect.bottom - a.rect.top) << Describe(a) << " needs " << necesario.cy;
        }
        RECT interior;
        ::GetClientRect(a.ventana, &interior);
        EXPECT_TRUE(::lstrcmpiW(a.clase.c_str(), L"Edit") != 0 || interior.bottom - interior.top >= linea.cy + 2)
            << Describe(a) << " is too low for a line";
    }
}

TEST_P(DialogLayout, AccessKeysAreThereAndUnique)
{
    const ControlesDeDialogo controles = Controles();
    std::map<wchar_t, std::string> teclas;
    const auto& todos = controles.Todos();
    for (size_t i = 0; i < todos.size(); ++i) {
        const ControlDeDialogo& control = todos[i];
        const bool etiqueta = control.EsTextoFijo() && i + 1 < todos.size() && EsCampo(todos[i + 1]);
        // OK and Cancel answer Enter and Esc; group box captions get none, their controls have their own.
        const bool debeTener = etiqueta || ((control.EsBotonPulsable() || control.EsOpcion()) &&
                                            control.id != IDOK && control.id != IDCANCEL);
        const wchar_t tecla = control.TeclaDeAcceso();
        if (control.EsGrupo()) {
            EXPECT_EQ(0, tecla) << Describe(control);
        }
        if (debeTener) {
            EXPECT_NE(0, tecla) << Describe(control) << " has no access key";
        }
        if (tecla == 0)
            continue;
        const auto [anterior, nueva] = teclas.emplace(tecla, Describe(control));
        EXPECT_TRUE(nueva) << Describe(control) << " repeats the key of " << anterior->second;
    }
}

// A label comes right before its control in tab order (so its key reaches it) and sits beside or
// above it; the controls that take focus follow the eye, row by row, left to right.
TEST_P(DialogLayout, TabOrderFollowsTheEye)
{
    const ControlesDeDialogo controles = Controles();
    const auto& todos = controles.Todos();
    const int holgura = controles.UnidadesY(2);
    for (size_t i = 0; i + 1 < todos.size(); ++i) {
        const ControlDeDialogo& etiqueta = todos[i];
        const ControlDeDialogo& campo = todos[i + 1];
        if (!etiqueta.EsTextoFijo() || !etiqueta.TeclaDeAcceso())
            continue;
        EXPECT_TRUE(EsCampo(campo) && campo.PideFoco()) << Describe(etiqueta) << " is followed by " << Describe(campo);
        const LONG centro = (etiqueta.rect.top + etiqueta.rect.bottom) / 2;
        const bool alLado = etiqueta.rect.right <= campo.rect.left && centro >= campo.rect.top && centro <= campo.rect.bottom;
        const bool encima = etiqueta.rect.bottom <= campo.rect.top && campo.rect.top - etiqueta.rect.bottom <= 2 * holgura &&
                            etiqueta.rect.left < campo.rect.right && campo.rect.left < etiqueta.rect.right;
        EXPECT_TRUE(alLado || encima) << Describe(etiqueta) << " is away from " << Describe(campo);
    }
    const ControlDeDialogo* anterior = nullptr;
    for (const ControlDeDialogo& control : todos) {
        if (!control.PideFoco())
            continue;
        if (anterior) {
            const bool mismaFila = std::abs(control.rect.top - anterior->rect.top) <= holgura;
            const bool sigue = mismaFila ? control.rect.left > anterior->rect.left : control.rect.top > anterior->rect.top;
            EXPECT_TRUE(sigue) << Describe(*anterior) << " then " << Describe(control);
        }
        anterior = &control;
    }
}

INSTANTIATE_TEST_SUITE_P(Templates, DialogLayout, testing::ValuesIn(kCasos), NombreDelCaso);

// The DPI the layout checks ran at: 96 in the ordinary prefix unless the runner asks for another.
TEST(DialogLayoutDpi, IsTheOneAskedFor)
{
    const char* pedido = std::getenv("ORTUS_DPI_ESPERADO");
    EXPECT_EQ(pedido ? std::atoi(pedido) : 96, PuntosPorPulgada());
}


}  // namespace
