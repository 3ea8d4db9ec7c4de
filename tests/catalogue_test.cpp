// Tests of the server catalogue: the entry record's ordering and copies, and CDataConectaURL's rules.
#include <afxwin.h>

#include <DataConectaURL.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

void PrintTo(const CString& texto, std::ostream* os) { *os << ::testing::PrintToString(std::wstring(texto.GetString())); }

namespace {

CDireccionURL Entrada(LPCWSTR nombre, LPCWSTR url)
{
    CDireccionURL entrada;
    entrada.m_nombre = nombre;
    entrada.m_url = url;
    return entrada;
}

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

std::vector<CString> Nombres(const CDataConectaURL& catalogo)
{
    std::vector<CString> nombres;
    for (const CDireccionURL& entrada : catalogo.m_direcciones)
        nombres.push_back(entrada.m_nombre);
    return nombres;
}

void ExpectEmptyRecord(const CDireccionURL& entrada)
{
    for (const CString* texto : {&entrada.m_nombre, &entrada.m_url, &entrada.m_metadato1, &entrada.m_metadato2,
                                 &entrada.m_metadato3, &entrada.m_metadato4})
        EXPECT_TRUE(texto->IsEmpty()) << static_cast<LPCWSTR>(*texto);
    EXPECT_TRUE(entrada.m_listaAuxiliar.empty());
    EXPECT_TRUE(entrada.m_capas.empty());
    EXPECT_TRUE(entrada.m_sistemasReferencia.empty());
}

void ExpectSameRecord(const CDireccionURL& esperada, const CDireccionURL& real)
{
    EXPECT_STREQ(esperada.m_nombre, real.m_nombre);
    EXPECT_STREQ(esperada.m_url, real.m_url);
    EXPECT_STREQ(esperada.m_metadato1, real.m_metadato1);
    EXPECT_STREQ(esperada.m_metadato2, real.m_metadato2);
    EXPECT_STREQ(esperada.m_metadato3, real.m_metadato3);
    EXPECT_STREQ(esperada.m_metadato4, real.m_metadato4);
    EXPECT_EQ(esperada.m_listaAuxiliar, real.m_listaAuxiliar);
    EXPECT_EQ(esperada.m_capas, real.m_capas);
    EXPECT_EQ(esperada.m_sistemasReferencia, real.m_sistemasReferencia);
}

}  // namespace

TEST(CatalogueRecord, OrdersByNameThenAddressOrdinally)
{
    struct Row {
        LPCWSTR nombreA, urlA, nombreB, urlB;
        bool aMenor, bMenor;
    };
    static const Row rows[] = {
        {L"B", L"x", L"a", L"x", true, false},   // upper case before lower case
        {L"a", L"x", L"b", L"x", true, false},
        {L"", L"z", L"A", L"a", true, false},    // the empty name first
        {L"n", L"u1", L"n", L"u2", true, false}, // same name: by address
        {L"n", L"U", L"n", L"u", true, false},
        {L"n", L"u", L"n", L"u", false, false},  // equivalent
        {L"ab", L"x", L"a", L"y", false, true},  // a prefix sorts first
        {L"\u00e1", L"x", L"z", L"x", false, true}, // code units, not locale: U+00E1 after z
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.nombreA << "," << row.urlA << " vs " << row.nombreB << "," << row.urlB);
        const CDireccionURL a = Entrada(row.nombreA, row.urlA);
        const CDireccionURL b = Entrada(row.nombreB, row.urlB);
        EXPECT_EQ(row.aMenor, a < b);
        EXPECT_EQ(row.bMenor, b < a);
    }
}

TEST(CatalogueRecord, IgnoresServiceTextsAndListsWhenOrdering)
{
    const CDireccionURL simple = Entrada(L"n", L"u");
    const CDireccionURL interrogada = EntradaInterrogada(L"n", L"u");
    EXPECT_FALSE(simple < interrogada);
    EXPECT_FALSE(interrogada < simple);
    EXPECT_FALSE(CDireccionURL() < CDireccionURL());
}

TEST(CatalogueRecord, StartsEmpty) { ExpectEmptyRecord(CDireccionURL()); }

TEST(CatalogueRecord, CopiesAreIndependent)
{
    const CDireccionURL original = EntradaInterrogada(L"n", L"u");

    CDireccionURL copia(original);
    ExpectSameRecord(original, copia);
    CDireccionURL asignada;
    asignada = original;
    ExpectSameRecord(original, asignada);

    for (CDireccionURL* cambiada : {&copia, &asignada}) {
        cambiada->m_nombre = L"otro";
        cambiada->m_capas.push_back(L"capa3");
        cambiada->m_sistemasReferencia.clear();
    }
    ExpectSameRecord(EntradaInterrogada(L"n", L"u"), original);
}

TEST(CatalogueRecord, SelfAssignmentChangesNothing)
{
    CDireccionURL entrada = EntradaInterrogada(L"n", L"u");
    CDireccionURL& mismo = entrada;
    entrada = mismo;
    ExpectSameRecord(EntradaInterrogada(L"n", L"u"), entrada);
}

TEST(CatalogueCatalogue, StartsWithNoEntriesAndNoSelection)
{
    const CDataConectaURL catalogo;
    EXPECT_EQ(0u, catalogo.Cantidad());
    EXPECT_EQ(-1, catalogo.m_seleccionURL);
    EXPECT_EQ(1, catalogo.m_cargar);
    EXPECT_TRUE(catalogo.m_seleccionCapa.IsEmpty());
    EXPECT_TRUE(catalogo.m_seleccionSR.IsEmpty());
    EXPECT_TRUE(catalogo.m_archivoSalida.IsEmpty());
    ExpectEmptyRecord(catalogo.Seleccion());
}

TEST(CatalogueCatalogue, InsertaRefusesATakenNameOrAddress)
{
    struct Row {
        const char* caso;
        LPCWSTR nombre, url;
        bool aceptada;
    };
    static const Row rows[] = {
        {"new name and address", L"d", L"ud", true},
        {"name taken", L"b", L"ud", false},
        {"address taken", L"d", L"uc", false},
        {"both taken by different entries", L"a", L"ub", false},
        {"name differs only in case", L"B", L"ud", true},
        {"address differs only in case", L"d", L"UA", true},
        {"name with a trailing blank", L"a ", L"ud", true},
        {"empty name, first time", L"", L"ud", true},
        {"empty address, first time", L"d", L"", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.caso);
        CDataConectaURL catalogo = CatalogoABC();
        catalogo.m_seleccionURL = 1;
        const CDireccionURL entrada = EntradaInterrogada(row.nombre, row.url);

        EXPECT_EQ(row.aceptada, catalogo.Inserta(entrada));

        EXPECT_EQ(row.aceptada ? 4u : 3u, catalogo.Cantidad());
        EXPECT_EQ(1, catalogo.m_seleccionURL);
        if (row.aceptada)
            ExpectSameRecord(entrada, catalogo[3]);  // appended whole, lists included
        const std::vector<CString> nombres = Nombres(catalogo);
        EXPECT_EQ((std::vector<CString>{L"a", L"b", L"c"}), std::vector<CString>(nombres.begin(), nombres.begin() + 3));
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
    struct Row {
        const char* caso;
        unsigned int indice;
        LPCWSTR nombre, url;
        bool aceptada;
    };
    static const Row rows[] = {
        {"keeps its own name and address", 1, L"b", L"ub", true},
        {"new name and address", 1, L"x", L"ux", true},
        {"its own name, new address", 1, L"b", L"ux", true},
        {"name of another entry", 1, L"a", L"ux", false},
        {"address of another entry", 1, L"x", L"uc", false},
        {"index equal to the count", 3, L"x", L"ux", false},
        {"index far out of range", 0xFFFFFFFFu, L"x", L"ux", false},
        {"last entry", 2, L"z", L"uz", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.caso);
        CDataConectaURL catalogo = CatalogoABC();
        catalogo.m_seleccionURL = 0;
        const CDireccionURL entrada = EntradaInterrogada(row.nombre, row.url);

        EXPECT_EQ(row.aceptada, catalogo.Modifica(row.indice, entrada));

        ASSERT_EQ(3u, catalogo.Cantidad());
        EXPECT_EQ(0, catalogo.m_seleccionURL);
        for (unsigned int i = 0; i < 3; ++i) {
            if (row.aceptada && i == row.indice)
                ExpectSameRecord(entrada, catalogo[i]);  // every member replaced
            else
                ExpectSameRecord(CatalogoABC()[i], catalogo[i]);
        }
    }
}

TEST(CatalogueCatalogue, BorraRemovesInPlaceAndKeepsTheSelectionNumber)
{
    struct Row {
        const char* caso;
        unsigned int indice;
        bool aceptada;
        std::vector<CString> quedan;
    };
    const Row rows[] = {
        {"first", 0, true, {L"b", L"c"}},
        {"middle", 1, true, {L"a", L"c"}},
        {"last", 2, true, {L"a", L"b"}},
        {"index equal to the count", 3, false, {L"a", L"b", L"c"}},
        {"index far out of range", 0xFFFFFFFFu, false, {L"a", L"b", L"c"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.caso);
        CDataConectaURL catalogo = CatalogoABC();
        catalogo.m_seleccionURL = 2;
        EXPECT_EQ(row.aceptada, catalogo.Borra(row.indice));
        EXPECT_EQ(row.quedan, Nombres(catalogo));
        EXPECT_EQ(2, catalogo.m_seleccionURL);
    }
    CDataConectaURL vacio;
    EXPECT_FALSE(vacio.Borra(0));
}

TEST(CatalogueCatalogue, OutOfRangeReadsGiveAnEmptyRecord)
{
    struct Row {
        int seleccion;
        LPCWSTR nombreEsperado;  // null: empty record
    };
    static const Row rows[] = {
        {-1, nullptr}, {0, L"a"}, {2, L"c"}, {3, nullptr}, {-2, nullptr}, {0x7FFFFFFF, nullptr},
    };
    const CDataConectaURL referencia = CatalogoABC();
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "m_seleccionURL " << row.seleccion);
        CDataConectaURL catalogo = CatalogoABC();
        catalogo.m_seleccionURL = row.seleccion;
        if (row.nombreEsperado == nullptr)
            ExpectEmptyRecord(catalogo.Seleccion());
        else
            EXPECT_STREQ(row.nombreEsperado, catalogo.Seleccion().m_nombre);
    }
    ExpectEmptyRecord(referencia[3]);
    ExpectEmptyRecord(referencia[0xFFFFFFFFu]);
    EXPECT_STREQ(L"b", referencia[1].m_nombre);
}

TEST(CatalogueCatalogue, ReadsHandOutCopies)
{
    CDataConectaURL catalogo = CatalogoABC();
    catalogo.m_seleccionURL = 0;
    CDireccionURL leida = catalogo[0];
    leida.m_nombre = L"cambiada";
    CDireccionURL seleccionada = catalogo.Seleccion();
    seleccionada.m_capas.push_back(L"capa");
    EXPECT_STREQ(L"a", catalogo.m_direcciones[0].m_nombre);
    EXPECT_TRUE(catalogo.m_direcciones[0].m_capas.empty());
}

TEST(CatalogueCatalogue, CopiesAreIndependent)
{
    CDataConectaURL original = CatalogoABC();
    original.m_direcciones[0] = EntradaInterrogada(L"a", L"ua");
    original.m_seleccionURL = 2;
    original.m_seleccionCapa = L"capa1";
    original.m_seleccionSR = L"EPSG:4326";
    original.m_archivoSalida = L"C:\\salida.tif";
    original.m_cargar = 2;

    CDataConectaURL copia(original);
    CDataConectaURL asignada;
    asignada.CargaURLPorDefecto();  // replaced, not appended to
    asignada = original;
    for (CDataConectaURL* otro : {&copia, &asignada}) {
        ASSERT_EQ(3u, otro->Cantidad());
        ExpectSameRecord(original[0], (*otro)[0]);
        EXPECT_EQ(2, otro->m_seleccionURL);
        EXPECT_STREQ(L"capa1", otro->m_seleccionCapa);
        EXPECT_STREQ(L"EPSG:4326", otro->m_seleccionSR);
        EXPECT_STREQ(L"C:\\salida.tif", otro->m_archivoSalida);
        EXPECT_EQ(2, otro->m_cargar);

        otro->m_direcciones[0].m_capas.clear();
        otro->Borra(1);
        otro->m_seleccionCapa = L"otra";
    }
    EXPECT_EQ(3u, original.Cantidad());
    EXPECT_EQ(3u, original.m_direcciones[0].m_capas.size());
    EXPECT_STREQ(L"capa1", original.m_seleccionCapa);

    CDataConectaURL& mismo = original;
    original = mismo;
    EXPECT_EQ(3u, original.Cantidad());
    EXPECT_EQ(3u, original.m_direcciones[0].m_capas.size());
}

TEST(CatalogueDefaults, AppendsTheFiveServersInOrder)
{
    struct Row {
        LPCWSTR nombre, url;
    };
    static const Row rows[] = {
        {L"PNOA", L"http://www.ign.es/wms-inspire/pnoa-ma"},
        {L"NOAA", L"http://nowcoast.noaa.gov/wms/?request=GetCapabilities&service=wms"},
        {L"Catastro", L"http://ovc.catastro.meh.es/Cartografia/WMS/ServidorWMS.aspx"},
        {L"Cartografia IGN", L"http://www.ign.es/wms-inspire/mapa-raster "},
        {L"MDT IGN", L"http://www.ign.es/wms-inspire/mdt"},
    };
    CDataConectaURL catalogo;
    catalogo.m_seleccionURL = 4;
    catalogo.CargaURLPorDefecto();
    ASSERT_EQ(5u, catalogo.Cantidad());
    for (unsigned int i = 0; i < 5; ++i) {
        SCOPED_TRACE(testing::Message() << "entry " << i);
        const CDireccionURL entrada = catalogo[i];
        EXPECT_STREQ(rows[i].nombre, entrada.m_nombre);
        EXPECT_STREQ(rows[i].url, entrada.m_url);
        ExpectSameRecord(Entrada(rows[i].nombre, rows[i].url), entrada);  // nothing else set
    }
    EXPECT_EQ(4, catalogo.m_seleccionURL);
}

TEST(CatalogueDefaults, AppendsWithoutTheRulesOfInserta)
{
    CDataConectaURL catalogo = CatalogoABC();
    catalogo.CargaURLPorDefecto();
    catalogo.CargaURLPorDefecto();
    ASSERT_EQ(13u, catalogo.Cantidad());
    EXPECT_STREQ(L"a", catalogo[0].m_nombre);
    EXPECT_STREQ(L"PNOA", catalogo[3].m_nombre);
    EXPECT_STREQ(L"PNOA", catalogo[8].m_nombre);
    EXPECT_FALSE(catalogo.Inserta(Entrada(L"PNOA", L"http://otra")));
    EXPECT_FALSE(catalogo.Inserta(Entrada(L"Otra", L"http://www.ign.es/wms-inspire/mdt")));
    EXPECT_EQ(13u, catalogo.Cantidad());
}

TEST(CatalogueOrdering, SortsByNameThenAddressAndKeepsTheSelectionNumber)
{
    struct Row {
        const char* caso;
        std::vector<CDireccionURL> entradas;
        std::vector<CString> nombres, urls;
    };
    const Row rows[] = {
        {"b, B, a", {Entrada(L"b", L"1"), Entrada(L"B", L"2"), Entrada(L"a", L"3")},
         {L"B", L"a", L"b"}, {L"2", L"3", L"1"}},
        {"same names by address", {Entrada(L"n", L"u3"), Entrada(L"n", L"U9"), Entrada(L"n", L"u1")},
         {L"n", L"n", L"n"}, {L"U9", L"u1", L"u3"}},
        {"already sorted", {Entrada(L"A", L"1"), Entrada(L"B", L"2")}, {L"A", L"B"}, {L"1", L"2"}},
        {"empty name first", {Entrada(L"x", L"1"), Entrada(L"", L"2")}, {L"", L"x"}, {L"2", L"1"}},
        {"empty catalogue", {}, {}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.caso);
        CDataConectaURL catalogo;
        catalogo.m_direcciones = row.entradas;
        catalogo.m_seleccionURL = 1;
        catalogo.Ordenar();
        std::vector<CString> urls;
        for (const CDireccionURL& entrada : catalogo.m_direcciones)
            urls.push_back(entrada.m_url);
        EXPECT_EQ(row.nombres, Nombres(catalogo));
        EXPECT_EQ(row.urls, urls);
        EXPECT_EQ(1, catalogo.m_seleccionURL);
    }
}
