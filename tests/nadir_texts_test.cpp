// nadir_texts_test.cpp: Nadir's strings as built: every identifier in each library and each of its language
// modules, translations that format the same arguments (the modules' layout: resources_test).

#include "NadirTestSupport.h"
#include "support/RecursosDeModulo.h"

#include <regex>

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

// The library in its assembly's folder, or one of its language modules, which Windows looks for beside it.
std::wstring RutaDelModulo(const Biblioteca& biblioteca, const wchar_t* idioma = nullptr)
{
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

// The printf conversions of a format, in order, each as written ("%s", "%I64u", "%08X"); "%%" is none.
std::vector<std::wstring> Conversiones(const std::wstring& formato)
{
    static const std::wregex conversion(LR"(%%|%[-+ #0-9.*]*(I64|I32|hh|ll|[hlLqjztwI])?[a-zA-Z])");
    std::vector<std::wstring> conversiones;
    for (auto i = std::wsregex_iterator(formato.begin(), formato.end(), conversion); i != std::wsregex_iterator(); ++i)
        if (i->str() != L"%%")
            conversiones.push_back(i->str());
    return conversiones;
}

}  // namespace

TEST(NadirTexts, EveryIdentifierIsInTheLibraryAndEachLanguageWithTheSameConversions)
{
    for (const Biblioteca& biblioteca : kBibliotecas) {
        SCOPED_TRACE(Utf8(biblioteca.nombre));
        const std::map<std::string, UINT> identificadores = Identificadores(biblioteca);
        ASSERT_GE(identificadores.size(), 10u) << "identifiers read from " << biblioteca.identificadores;
        const ModuloCargado propia = CargaModuloDeRecursos(RutaDelModulo(biblioteca).c_str());
        ASSERT_TRUE(propia) << Utf8(RutaDelModulo(biblioteca).c_str());
        for (const std::wstring idioma : {L"en-US", L"es-ES"}) {
            SCOPED_TRACE(Utf8(idioma.c_str()));
            const ModuloCargado traduccion = CargaModuloDeRecursos(RutaDelModulo(biblioteca, idioma.c_str()).c_str());
            ASSERT_TRUE(traduccion) << Utf8(RutaDelModulo(biblioteca, idioma.c_str()).c_str());
            for (const auto& [nombre, id] : identificadores) {
                SCOPED_TRACE(nombre);
                const std::wstring ingles = Cadena(propia.Get(), id);
                const std::wstring texto = Cadena(traduccion.Get(), id);
                EXPECT_FALSE(ingles.empty() || texto.empty()) << "missing";
                EXPECT_EQ(Conversiones(ingles), Conversiones(texto)) << Utf8(texto.c_str());
                // The library's own strings are en-US's, so that a missing folder loses nothing.
                if (idioma == L"en-US") {
                    EXPECT_EQ(ingles, texto);
                }
            }
        }
    }
}
