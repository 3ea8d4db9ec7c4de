// nadir_texts_test.cpp: Nadir's strings as built: every identifier in each library and each of its language
// modules, translations that format the same arguments, and modules laid out and paired as Windows expects.
#include "NadirTestSupport.h"

#include <Win32/Modulos.h>

#include <cstring>
#include <cwctype>
#include <regex>
#include <set>

using Win32::CargaModuloDeRecursos;
using Win32::ModuloCargado;

namespace {

struct Biblioteca {
    const wchar_t* nombre;
    const wchar_t* ensamblado;    // its folder in bin/
    const char* identificadores;  // the header, under external/nadir/src
};

constexpr Biblioteca kBibliotecas[] = {
    {L"NadirSockets", L"Nadir.Sockets", "sockets/TextosSockets.h"},
    {L"NadirWMS", L"Nadir.WMS", "wms/TextosWMS.h"},
};

struct Idioma {
    const wchar_t* nombre;
    LANGID id;  // of its string table
};

constexpr Idioma kIdiomas[] = {
    {L"en-US", MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)},
    {L"es-ES", MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MODERN)},
};

// The library in its assembly's folder, or one of its language modules, which Windows looks for beside it.
std::wstring RutaDelModulo(const Biblioteca& biblioteca, const wchar_t* idioma = nullptr)
{
    // The tests run in bin/, which holds the libraries' assembly folders.
    const std::wstring carpeta = Win32::CarpetaDelModulo(nullptr) + biblioteca.ensamblado + L"\\";
    if (!idioma)
        return carpeta + biblioteca.nombre + L".dll";
    return carpeta + idioma + L"\\" + biblioteca.nombre + L".dll.mui";
}

// The IDS_ definitions of a header: name and number.
std::map<std::string, UINT> Identificadores(const Biblioteca& biblioteca)
{
    const std::string texto = LeeArchivo(std::string(NADIR_SRC_DIR) + "/" + biblioteca.identificadores);
    const std::regex definicion(R"(#define\s+(IDS_\w+)\s+(\d+))");
    std::map<std::string, UINT> identificadores;
    for (auto i = std::sregex_iterator(texto.begin(), texto.end(), definicion); i != std::sregex_iterator(); ++i)
        identificadores[(*i)[1]] = static_cast<UINT>(std::stoul((*i)[2]));
    return identificadores;
}

std::wstring Cadena(HMODULE modulo, UINT id)
{
    const wchar_t* texto = nullptr;
    const int longitud = LoadStringW(modulo, id, reinterpret_cast<LPWSTR>(&texto), 0);
    return longitud > 0 ? std::wstring(texto, longitud) : std::wstring();
}

BOOL CALLBACK AnotaBloque(HMODULE modulo, LPCWSTR, LPWSTR nombre, LONG_PTR lParam)
{
    // A block holds strings (n - 1) * 16 to (n - 1) * 16 + 15.
    const UINT bloque = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(nombre));
    for (UINT id = (bloque - 1) * 16; id < bloque * 16; ++id)
        if (!Cadena(modulo, id).empty())
            reinterpret_cast<std::set<UINT>*>(lParam)->insert(id);
    return TRUE;
}

// Every string a module's tables hold.
std::set<UINT> IdsDelModulo(HMODULE modulo)
{
    std::set<UINT> ids;
    EnumResourceNamesW(modulo, RT_STRING, AnotaBloque, reinterpret_cast<LONG_PTR>(&ids));
    return ids;
}

std::set<UINT> Valores(const std::map<std::string, UINT>& identificadores)
{
    std::set<UINT> valores;
    for (const auto& [nombre, id] : identificadores)
        valores.insert(id);
    return valores;
}

// The printf conversions of a format, in order, each as written ("%s", "%I64u", "%08X").
std::vector<std::wstring> Conversiones(const std::wstring& formato)
{
    std::vector<std::wstring> conversiones;
    for (size_t i = formato.find(L'%'); i != std::wstring::npos; i = formato.find(L'%', i)) {
        size_t fin = i + 1;
        while (fin < formato.size() && !std::iswalpha(formato[fin]) && formato[fin] != L'%')
            ++fin;
        // Length prefixes, then the conversion letter itself.
        while (fin < formato.size() && std::wcschr(L"hlLqjztwI", formato[fin]))
            fin += formato.compare(fin, 3, L"I64") == 0 || formato.compare(fin, 3, L"I32") == 0 ? 3 : 1;
        if (fin < formato.size() && formato[fin] != L'%')
            conversiones.push_back(formato.substr(i, fin + 1 - i));
        i = fin + 1;
    }
    return conversiones;
}

// The bytes of a module's resource, empty when it has none.
std::string Recurso(HMODULE modulo, LPCWSTR nombre, LPCWSTR tipo)
{
    const HRSRC recurso = FindResourceW(modulo, nombre, tipo);
    if (!recurso)
        return {};
    const void* datos = LockResource(LoadResource(modulo, recurso));
    return std::string(static_cast<const char*>(datos), SizeofResource(modulo, recurso));
}

DWORD Palabra(const std::string& datos, size_t desplazamiento)
{
    DWORD valor = 0;
    if (desplazamiento + sizeof valor <= datos.size())
        std::memcpy(&valor, datos.data() + desplazamiento, sizeof valor);
    return valor;
}

// A language name a MUI record points at with the offset and size at campo.
std::wstring IdiomaDelRegistro(const std::string& registro, size_t campo)
{
    const DWORD desplazamiento = Palabra(registro, campo);
    const DWORD bytes = Palabra(registro, campo + 4);
    if (bytes < sizeof(wchar_t) || desplazamiento + bytes > registro.size())
        return {};
    return std::wstring(reinterpret_cast<const wchar_t*>(registro.data() + desplazamiento),
                        bytes / sizeof(wchar_t) - 1);
}

BOOL CALLBACK AnotaTipo(HMODULE, LPWSTR tipo, LONG_PTR lParam)
{
    reinterpret_cast<std::set<std::wstring>*>(lParam)->insert(
        IS_INTRESOURCE(tipo) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(tipo)) : std::wstring(tipo));
    return TRUE;
}

BOOL CALLBACK AnotaIdioma(HMODULE, LPCWSTR, LPCWSTR, WORD idioma, LONG_PTR lParam)
{
    reinterpret_cast<std::set<LANGID>*>(lParam)->insert(idioma);
    return TRUE;
}

// The languages a module's string blocks are marked with.
std::set<LANGID> IdiomasDeLasCadenas(HMODULE modulo)
{
    std::set<UINT> bloques;
    for (UINT id : IdsDelModulo(modulo))
        bloques.insert(id / 16 + 1);
    std::set<LANGID> idiomas;
    for (UINT bloque : bloques)
        EnumResourceLanguagesW(modulo, RT_STRING, MAKEINTRESOURCEW(bloque), AnotaIdioma,
                               reinterpret_cast<LONG_PTR>(&idiomas));
    return idiomas;
}

// A resource-only DLL has no entry point and imports nothing (ld still writes an empty import table).
bool SoloRecursos(HMODULE modulo)
{
    // The handle of a module mapped for its resources carries flags in its low bits.
    const auto* base = reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(modulo) & ~ULONG_PTR{3});
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& importaciones = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    const bool importaAlgo =
        importaciones.Size != 0 &&
        reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + importaciones.VirtualAddress)->Name != 0;
    return nt->OptionalHeader.AddressOfEntryPoint == 0 && !importaAlgo;
}

}  // namespace

TEST(NadirTexts, EveryIdentifierIsInTheLibraryAndEachLanguageWithTheSameConversions)
{
    // The checker itself must see what it compares.
    ASSERT_EQ((std::vector<std::wstring>{L"%s", L"%I64u", L"%08X", L"%lu"}),
              Conversiones(L"100%% of %s in %I64u bytes, 0x%08X (%lu)"));
    for (const Biblioteca& biblioteca : kBibliotecas) {
        SCOPED_TRACE(Utf8(biblioteca.nombre));
        const std::map<std::string, UINT> identificadores = Identificadores(biblioteca);
        ASSERT_GE(identificadores.size(), 10u) << "identifiers read from " << biblioteca.identificadores;
        const ModuloCargado propia = CargaModuloDeRecursos(RutaDelModulo(biblioteca).c_str());
        ASSERT_TRUE(propia) << Utf8(RutaDelModulo(biblioteca).c_str());
        EXPECT_EQ(Valores(identificadores), IdsDelModulo(propia.Get())) << "the library's own table";
        for (const Idioma& idioma : kIdiomas) {
            SCOPED_TRACE(Utf8(idioma.nombre));
            const ModuloCargado traduccion = CargaModuloDeRecursos(RutaDelModulo(biblioteca, idioma.nombre).c_str());
            ASSERT_TRUE(traduccion) << Utf8(RutaDelModulo(biblioteca, idioma.nombre).c_str());
            EXPECT_EQ(Valores(identificadores), IdsDelModulo(traduccion.Get()));
            for (const auto& [nombre, id] : identificadores) {
                SCOPED_TRACE(nombre);
                const std::wstring ingles = Cadena(propia.Get(), id);
                const std::wstring texto = Cadena(traduccion.Get(), id);
                EXPECT_EQ(Conversiones(ingles), Conversiones(texto)) << Utf8(texto.c_str());
                // The library's own strings are en-US's, so that a missing folder loses nothing.
                if (idioma.id == MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)) {
                    EXPECT_EQ(ingles, texto);
                }
            }
        }
    }
}

TEST(NadirTexts, LanguageModulesAreResourceOnlyInTheirLanguageAndPairedWithTheLibrary)
{
    for (const Biblioteca& biblioteca : kBibliotecas) {
        SCOPED_TRACE(Utf8(biblioteca.nombre));
        const ModuloCargado propia = CargaModuloDeRecursos(RutaDelModulo(biblioteca).c_str());
        ASSERT_TRUE(propia);
        // Language-neutral, with en-US as fallback, held in the library as well as in en-US's module.
        const std::string neutro = Recurso(propia.Get(), MAKEINTRESOURCEW(1), L"MUI");
        ASSERT_GE(neutro.size(), 132u);
        EXPECT_EQ(0xFECDFECDu, Palabra(neutro, 0x00));
        EXPECT_EQ(0x11u, Palabra(neutro, 0x10)) << "file type";
        EXPECT_EQ(1u, Palabra(neutro, 0x18)) << "fallback location: internal";
        EXPECT_EQ(std::wstring(L"en-US"), IdiomaDelRegistro(neutro, 0x7C));
        const std::string suma = neutro.substr(0x2C, 16);
        EXPECT_NE(std::string(16, '\0'), suma);
        EXPECT_FALSE(SoloRecursos(propia.Get())) << "the check sees code where there is some";

        for (const Idioma& idioma : kIdiomas) {
            SCOPED_TRACE(Utf8(idioma.nombre));
            const std::wstring ruta = RutaDelModulo(biblioteca, idioma.nombre);
            const ModuloCargado modulo = CargaModuloDeRecursos(ruta.c_str());
            ASSERT_TRUE(modulo);
            EXPECT_TRUE(SoloRecursos(modulo.Get()));
            std::set<std::wstring> tipos;
            EnumResourceTypesW(modulo.Get(), AnotaTipo, reinterpret_cast<LONG_PTR>(&tipos));
            EXPECT_EQ((std::set<std::wstring>{L"#6", L"MUI"}), tipos);  // strings and the record
            EXPECT_EQ(std::set<LANGID>{idioma.id}, IdiomasDeLasCadenas(modulo.Get()));

            const std::string registro = Recurso(modulo.Get(), MAKEINTRESOURCEW(1), L"MUI");
            ASSERT_GE(registro.size(), 132u);
            EXPECT_EQ(0x12u, Palabra(registro, 0x10)) << "file type";
            EXPECT_EQ(std::wstring(idioma.nombre), IdiomaDelRegistro(registro, 0x74));
            EXPECT_TRUE(registro.substr(0x2C, 16) == suma) << "checksum differs from the library's";
        }
    }
    // Each library's modules are its own.
    const ModuloCargado sockets = CargaModuloDeRecursos(RutaDelModulo(kBibliotecas[0]).c_str());
    const ModuloCargado wms = CargaModuloDeRecursos(RutaDelModulo(kBibliotecas[1]).c_str());
    EXPECT_NE(Recurso(sockets.Get(), MAKEINTRESOURCEW(1), L"MUI").substr(0x2C, 16),
              Recurso(wms.Get(), MAKEINTRESOURCEW(1), L"MUI").substr(0x2C, 16));
}
