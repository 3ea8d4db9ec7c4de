// resources_test.cpp: the language modules <language>/ortus.dll.mui as the dialogs' code and their
// users meet them: every identifier with its kind and language, the MUI record, the controls the code
// relies on, and layouts whose texts fit at the DPI the process runs at (96 here; the picture run
// repeats the DialogLayout suites at 144 in its own prefix, see tests/dialog_pictures.sh; the pictures
// themselves are of the live dialogs, taken by dialogs_test).
#include "resource.h"

#include <afxres.h>

#include "support/ControlesDeDialogo.h"

#include <Win32/Manejadores.h>
#include <Win32/Modulos.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Win32::DcDeVentana;
using Win32::Icono;
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

// A module beside this program (bin/) as a host's resource search reads it: data only, no code run, images
// mapped for icons and dialogs.
ModuloCargado CargaComoDatos(const std::wstring& nombre)
{
    return Win32::CargaModuloDeRecursos((Win32::CarpetaDelModulo(nullptr) + nombre).c_str());
}

ModuloCargado CargaIdioma(const wchar_t* idioma)
{
    return CargaComoDatos(idioma + std::wstring(L"\\ortus.dll.mui"));
}

// The bytes of a resource, empty when the module has none.
std::string_view Recurso(HMODULE modulo, LPCWSTR tipo, LPCWSTR nombre)
{
    const HRSRC recurso = ::FindResourceW(modulo, nombre, tipo);
    if (recurso == nullptr)
        return {};
    return {static_cast<const char*>(::LockResource(::LoadResource(modulo, recurso))), ::SizeofResource(modulo, recurso)};
}

template <class T>
T Lee(std::string_view datos, size_t desplazamiento)
{
    T valor{};
    if (desplazamiento + sizeof(T) <= datos.size())
        std::memcpy(&valor, datos.data() + desplazamiento, sizeof(T));
    return valor;
}

std::wstring Cadena(HMODULE modulo, UINT id)
{
    const wchar_t* texto = nullptr;
    const int longitud = ::LoadStringW(modulo, id, reinterpret_cast<LPWSTR>(&texto), 0);
    return longitud > 0 ? std::wstring(texto, static_cast<size_t>(longitud)) : std::wstring();
}

BOOL CALLBACK AnotaIdioma(HMODULE, LPCWSTR, LPCWSTR, WORD idioma, LONG_PTR lParam)
{
    reinterpret_cast<std::set<LANGID>*>(lParam)->insert(idioma);
    return TRUE;
}

std::set<LANGID> IdiomasDe(HMODULE modulo, LPCWSTR tipo, LPCWSTR nombre)
{
    std::set<LANGID> idiomas;
    ::EnumResourceLanguagesW(modulo, tipo, nombre, AnotaIdioma, reinterpret_cast<LONG_PTR>(&idiomas));
    return idiomas;
}

BOOL CALLBACK AnotaTipo(HMODULE, LPWSTR tipo, LONG_PTR lParam)
{
    auto& tipos = *reinterpret_cast<std::set<std::wstring>*>(lParam);
    tipos.insert(IS_INTRESOURCE(tipo) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(tipo)) : std::wstring(tipo));
    return TRUE;
}

std::set<std::wstring> TiposDe(HMODULE modulo)
{
    std::set<std::wstring> tipos;
    ::EnumResourceTypesW(modulo, AnotaTipo, reinterpret_cast<LONG_PTR>(&tipos));
    return tipos;
}

// ---- Every identifier, in the module's language ----

struct RecursoPedido {
    LPCWSTR tipo;
    int id;
    const char* uso;
};

// Strings live in blocks of 16: 26005 to 26008 share block 26005 / 16 + 1.
const RecursoPedido kRecursosPedidos[] = {
    {RT_DIALOG, IDD_CONECTA_URL, "connection dialog"},
    {RT_DIALOG, IDD_URL, "entry editor"},
    {RT_GROUP_ICON, IDI_CONECTA_URL, "connection dialog's icon"},
    {RT_GROUP_ICON, IDI_URL, "entry editor's icon"},
    {RT_STRING, IDS_COLUMNA_NOMBRE / 16 + 1, "string block of every text"},
};

TEST(ResourceModule, AnswersEveryIdentifierInItsOwnLanguageOnly)
{
    for (const Idioma& idioma : kIdiomas) {
        SCOPED_TRACE(Estrecho(idioma.nombre));
        const ModuloCargado modulo = CargaIdioma(idioma.nombre);
        ASSERT_TRUE(modulo) << "error " << ::GetLastError();
        for (const RecursoPedido& pedido : kRecursosPedidos) {
            SCOPED_TRACE(pedido.uso);
            EXPECT_NE(nullptr, ::FindResourceExW(modulo.Get(), pedido.tipo, MAKEINTRESOURCEW(pedido.id), idioma.id));
            EXPECT_EQ(std::set<LANGID>{idioma.id}, IdiomasDe(modulo.Get(), pedido.tipo, MAKEINTRESOURCEW(pedido.id)));
        }
        for (const UINT id : {IDS_COLUMNA_NOMBRE, IDS_COLUMNA_URL, IDS_URL_REPETIDA, IDS_RESPUESTA_ILEGIBLE})
            EXPECT_FALSE(Cadena(modulo.Get(), id).empty()) << id;
    }
}

TEST(ResourceModule, SpanishStringsAreTranslated)
{
    const ModuloCargado ingles = CargaIdioma(L"en-US");
    const ModuloCargado espanol = CargaIdioma(L"es-ES");
    ASSERT_TRUE(ingles && espanol);
    for (const UINT id : {IDS_COLUMNA_NOMBRE, IDS_COLUMNA_URL, IDS_URL_REPETIDA, IDS_RESPUESTA_ILEGIBLE})
        EXPECT_NE(Cadena(ingles.Get(), id), Cadena(espanol.Get(), id)) << id;
    EXPECT_NE(std::wstring::npos, Cadena(espanol.Get(), IDS_COLUMNA_URL).find(L"Direcci\u00f3n"))
        << "accented text survives the UTF-8 source";
}

// ---- Icons: drawn at 16 and 32 pixels, 32 bits with alpha ----

#pragma pack(push, 2)
struct EntradaDeGrupo {  // GRPICONDIRENTRY
    BYTE ancho, alto, colores, reservado;
    WORD planos, bits;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

std::vector<EntradaDeGrupo> ImagenesDelGrupo(HMODULE modulo, int id)
{
    const std::string_view grupo = Recurso(modulo, RT_GROUP_ICON, MAKEINTRESOURCEW(id));
    std::vector<EntradaDeGrupo> entradas(Lee<WORD>(grupo, 4));
    if (grupo.size() < 6 + entradas.size() * sizeof(EntradaDeGrupo))
        return {};
    std::memcpy(entradas.data(), grupo.data() + 6, entradas.size() * sizeof(EntradaDeGrupo));
    return entradas;
}

// Alpha values of a 32-bit icon image (BITMAPINFOHEADER, then BGRA rows).
std::set<BYTE> AlfasDe(std::string_view imagen)
{
    std::set<BYTE> alfas;
    const size_t inicio = Lee<DWORD>(imagen, 0);
    const size_t pixeles = static_cast<size_t>(Lee<LONG>(imagen, 4)) * Lee<LONG>(imagen, 4);
    for (size_t i = 0; i < pixeles && inicio + 4 * i + 3 < imagen.size(); ++i)
        alfas.insert(static_cast<BYTE>(imagen[inicio + 4 * i + 3]));
    return alfas;
}

TEST(ResourceModule, IconsAreDrawnAt16And32PixelsWithAlpha)
{
    for (const Idioma& idioma : kIdiomas) {
        const ModuloCargado modulo = CargaIdioma(idioma.nombre);
        ASSERT_TRUE(modulo);
        for (const int id : {IDI_CONECTA_URL, IDI_URL}) {
            SCOPED_TRACE(testing::Message() << Estrecho(idioma.nombre) << " icon " << id);
            const std::vector<EntradaDeGrupo> entradas = ImagenesDelGrupo(modulo.Get(), id);
            std::set<int> tamanos;
            for (const EntradaDeGrupo& entrada : entradas) {
                tamanos.insert(entrada.ancho);
                EXPECT_EQ(entrada.ancho, entrada.alto);
                EXPECT_EQ(32, entrada.bits);
                const std::string_view imagen = Recurso(modulo.Get(), RT_ICON, MAKEINTRESOURCEW(entrada.id));
                EXPECT_EQ(32, Lee<WORD>(imagen, 14)) << "image " << entrada.id << " bit count";
                const std::set<BYTE> alfas = AlfasDe(imagen);
                EXPECT_TRUE(alfas.count(0) && alfas.count(255)) << "a transparent background around an opaque drawing";
            }
            EXPECT_EQ((std::set<int>{16, 32}), tamanos);
            // What the dialogs do with it: a small icon for the caption.
            const Icono pequeno(static_cast<HICON>(::LoadImageW(modulo.Get(), MAKEINTRESOURCEW(id), IMAGE_ICON,
                                                                ::GetSystemMetrics(SM_CXSMICON),
                                                                ::GetSystemMetrics(SM_CYSMICON), 0)));
            EXPECT_TRUE(pequeno);
        }
    }
}

// ---- The MUI record: the module's language, ortus.dll's checksum, the types it holds ----

std::wstring TextoEn(std::string_view datos, size_t desplazamiento, size_t bytes)
{
    if (desplazamiento + bytes > datos.size() || bytes < 2)
        return {};
    std::wstring texto(bytes / 2, L'\0');
    std::memcpy(texto.data(), datos.data() + desplazamiento, bytes);
    return texto;
}

// A multi-string's names, or "#n" for a list of numbered types.
std::set<std::wstring> TiposDelRegistro(std::string_view mui, size_t parNombres, size_t parNumeros)
{
    std::set<std::wstring> tipos;
    const std::wstring nombres = TextoEn(mui, Lee<DWORD>(mui, parNombres), Lee<DWORD>(mui, parNombres + 4));
    for (size_t inicio = 0; inicio < nombres.size() && nombres[inicio] != L'\0';) {
        const size_t fin = nombres.find(L'\0', inicio);
        tipos.insert(nombres.substr(inicio, fin - inicio));
        inicio = fin + 1;
    }
    const DWORD numeros = Lee<DWORD>(mui, parNumeros);
    for (DWORD i = 0; i < Lee<DWORD>(mui, parNumeros + 4) / 4; ++i)
        tipos.insert(L"#" + std::to_wstring(Lee<DWORD>(mui, numeros + 4 * i)));
    return tipos;
}

TEST(ResourceModule, MuiRecordNamesTheLanguageAndPairsWithOrtus)
{
    const ModuloCargado ortus = CargaComoDatos(L"ortus.dll");
    ASSERT_TRUE(ortus);
    const std::string_view principal = Recurso(ortus.Get(), L"MUI", MAKEINTRESOURCEW(1));
    ASSERT_GE(principal.size(), 132u);

    for (const Idioma& idioma : kIdiomas) {
        SCOPED_TRACE(Estrecho(idioma.nombre));
        const ModuloCargado modulo = CargaIdioma(idioma.nombre);
        ASSERT_TRUE(modulo);
        const std::string_view mui = Recurso(modulo.Get(), L"MUI", MAKEINTRESOURCEW(1));
        ASSERT_GE(mui.size(), 132u);
        EXPECT_EQ(0xFECDFECDu, Lee<DWORD>(mui, 0x00));
        EXPECT_EQ(mui.size(), Lee<DWORD>(mui, 0x04));
        EXPECT_EQ(0x12u, Lee<DWORD>(mui, 0x10)) << "file type: language-specific";
        EXPECT_EQ(principal.substr(0x1C, 32), mui.substr(0x1C, 32)) << "service checksum and checksum of ortus.dll";
        EXPECT_EQ(std::wstring(idioma.nombre) + L'\0', TextoEn(mui, Lee<DWORD>(mui, 0x74), Lee<DWORD>(mui, 0x78)));
        EXPECT_EQ(TiposDe(modulo.Get()), TiposDelRegistro(mui, 0x64, 0x6C)) << "the types listed are the types held";
        // ortus.dll tells the loader the same types are to be found in its language modules.
        std::set<std::wstring> fuera = TiposDelRegistro(principal, 0x64, 0x6C);
        fuera.insert(L"MUI");
        EXPECT_EQ(TiposDe(modulo.Get()), fuera);
    }
}

// ---- Template headers: font, caption, frame ----

// The fields of a DLGTEMPLATEEX up to its font's face name.
struct CabeceraDePlantilla {
    DWORD estilo = 0;
    std::wstring titulo;
    WORD puntos = 0;
    std::wstring fuente;
};

// A sz_Or_Ord field: 0 (none), 0xFFFF and an ordinal, or a string; returns the offset after it.
size_t SaltaNombreOOrdinal(std::string_view datos, size_t desplazamiento, std::wstring* texto = nullptr)
{
    const WORD primero = Lee<WORD>(datos, desplazamiento);
    if (primero == 0)
        return desplazamiento + 2;
    if (primero == 0xFFFF)
        return desplazamiento + 4;
    for (WORD c; (c = Lee<WORD>(datos, desplazamiento)) != 0 && desplazamiento < datos.size(); desplazamiento += 2)
        if (texto)
            texto->push_back(static_cast<wchar_t>(c));
    return desplazamiento + 2;
}

CabeceraDePlantilla LeeCabecera(std::string_view plantilla)
{
    CabeceraDePlantilla cabecera;
    if (Lee<WORD>(plantilla, 0) != 1 || Lee<WORD>(plantilla, 2) != 0xFFFF)
        return cabecera;  // not a DIALOGEX
    cabecera.estilo = Lee<DWORD>(plantilla, 12);
    size_t desplazamiento = SaltaNombreOOrdinal(plantilla, 26);           // menu
    desplazamiento = SaltaNombreOOrdinal(plantilla, desplazamiento);      // window class
    desplazamiento = SaltaNombreOOrdinal(plantilla, desplazamiento, &cabecera.titulo);
    if (cabecera.estilo & DS_SETFONT) {
        cabecera.puntos = Lee<WORD>(plantilla, desplazamiento);
        SaltaNombreOOrdinal(plantilla, desplazamiento + 6, &cabecera.fuente);
    }
    return cabecera;
}

TEST(DialogTemplates, UseTheShellFontAndAFrameWithCaptionThatStartsHidden)
{
    std::map<int, std::set<std::wstring>> titulos;
    for (const Idioma& idioma : kIdiomas) {
        const ModuloCargado modulo = CargaIdioma(idioma.nombre);
        ASSERT_TRUE(modulo);
        for (const int plantilla : {IDD_CONECTA_URL, IDD_URL}) {
            SCOPED_TRACE(testing::Message() << Estrecho(idioma.nombre) << " template " << plantilla);
            const CabeceraDePlantilla cabecera =
                LeeCabecera(Recurso(modulo.Get(), RT_DIALOG, MAKEINTRESOURCEW(plantilla)));
            EXPECT_EQ(static_cast<DWORD>(DS_SHELLFONT), cabecera.estilo & DS_SHELLFONT);
            EXPECT_EQ(static_cast<DWORD>(WS_CAPTION | WS_SYSMENU | DS_MODALFRAME),
                      cabecera.estilo & (WS_CAPTION | WS_SYSMENU | DS_MODALFRAME));
            EXPECT_EQ(0u, cabecera.estilo & WS_VISIBLE) << "the dialog code shows it when it is ready";
            EXPECT_EQ(8, cabecera.puntos);
            EXPECT_EQ(L"MS Shell Dlg", cabecera.fuente);
            EXPECT_FALSE(cabecera.titulo.empty());
            titulos[plantilla].insert(cabecera.titulo);
        }
    }
    for (const auto& [plantilla, textos] : titulos)
        EXPECT_EQ(std::size(kIdiomas), textos.size()) << "template " << plantilla << " has a caption per language";
}

// ---- Live dialogs from the templates ----

INT_PTR CALLBACK ProcedimientoMudo(HWND, UINT mensaje, WPARAM, LPARAM) { return mensaje == WM_INITDIALOG; }

Ventana CreaDialogo(HMODULE modulo, int plantilla)
{
    const INITCOMMONCONTROLSEX clases = {sizeof clases, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&clases);
    return Ventana(::CreateDialogParamW(modulo, MAKEINTRESOURCEW(plantilla), nullptr, ProcedimientoMudo, 0));
}

struct ControlEsperado {
    int plantilla;
    int id;
    const wchar_t* clase;
    DWORD mascaraDeTipo;  // the style bits that hold the kind: LVS_TYPEMASK, CBS_DROPDOWNLIST, BS_TYPEMASK
    DWORD tipo;
    DWORD exigidos;
    DWORD prohibidos;
    const char* porque;
};

const ControlEsperado kControlesEsperados[] = {
    {IDD_CONECTA_URL, IDC_LISTA_URL, L"SysListView32", LVS_TYPEMASK, LVS_REPORT, LVS_SHOWSELALWAYS | WS_TABSTOP,
     LVS_SINGLESEL, "columns are inserted; Delete removes every selected row"},
    {IDD_CONECTA_URL, IDC_NUEVO, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, WS_TABSTOP, 0, "New"},
    {IDD_CONECTA_URL, IDC_EDITAR, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, WS_TABSTOP, 0, "Edit"},
    {IDD_CONECTA_URL, IDC_BORRAR, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, WS_TABSTOP, 0, "Delete"},
    {IDD_CONECTA_URL, IDC_METADATO1, L"Edit", 0, 0, ES_READONLY | WS_TABSTOP, ES_MULTILINE, "title"},
    {IDD_CONECTA_URL, IDC_METADATO2, L"Edit", 0, 0, ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_TABSTOP,
     ES_AUTOHSCROLL, "abstract and failure text, wrapped and scrolled"},
    {IDD_CONECTA_URL, IDC_METADATO3, L"Edit", 0, 0, ES_READONLY | WS_TABSTOP, ES_MULTILINE, "contact"},
    {IDD_CONECTA_URL, IDC_METADATO4, L"Edit", 0, 0, ES_READONLY | WS_TABSTOP, ES_MULTILINE, "version and terms"},
    {IDD_CONECTA_URL, IDC_COMBO_CAPA, L"ComboBox", CBS_DROPDOWNLIST, CBS_DROPDOWNLIST, WS_TABSTOP, 0, "layers"},
    {IDD_CONECTA_URL, IDC_COMBO_SR, L"ComboBox", CBS_DROPDOWNLIST, CBS_DROPDOWNLIST, WS_TABSTOP, CBS_SORT,
     "reference systems: OK maps the chosen row back by its position"},
    {IDD_CONECTA_URL, IDC_ARCHIVO_SALIDA, L"Edit", 0, 0, ES_AUTOHSCROLL | WS_TABSTOP, ES_READONLY, "output file"},
    {IDD_CONECTA_URL, IDC_BUSCAR_FICHERO, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, WS_TABSTOP, 0, "browse"},
    {IDD_CONECTA_URL, IDC_CARGAR, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, WS_GROUP | WS_TABSTOP, 0,
     "load option 0 opens the group"},
    {IDD_CONECTA_URL, IDC_CARGAR_SEGUNDA, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, 0, WS_GROUP, "load option 1"},
    {IDD_CONECTA_URL, IDC_CARGAR_TERCERA, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, 0, WS_GROUP,
     "load option 2, hidden when no map is open"},
    {IDD_CONECTA_URL, IDOK, L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, WS_GROUP | WS_TABSTOP, 0,
     "OK, the default, closes the radio group"},
    {IDD_CONECTA_URL, IDCANCEL, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, WS_TABSTOP, 0, "Cancel"},
    {IDD_CONECTA_URL, ID_HELP, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, WS_TABSTOP, 0, "Help"},
    {IDD_URL, IDC_NOMBRE, L"Edit", 0, 0, ES_AUTOHSCROLL | WS_TABSTOP, ES_READONLY, "name"},
    {IDD_URL, IDC_URL, L"Edit", 0, 0, ES_AUTOHSCROLL | WS_TABSTOP, ES_READONLY, "address"},
    {IDD_URL, IDOK, L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, WS_TABSTOP, 0, "OK, the default"},
    {IDD_URL, IDCANCEL, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, WS_TABSTOP, 0, "Cancel"},
};

TEST(DialogTemplates, HoldTheControlsTheCodeReliesOn)
{
    for (const Idioma& idioma : kIdiomas) {
        const ModuloCargado modulo = CargaIdioma(idioma.nombre);
        ASSERT_TRUE(modulo);
        for (const int plantilla : {IDD_CONECTA_URL, IDD_URL}) {
            const Ventana dialogo = CreaDialogo(modulo.Get(), plantilla);
            ASSERT_TRUE(dialogo) << "template " << plantilla << ", error " << ::GetLastError();
            const ControlesDeDialogo controles(dialogo.Get());
            for (const ControlEsperado& esperado : kControlesEsperados) {
                if (esperado.plantilla != plantilla)
                    continue;
                SCOPED_TRACE(testing::Message() << Estrecho(idioma.nombre) << " " << esperado.id << " " << esperado.porque);
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
        }
    }
}

// DDX_Radio's walk: from the first button to the next control that opens a group.
TEST(DialogTemplates, LoadOptionsAreOneGroupOfThreeStartingAtTheFirst)
{
    for (const Idioma& idioma : kIdiomas) {
        SCOPED_TRACE(Estrecho(idioma.nombre));
        const ModuloCargado modulo = CargaIdioma(idioma.nombre);
        ASSERT_TRUE(modulo);
        const Ventana dialogo = CreaDialogo(modulo.Get(), IDD_CONECTA_URL);
        ASSERT_TRUE(dialogo);
        const HWND primera = ::GetDlgItem(dialogo.Get(), IDC_CARGAR);
        ASSERT_NE(nullptr, primera);
        std::vector<int> grupo;
        HWND siguiente = primera;
        do {
            grupo.push_back(::GetDlgCtrlID(siguiente));
            siguiente = ::GetWindow(siguiente, GW_HWNDNEXT);
        } while (siguiente && !(::GetWindowLongW(siguiente, GWL_STYLE) & WS_GROUP));
        EXPECT_EQ((std::vector<int>{IDC_CARGAR, IDC_CARGAR_SEGUNDA, IDC_CARGAR_TERCERA}), grupo);
        EXPECT_NE(nullptr, siguiente) << "a control after the group opens the next one";
        // Arrow keys move round the same three.
        const HWND tercera = ::GetDlgItem(dialogo.Get(), IDC_CARGAR_TERCERA);
        EXPECT_EQ(primera, ::GetNextDlgGroupItem(dialogo.Get(), tercera, FALSE));
        EXPECT_EQ(tercera, ::GetNextDlgGroupItem(dialogo.Get(), primera, TRUE));
    }
}

// ---- Layout: every template in every language, at this process's DPI ----

struct Caso {
    int plantilla;
    const char* nombre;
    const wchar_t* idioma;
};

const Caso kCasos[] = {
    {IDD_CONECTA_URL, "conecta_url", L"en-US"},
    {IDD_CONECTA_URL, "conecta_url", L"es-ES"},
    {IDD_URL, "url", L"en-US"},
    {IDD_URL, "url", L"es-ES"},
};

void PrintTo(const Caso& caso, std::ostream* os) { *os << caso.nombre << " " << Estrecho(caso.idioma); }

std::string NombreDelCaso(const testing::TestParamInfo<Caso>& info)
{
    std::string nombre = std::string(info.param.nombre) + "_" + Estrecho(info.param.idioma);
    std::replace(nombre.begin(), nombre.end(), '-', '_');
    return nombre;
}

int PuntosPorPulgada()
{
    const DcDeVentana pantalla(nullptr);
    return ::GetDeviceCaps(pantalla.Get(), LOGPIXELSY);
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
        m_modulo = CargaIdioma(GetParam().idioma);
        ASSERT_TRUE(m_modulo);
        m_dialogo = CreaDialogo(m_modulo.Get(), GetParam().plantilla);
        ASSERT_TRUE(m_dialogo);
        RecordProperty("dpi", PuntosPorPulgada());
    }

    ControlesDeDialogo Controles() const { return ControlesDeDialogo(m_dialogo.Get()); }

    ModuloCargado m_modulo;
    Ventana m_dialogo;
};

TEST_P(DialogLayout, ControlsStayApartAndInsideTheDialog)
{
    const ControlesDeDialogo controles = Controles();
    const RECT cliente = controles.AreaCliente();
    const auto& todos = controles.Todos();
    for (size_t i = 0; i < todos.size(); ++i) {
        EXPECT_TRUE(Contiene(cliente, todos[i].rect)) << Describe(todos[i]) << " leaves " << Texto(cliente);
        for (size_t j = i + 1; j < todos.size(); ++j) {
            const ControlDeDialogo& a = todos[i];
            const ControlDeDialogo& b = todos[j];
            const bool enSuGrupo = (a.EsGrupo() && Contiene(a.rect, b.rect)) || (b.EsGrupo() && Contiene(b.rect, a.rect));
            EXPECT_FALSE(SeSolapan(a.rect, b.rect) && !enSuGrupo) << Describe(a) << " overlaps " << Describe(b);
        }
    }
}

TEST_P(DialogLayout, EveryTextFitsItsControl)
{
    const ControlesDeDialogo controles = Controles();
    for (const ControlDeDialogo& control : controles.Todos()) {
        if (control.texto.empty() || !(control.EsTextoFijo() || control.EsBotonPulsable() || control.EsOpcion() || control.EsGrupo()))
            continue;
        const SIZE necesario = controles.EspacioNecesario(control);
        EXPECT_LE(necesario.cx, control.rect.right - control.rect.left) << Describe(control) << " needs " << necesario.cx;
        if (!control.EsGrupo()) {
            EXPECT_LE(necesario.cy, control.rect.bottom - control.rect.top) << Describe(control) << " needs " << necesario.cy;
        }
    }
}

// A single-line box shows a whole line of text between its borders.
TEST_P(DialogLayout, EditBoxesAreTallEnoughForALine)
{
    const ControlesDeDialogo controles = Controles();
    const SIZE linea = controles.TamanoDelTexto({m_dialogo.Get(), 0, L"", 0, L"Ag\u00c1y", {}});
    for (const ControlDeDialogo& control : controles.Todos()) {
        if (::lstrcmpiW(control.clase.c_str(), L"Edit") != 0)
            continue;
        RECT interior;
        ::GetClientRect(control.ventana, &interior);
        EXPECT_GE(interior.bottom - interior.top, linea.cy + 2) << Describe(control);
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
