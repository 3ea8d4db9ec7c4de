// Tests of the server catalogue: the entry record's ordering and copies, and CDataConectaURL's rules.
#include <afxwin.h>

#include "TestSupport.h"

#include <tuple>
#include <utility>
#include <vector>

namespace {

// Every member of a record in declaration order, so that one comparison covers them all.
using Registro = std::vector<std::vector<CString>>;

Registro MiembrosDe(const CDireccionURL& e)
{
    return {{e.m_nombre}, {e.m_url}, {e.m_metadato1}, {e.m_metadato2}, {e.m_metadato3}, {e.m_metadato4},
            e.m_listaAuxiliar, e.m_capas, e.m_sistemasReferencia};
}

std::vector<Registro> MiembrosDe(const std::vector<CDireccionURL>& entradas)
{
    std::vector<Registro> registros;
    for (const CDireccionURL& entrada : entradas)
        registros.push_back(MiembrosDe(entrada));
    return registros;
}

const Registro kRegistroVacio = {{L""}, {L""}, {L""}, {L""}, {L""}, {L""}, {}, {}, {}};

CDireccionURL EntradaInterrogada(LPCWSTR nombre, LPCWSTR url)
{
    CDireccionURL entrada = Entrada(nombre, url);
    entrada.m_metadato1 = L"titulo";
    entrada.m_metadato2 = L"resumen";
    entrada.m_metadato3 = L"palabras";
    entrada.m_metadato4 = L"contacto";
    entrada.m_listaAuxiliar = {L"aux"};
    entrada.m_capas = {L"capa1", L"capa2", L"capa1"};
    entrada.m_sistemasReferencia = {L"CRS:84", L"EPSG:4326"};
    return entrada;
}

// Three entries named a, b, c at addresses ua, ub, uc.
CDataConectaURL CatalogoABC()
{
    CDataConectaURL catalogo;
    catalogo.m_direcciones = {Entrada(L"a", L"ua"), Entrada(L"b", L"ub"), Entrada(L"c", L"uc")};
    return catalogo;
}

const std::vector<CDireccionURL> kPorDefecto = {
    Entrada(L"PNOA", L"http://www.ign.es/wms-inspire/pnoa-ma"),
    Entrada(L"NOAA", L"http://nowcoast.noaa.gov/wms/?request=GetCapabilities&service=wms"),
    Entrada(L"Catastro", L"http://ovc.catastro.meh.es/Cartografia/WMS/ServidorWMS.aspx"),
    Entrada(L"Cartografia IGN", L"http://www.ign.es/wms-inspire/mapa-raster "),
    Entrada(L"MDT IGN", L"http://www.ign.es/wms-inspire/mdt"),
};

}  // namespace

TEST(CatalogueRecord, OrdersByNameThenAddressOrdinally)
{
    static const std::tuple<LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, bool, bool> rows[] = {
        {L"B", L"x", L"a", L"x", true, false},       // upper case before lower case
        {L"", L"z", L"A", L"a", true, false},        // the empty name first
        {L"n", L"u1", L"n", L"u2", true, false},     // same name: by address
        {L"n", L"u", L"n", L"u", false, false},      // equivalent
        {L"ab", L"x", L"a", L"y", false, true},      // a prefix sorts first
        {L"\u00e1", L"x", L"z", L"x", false, true},  // code units, not locale: U+00E1 after z
    };
    for (const auto& [nombreA, urlA, nombreB, urlB, aMenor, bMenor] : rows) {
        SCOPED_TRACE(testing::Message() << nombreA << "," << urlA << " vs " << nombreB << "," << urlB);
        EXPECT_EQ(aMenor, Entrada(nombreA, urlA) < Entrada(nombreB, urlB));
        EXPECT_EQ(bMenor, Entrada(nombreB, urlB) < Entrada(nombreA, urlA));
    }
    // The service texts and lists play no part.
    EXPECT_FALSE(Entrada(L"n", L"u") < EntradaInterrogada(L"n", L"u"));
    EXPECT_FALSE(EntradaInterrogada(L"n", L"u") < Entrada(L"n", L"u"));
}

TEST(CatalogueCatalogue, InsertaRefusesATakenNameOrAddress)
{
    static const std::tuple<const char*, LPCWSTR, LPCWSTR, bool> rows[] = {
        {"new name and address", L"d", L"ud", true},
        {"name taken", L"b", L"ud", false},
        {"address taken", L"d", L"uc", false},
        {"name differs only in case", L"B", L"ud", true},
        {"name with a trailing blank", L"a ", L"ud", true},
    };
    for (const auto& [caso, nombre, url, aceptada] : rows) {
        SCOPED_TRACE(caso);
        CDataConectaURL catalogo = CatalogoABC();
        catalogo.m_seleccionURL = 1;
        const CDireccionURL entrada = EntradaInterrogada(nombre, url);
        EXPECT_EQ(aceptada, catalogo.Inserta(entrada));

        std::vector<CDireccionURL> esperadas = CatalogoABC().m_direcciones;
        if (aceptada)
            esperadas.push_back(entrada);  // appended whole, lists included
        EXPECT_EQ(MiembrosDe(esperadas), MiembrosDe(catalogo.m_direcciones));
        EXPECT_EQ(1, catalogo.m_seleccionURL);
    }
}

TEST(CatalogueCatalogue, InsertaTreatsTheEmptyNameAndAddressAsTaken)
{
    CDataConectaURL catalogo;
    EXPECT_TRUE(catalogo.Inserta(Entrada(L"", L"")));
    EXPECT_FALSE(catalogo.Inserta(Entrada(L"", L"u")));
    EXPECT_FALSE(catalogo.Inserta(Entrada(L"n", L"")));
    EXPECT_EQ(1u, catalogo.Cantidad());
}

TEST(CatalogueCatalogue, ModificaReplacesOnlyWhenNoOtherEntryClashes)
{
    static const std::tuple<const char*, unsigned int, LPCWSTR, LPCWSTR, bool> rows[] = {
        {"keeps its own name and address", 1, L"b", L"ub", true},
        {"its own name, new address", 1, L"b", L"ux", true},
        {"name of another entry", 1, L"a", L"ux", false},
        {"address of another entry", 1, L"x", L"uc", false},
        {"index equal to the count", 3, L"x", L"ux", false},
    };
    for (const auto& [caso, indice, nombre, url, aceptada] : rows) {
        SCOPED_TRACE(caso);
        CDataConectaURL catalogo = CatalogoABC();
        catalogo.m_seleccionURL = 0;
        const CDireccionURL entrada = EntradaInterrogada(nombre, url);
        EXPECT_EQ(aceptada, catalogo.Modifica(indice, entrada));

        std::vector<CDireccionURL> esperadas = CatalogoABC().m_direcciones;
        if (aceptada)
            esperadas[indice] = entrada;  // every member replaced
        EXPECT_EQ(MiembrosDe(esperadas), MiembrosDe(catalogo.m_direcciones));
        EXPECT_EQ(0, catalogo.m_seleccionURL);
    }
}

TEST(CatalogueCatalogue, BorraRemovesInPlaceAndKeepsTheSelectionNumber)
{
    const std::tuple<const char*, unsigned int, bool, std::vector<CString>> rows[] = {
        {"first", 0, true, {L"b", L"c"}},
        {"last", 2, true, {L"a", L"b"}},
        {"index equal to the count", 3, false, {L"a", L"b", L"c"}},
    };
    for (const auto& [caso, indice, aceptada, quedan] : rows) {
        SCOPED_TRACE(caso);
        CDataConectaURL catalogo = CatalogoABC();
        catalogo.m_seleccionURL = 2;
        EXPECT_EQ(aceptada, catalogo.Borra(indice));
        EXPECT_EQ(quedan, Nombres(catalogo));
        EXPECT_EQ(2, catalogo.m_seleccionURL);
    }
}

TEST(CatalogueCatalogue, OutOfRangeReadsGiveAnEmptyRecord)
{
    // Seleccion() with m_seleccionURL, and [] with the same number as unsigned (-1: far out of range; the
    // fresh catalogue's choice, capi_test). Each row: the number, and the entry it reads or -1 for the empty record.
    static const std::pair<int, int> rows[] = {{-1, -1}, {-2, -1}, {0, 0}, {1, 1}, {2, 2}, {3, -1}, {0x7FFFFFFF, -1}};
    for (const auto& [indice, entrada] : rows) {
        SCOPED_TRACE(testing::Message() << "index " << indice);
        CDataConectaURL catalogo = CatalogoABC();
        catalogo.m_seleccionURL = indice;
        const Registro esperado = entrada < 0 ? kRegistroVacio : MiembrosDe(CatalogoABC().m_direcciones[entrada]);
        EXPECT_EQ(esperado, MiembrosDe(catalogo.Seleccion()));
        EXPECT_EQ(esperado, MiembrosDe(catalogo[static_cast<unsigned int>(indice)]));
    }
}

TEST(CatalogueCatalogue, CopiesAreWholeAndIndependent)
{
    // Entries and records are copied and assigned member by member, self-assignment included.
    CDataConectaURL referencia = CatalogoCompleto();
    referencia.m_direcciones[0] = EntradaInterrogada(L"a", L"ua");
    CDataConectaURL original = referencia;
    CDataConectaURL copia(original);
    CDataConectaURL asignada;
    asignada.CargaURLPorDefecto();  // replaced, not appended to
    asignada = original;
    CDataConectaURL& mismo = original;
    original = mismo;
    CDireccionURL& misma = original.m_direcciones[0];
    misma = original.m_direcciones[0];

    for (CDataConectaURL* otro : {&copia, &asignada, &original}) {
        EXPECT_EQ(MiembrosDe(referencia.m_direcciones), MiembrosDe(otro->m_direcciones));
        ExpectSameChoice(referencia, *otro);
    }
    copia.m_direcciones[0].m_capas.clear();
    asignada.Borra(1);
    asignada.m_seleccionCapa = L"otra";
    EXPECT_EQ(MiembrosDe(referencia.m_direcciones), MiembrosDe(original.m_direcciones));
    ExpectSameChoice(referencia, original);
}

TEST(CatalogueDefaults, AppendsTheFiveServersWithoutTheRulesOfInserta)
{
    CDataConectaURL catalogo = CatalogoABC();
    catalogo.m_seleccionURL = 4;
    catalogo.CargaURLPorDefecto();
    catalogo.CargaURLPorDefecto();
    std::vector<CDireccionURL> esperadas = CatalogoABC().m_direcciones;
    esperadas.insert(esperadas.end(), kPorDefecto.begin(), kPorDefecto.end());
    esperadas.insert(esperadas.end(), kPorDefecto.begin(), kPorDefecto.end());
    EXPECT_EQ(MiembrosDe(esperadas), MiembrosDe(catalogo.m_direcciones));  // nothing else set
    EXPECT_EQ(4, catalogo.m_seleccionURL);
}

TEST(CatalogueOrdering, SortsByNameThenAddressAndKeepsTheSelectionNumber)
{
    // The order of two entries: CatalogueRecord.
    const std::tuple<const char*, std::vector<CDireccionURL>, std::vector<CString>, std::vector<CString>> rows[] = {
        {"b, B, a, a", {Entrada(L"b", L"1"), Entrada(L"B", L"2"), Entrada(L"a", L"3"), Entrada(L"a", L"0")},
         {L"B", L"a", L"a", L"b"}, {L"2", L"0", L"3", L"1"}},
        {"empty catalogue", {}, {}, {}},
    };
    for (const auto& [caso, entradas, nombres, urls] : rows) {
        SCOPED_TRACE(caso);
        CDataConectaURL catalogo;
        catalogo.m_direcciones = entradas;
        catalogo.m_seleccionURL = 1;
        catalogo.Ordenar();
        EXPECT_EQ(nombres, Nombres(catalogo));
        EXPECT_EQ(urls, Urls(catalogo));
        EXPECT_EQ(1, catalogo.m_seleccionURL);
    }
}
