// wms_parse_test.cpp: the capabilities reader of NadirWMS.dll on the corpus and on broken answers.
#include "ExcepcionCapacidades.h"
#include "LecturaEnParalelo.h"
#include "LectorCapacidades.h"

#include "Nadir/OpenGIS/WMS/NegociadorWMS.h"

#include "NadirTestSupport.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <sstream>

using Nadir::OpenGIS::WMS::BoundingBox;
using Nadir::OpenGIS::WMS::Capacidades;
using Nadir::OpenGIS::WMS::ExcepcionCapacidades;
using Nadir::OpenGIS::WMS::Layer;
using Nadir::OpenGIS::WMS::LecturaEnParalelo;
using Nadir::OpenGIS::WMS::LectorCapacidades;
using Nadir::OpenGIS::WMS::NegociadorWMS;
using Motivo = ExcepcionCapacidades::Motivo;

namespace {

const std::filesystem::path kCorpus = ORTUS_CORPUS_DIR;

std::string Documento(const char* nombre)
{
    std::string bytes = LeeArchivo(kCorpus / nombre);
    EXPECT_FALSE(bytes.empty()) << "missing corpus file " << nombre;
    return bytes;
}

Capacidades Lee(const std::string& bytes, const CString& tipoContenido = CString())
{
    return LectorCapacidades::Lee(bytes, tipoContenido, L"test");
}

// The failure a document causes; fails the test when it is read without one.
ExcepcionCapacidades Falla(const std::string& bytes, const CString& tipoContenido = CString())
{
    try {
        Lee(bytes, tipoContenido);
    } catch (const ExcepcionCapacidades& e) {
        return e;
    }
    ADD_FAILURE() << "read without failing";
    return ExcepcionCapacidades::Vacio(L"(nothing failed)");
}

std::vector<std::wstring> NombresDeHojas(const std::shared_ptr<Layer>& raiz)
{
    std::vector<std::wstring> nombres;
    for (const Layer* capa : Capas(raiz))
        if (capa->GetLayers().empty())
            nombres.push_back(Texto(capa->GetName()));
    return nombres;
}

// All a user is shown of a document, to compare two readings of it: texts, each layer's texts and place in
// the tree, and the effective systems of the first layers (mass_gis states 6,000 at its root).
std::wstring Resumen(const Capacidades& c)
{
    std::wstring resumen = Texto(c.version + L"|" + c.titulo + L"|" + c.resumen + L"|" + c.organizacion + L"|" +
                                 c.persona + L"|" + c.correo + L"|" + c.tarifas + L"|" + c.restricciones + L"|" +
                                 c.urlGetMap);
    const std::vector<const Layer*> capas = Capas(c.capaRaiz);
    for (size_t i = 0; i < capas.size(); ++i) {
        resumen += Texto(L"\n" + capas[i]->GetName() + L"|" + capas[i]->GetTitle() + L"|" + capas[i]->GetAbstract());
        resumen += L"|" + std::to_wstring(capas[i]->GetLayers().size());
        for (const BoundingBox& caja : i < 50 ? capas[i]->GetSRS() : std::vector<BoundingBox>())
            resumen += L" " + Texto(caja.srs);
    }
    return resumen;
}

std::string Utf16(const std::string& utf8, bool granIndio, bool marca)
{
    std::string bytes;
    for (const wchar_t c : (marca ? L"\xFEFF" : L"") + Win32::Utf16(utf8)) {
        bytes += static_cast<char>(granIndio ? c >> 8 : c & 0xFF);
        bytes += static_cast<char>(granIndio ? c & 0xFF : c >> 8);
    }
    return bytes;
}

// A minimal 1.3.0 document around the given Service and Capability contents.
std::string Wms130(const std::string& servicio, const std::string& capacidad)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<WMS_Capabilities version=\"1.3.0\" xmlns=\"http://www.opengis.net/wms\" "
           "xmlns:xlink=\"http://www.w3.org/1999/xlink\">\n<Service><Name>WMS</Name>" +
           servicio + "</Service>\n<Capability>" + capacidad + "</Capability>\n</WMS_Capabilities>\n";
}

// A row of the table in fixtures/corpus/SOURCES.md: the file, its WMS version ("SER ..." for a
// ServiceExceptionReport), and its Layer elements and leaves as xml.etree counts them (oracle.py).
struct FilaCorpus {
    std::string archivo;
    std::string version;
    int capas = 0;
    int hojas = 0;
};

std::vector<FilaCorpus> TablaDelCorpus()
{
    std::vector<FilaCorpus> filas;
    std::istringstream lineas(LeeArchivo(kCorpus / "SOURCES.md"));
    for (std::string linea; std::getline(lineas, linea);) {
        // | file | repository | path | commit | licence | WMS version | size | Layer | leaves | note |
        std::vector<std::string> celdas;
        std::istringstream partes(linea);
        for (std::string celda; std::getline(partes, celda, '|');) {
            celda.erase(0, celda.find_first_not_of(' '));
            celda.erase(celda.find_last_not_of(' ') + 1);
            celdas.push_back(celda);
        }
        if (celdas.size() >= 10 && celdas[1].ends_with(".xml"))
            filas.push_back({celdas[1], celdas[6], std::atoi(celdas[8].c_str()), std::atoi(celdas[9].c_str())});
    }
    return filas;
}

}  // namespace

TEST(WmsParseCorpus, EveryDocumentIsReadOrRefusedAsSourcesMdCountsIt)
{
    const std::vector<FilaCorpus> filas = TablaDelCorpus();
    ASSERT_EQ(58u, filas.size());
    const auto archivos = std::count_if(std::filesystem::directory_iterator(kCorpus), {},
                                        [](const auto& entrada) { return entrada.path().extension() == ".xml"; });
    EXPECT_EQ(58, archivos);  // and each is a row, or Documento fails below
    for (const FilaCorpus& fila : filas) {
        SCOPED_TRACE(fila.archivo);
        const std::string bytes = Documento(fila.archivo.c_str());
        if (fila.version.rfind("SER", 0) == 0) {
            EXPECT_EQ(Motivo::InformeDeExcepcion, Falla(bytes).m_motivo);
            continue;
        }
        const Capacidades c = Lee(bytes);
        EXPECT_EQ(fila.version, Utf8(c.version));
        if (fila.capas == 0) {
            EXPECT_FALSE(c.titulo.IsEmpty());  // no layer, no root, but the service is still named
        }
        // Its two top layers are the corpus's only ones: the reader puts them under an unnamed root
        // with the service's title and no system of its own.
        const bool sintetica = fila.archivo == "terriajs__wms_nested_groups.xml";
        if (sintetica) {
            ASSERT_TRUE(c.capaRaiz);
            EXPECT_STREQ(L"", c.capaRaiz->GetName());
            EXPECT_STREQ(L"Digital Earth Australia - OGC Web Services", c.capaRaiz->GetTitle());
            EXPECT_EQ(2u, c.capaRaiz->GetLayers().size());
            EXPECT_TRUE(c.capaRaiz->GetSRS().empty());
        }
        EXPECT_EQ(fila.capas + sintetica, static_cast<int>(Capas(c.capaRaiz).size()));
        EXPECT_EQ(fila.hojas, static_cast<int>(NombresDeHojas(c.capaRaiz).size()));
    }
}

// Leaf names as xml.etree finds them walking the document depth first.
TEST(WmsParseLayers, LeavesComeInDocumentOrder)
{
    EXPECT_EQ((std::vector<std::wstring>{L"g1sg1l1", L"g1sg1l2", L"g1sg2l1", L"g2sg3l1", L"g3l1", L"g3sg4l1"}),
              NombresDeHojas(Lee(Documento("mapserver__wms_layer_groups_caps111.xml")).capaRaiz));
}

// "srs minx,miny,maxx,maxy" for each system, "srs" alone where it has no box.
std::wstring Efectivos(const std::vector<BoundingBox>& cajas)
{
    std::wostringstream texto;
    for (const BoundingBox& caja : cajas) {
        texto << L" " << caja.srs.GetString();
        if (caja.tieneExtension)
            texto << L" " << caja.minx << L"," << caja.miny << L"," << caja.maxx << L"," << caja.maxy;
    }
    return texto.str();
}

TEST(WmsParseLayers, InheritanceRulesOnAHandBuiltTree)
{
    using Cajas = std::vector<BoundingBox>;
    using Hijas = std::vector<std::shared_ptr<Layer>>;
    using Sistemas = std::vector<CString>;
    auto hoja = std::make_shared<Layer>(L"hoja", L"", L"", Sistemas{L"epsg:4326", L"EPSG:3857", L"EPSG:3857"},
                                        Cajas{{L"EPSG:4326", 7, 0, 8, 1, true}, {L"EPSG:4326", 8, 0, 9, 1, true}},
                                        Hijas{});
    auto grupo = std::make_shared<Layer>(L"", L"", L"", Sistemas{L"EPSG:25830"},
                                         Cajas{{L"EPSG:3857", 5, 0, 6, 1, true}, {L"EPSG:25830", 6, 0, 7, 1, true}},
                                         Hijas{hoja});
    auto raiz = std::make_shared<Layer>(L"", L"", L"", Sistemas{L"EPSG:4326", L"CRS:84"},
                                        Cajas{{L"EPSG:4326", 1, 0, 2, 1, true}, {L"CRS:84", 2, 0, 3, 1, true}},
                                        Hijas{grupo});
    raiz.reset();
    grupo.reset();  // a layer kept alone still knows what it inherits

    // The root's spelling with the leaf's own first box; CRS:84 boxed by the root only; the group's system;
    // one declared by the leaf and boxed by the group.
    EXPECT_EQ(L" EPSG:4326 7,0,8,1 CRS:84 2,0,3,1 EPSG:25830 6,0,7,1 EPSG:3857 5,0,6,1", Efectivos(hoja->GetSRS()));

    // 1.0.0 lists its four codes in one SRS element; the fifth is the road layer's own.
    EXPECT_EQ(5u, Lee(Documento("mapserver__wms_cap100.xml")).capaRaiz->GetLayers().at(0)->GetSRS().size());
}

// Values as the xml.etree reading gives them: Service texts collapsed, "none" left out, the parts joined.
TEST(WmsParseMetadata, ServiceTextsAsTheUserSeesThem)
{
    const auto sencillo = NegociadorWMS::CreaClienteWMS(Documento("mapserver__wms_cap.xml"), L"test");
    EXPECT_STREQ(L"WMS 1.1.1", sencillo->GetMetadato4());
    EXPECT_STREQ(L"image/png; mode=24bit", sencillo->GetFormatosGetMap().at(1));
    const auto escapado = NegociadorWMS::CreaClienteWMS(Documento("mapserver__wms111_test_xml_escaping.xml"), L"test");
    EXPECT_STREQ(L"title & title", escapado->GetMetadato1());
    EXPECT_STREQ(L"abstract&abstract", escapado->GetMetadato2());
    EXPECT_STREQ(L"contactorganization&contactorganization - contactperson&contactperson - "
                 L"contactelectronicmailaddress&contactelectronicmailaddress",
                 escapado->GetMetadato3());
    EXPECT_STREQ(L"WMS 1.1.1 - fees&fees - accessconstraints&accessconstraints", escapado->GetMetadato4());
    EXPECT_STREQ(L"http://localhost/path/to/ows_test_xml_escaping?myparam=something&", escapado->GetUrlGetMap());
}

TEST(WmsParseMetadata, OtherNamespacesAndTheirSubtreesAreSkipped)
{
    const std::string documento = Wms130(
        "<Title>Real</Title><x:Title xmlns:x=\"urn:other\">Wrong</x:Title>"
        "<x:Extended xmlns:x=\"urn:other\"><Fees xmlns=\"http://www.opengis.net/wms\">Wrong</Fees></x:Extended>",
        "<Layer><Name>kept</Name><x:Layer xmlns:x=\"urn:other\"><Name>hidden</Name></x:Layer></Layer>");
    const Capacidades c = Lee(documento);
    EXPECT_STREQ(L"Real", c.titulo);
    EXPECT_STREQ(L"", c.tarifas);
    EXPECT_EQ(std::vector<std::wstring>{L"kept"}, NombresDeHojas(c.capaRaiz));

    const Capacidades prefijada = Lee(
        "<wms:WMS_Capabilities version=\"1.3.0\" xmlns:wms=\"http://www.opengis.net/wms\"><wms:Service>"
        "<wms:Title>  Spaced \n\t out  </wms:Title></wms:Service></wms:WMS_Capabilities>");
    EXPECT_STREQ(L"Spaced out", prefijada.titulo);
}

// An answer read as it arrives, in pieces of the given size, on the caller's thread or on another.
Capacidades LeeEnTrozos(std::string_view bytes, const CString& tipoContenido, size_t trozo, bool enParalelo)
{
    LecturaEnParalelo lector(tipoContenido, L"test", enParalelo);
    while (!bytes.empty()) {
        const size_t largo = std::min(trozo, bytes.size());
        std::memcpy(lector.Espacio(largo).data(), bytes.data(), largo);
        lector.Agrega(largo);
        bytes.remove_prefix(largo);
    }
    return lector.Termina();
}

// What a reading gives, or how it fails, to compare two readings of one answer.
std::wstring ResumenOFallo(const std::function<Capacidades()>& lee)
{
    try {
        return Resumen(lee());
    } catch (const ExcepcionCapacidades& e) {
        return Texto(e.m_mensaje);
    }
}

// Every encoding of a document reads as the document, charsets and repairs as the user sees them, unknown
// encodings refused by name; and pieces cut anywhere (inside a character, the prologue, a name, a reference)
// read as the whole answer, on the caller's thread or on a second one.
TEST(WmsParseStreaming, EveryEncodingAndPiecesOfAnySizeReadAsTheWholeAnswer)
{
    const std::string islandes = Documento("oskari__WMSCapabilitiesParserTest-lmi_1_1_1-input.xml");
    const std::wstring original = Resumen(Lee(islandes));
    ASSERT_NE(std::wstring::npos, original.find(L"\x00F0"));  // ð: the text really is non-ASCII
    const auto servicio = [](const char* titulo) {
        return "<WMS_Capabilities version=\"1.3.0\"><Service><Title>" + std::string(titulo) +
               "</Title></Service></WMS_Capabilities>";
    };
    const struct {
        const char* caso;
        std::string bytes;
        CString tipoContenido;
        const wchar_t* leido;  // in the whole reading: a text, or the encoding refused; null: islandes as read
        std::vector<size_t> trozos;
    } filas[] = {
        {"non-ASCII UTF-8", islandes, {}, nullptr, {1, 2, 3, 5, 4093}},
        {"the first piece ends inside a character", servicio("Caf\xC3\xA9"), {}, L"|Caf\x00E9|", {53, 54, 55}},
        {"UTF-16 LE with mark", Utf16(islandes, false, true), {}, nullptr, {1, 3}},
        {"UTF-16 BE with mark", Utf16(islandes, true, true), {}, nullptr, {3}},
        {"UTF-16 LE without mark", Utf16(islandes, false, false), {}, nullptr, {3}},
        {"ISO-8859-1 declared", Documento("oskari__WMSCapabilitiesParserTest-lmi_1_1_1-input.latin1-derived.xml"), {},
         nullptr, {1}},
        {"header charset without declaration", servicio("Caf\xE9 \x80"),
         L"application/vnd.ogc.wms_xml; charset=\"windows-1252\"", L"|Caf\x00E9 \x20AC|", {1, 2}},
        {"declaration beats header", "<?xml version=\"1.0\" encoding=\"iso-8859-15\"?>" + servicio("\xA4"),
         L"text/xml; charset=UTF-8", L"|\x20AC|", {1}},
        {"invalid UTF-8 (stray, cut, surrogate, overlong, past U+10FFFF): one U+FFFD per byte",
         servicio("Caf\xE9 \xE2\x82 \xED\xA0\x80.\xC0\xAF\xF4\x90\x80\x80 \xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), {},
         L"|Caf\xFFFD \xFFFD\xFFFD \xFFFD\xFFFD\xFFFD.\xFFFD\xFFFD\xFFFD\xFFFD\xFFFD\xFFFD \x00E9\x20AC\xD83D\xDE00|",
         {1, 2, 3}},
        {"undeclared entities expand to nothing", servicio("a&nbsp;b &amp; &#233;<![CDATA[&y;]]>"), {},
         L"|ab & \x00E9&y;|", {1}},
        {"DOCTYPE with an internal subset", Documento("owslib__wms_JPLCapabilities.xml"), {},
         L"|JPL Global Imagery Service|", {1, 7}},
        {"cut short", islandes.substr(0, 20000), {}, L"cut short", {1, 4093}},
        {"unknown declared encoding", "<?xml version=\"1.0\" encoding=\"EBCDIC-US\"?><a/>", {}, L"ebcdic-us", {1}},
        {"UTF-32 mark", std::string("\xFF\xFE\0\0<\0\0\0", 8), {}, L"UTF-32", {1}},
        {"unknown header charset", "<a/>", L"text/xml;charset=x-unknown", L"x-unknown", {1}},
    };
    for (const bool enParalelo : {false, true}) {
        for (const auto& fila : filas) {
            const std::wstring entero = ResumenOFallo([&] { return Lee(fila.bytes, fila.tipoContenido); });
            if (fila.leido) {
                EXPECT_CONTAINS(CString(entero.c_str()), fila.leido) << fila.caso;
            } else {
                EXPECT_EQ(original, entero) << fila.caso;
            }
            for (size_t trozo : fila.trozos) {
                SCOPED_TRACE(std::string(fila.caso) + " in pieces of " + std::to_string(trozo) +
                             (enParalelo ? " on a second thread" : ""));
                EXPECT_EQ(entero, ResumenOFallo([&] {
                              return LeeEnTrozos(fila.bytes, fila.tipoContenido, trozo, enParalelo);
                          }));
            }
        }
        for (const FilaCorpus& fila : TablaDelCorpus()) {
            SCOPED_TRACE(fila.archivo + (enParalelo ? " on a second thread" : ""));
            const std::string bytes = Documento(fila.archivo.c_str());
            EXPECT_EQ(ResumenOFallo([&] { return Lee(bytes); }),
                      ResumenOFallo([&] { return LeeEnTrozos(bytes, CString(), 1021, enParalelo); }));
        }
    }
}

TEST(WmsParseFailures, EachKindIsToldApartWithAClearMessage)
{
    const std::string largo(4000, 'x');
    std::string profundo = "<WMS_Capabilities version=\"1.3.0\">";  // never closed: the reader stops at 257
    for (int i = 0; i < 100000; ++i)
        profundo += "<a>";
    const struct {
        const char* caso;
        std::string bytes;
        Motivo motivo;
        const wchar_t* fragmento;  // found in the message
        int linea;                 // 0: not checked
    } filas[] = {
        {"empty body", "", Motivo::Vacio, L"test sent an empty answer", 0},
        {"plain text", "Internal Server Error\nat line 3", Motivo::NoEsXml,
         L"test sent something that is not XML, so not a WMS capabilities document: "
         L"\x201CInternal Server Error\x201D",
         0},
        {"HTML page", "<!DOCTYPE html>\n<html><head><meta charset=utf-8><title>502</title></head><body><p>x<br></body>",
         Motivo::NoEsCapacidades, L"test sent an HTML page, not a WMS capabilities document", 0},
        {"other document", "<?xml version=\"1.0\"?><feed xmlns=\"http://www.w3.org/2005/Atom\"/>",
         Motivo::NoEsCapacidades, L"test sent a feed document, not a WMS capabilities document", 0},
        {"billion laughs", "<?xml version=\"1.0\"?>\n<!DOCTYPE lolz [\n <!ENTITY lol \"lol\">\n"
                           " <!ENTITY lol1 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">\n"
                           " <!ENTITY lol2 \"&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;\">\n]>\n"
                           "<lolz>&lol2;</lolz>",
         Motivo::NoEsCapacidades, L"a lolz document", 0},
        {"mismatch after blank lines", "\n\n  <?xml version=\"1.0\"?>\n<WMS_Capabilities version=\"1.3.0\">\n<Service>"
                                       "<Title>x</Titel></Service></WMS_Capabilities>",
         Motivo::XmlMalformado, L"test sent malformed XML at line 5, column ", 5},
        {"DOCTYPE never closed", "<?xml version=\"1.0\"?>\n<!DOCTYPE r [ <!ELEMENT a EMPTY>\n<r/>",
         Motivo::XmlMalformado, L"at line 2, column 1: the DOCTYPE declaration is never closed", 2},
        {"100,000 levels deep", profundo, Motivo::DemasiadoProfundo,
         L"nested more than 256 elements deep", 1},
        {"exception with code", Documento("mapserver__wms_exception_updatesequence1.xml"), Motivo::InformeDeExcepcion,
         L"test: the server answered with an exception: CurrentUpdateSequence: msWMSGetCapabilities(): WMS server "
         L"error. UPDATESEQUENCE parameter (123) is equal to server (123)",
         0},
        {"OWS exception report", "<ows:ExceptionReport xmlns:ows=\"http://www.opengis.net/ows/1.1\"><ows:Exception "
                                 "exceptionCode=\"InvalidParameterValue\"><ows:ExceptionText>No service: ( wms )"
                                 "</ows:ExceptionText></ows:Exception></ows:ExceptionReport>",
         Motivo::InformeDeExcepcion, L"exception: InvalidParameterValue: No service: ( wms )", 0},
        {"a stack trace is cut", "<ServiceExceptionReport><ServiceException>" + largo + " tail</ServiceException>"
                                 "</ServiceExceptionReport>",
         Motivo::InformeDeExcepcion, L"xxxxxxxx\x2026", 0},
    };
    for (const auto& fila : filas) {
        SCOPED_TRACE(fila.caso);
        const ExcepcionCapacidades e = Falla(fila.bytes);
        EXPECT_EQ(fila.motivo, e.m_motivo);
        EXPECT_CONTAINS(e.m_mensaje, fila.fragmento);
        if (fila.linea) {
            EXPECT_EQ(fila.linea, e.m_linea);
        }
        EXPECT_LE(e.m_texto.GetLength(), 301);  // a server's text is cut at 300 characters and an ellipsis
    }
}

// Cut at any point, a document fails where it stops. Under Wine a cut inside text, a comment or a
// CDATA section made XmlLite repeat an empty node for ever (this test would hang, then time out),
// and a cut inside an instruction made it close the open elements as if the document were whole.
TEST(WmsParseFailures, ACutShortDocumentFailsWhereItStops)
{
    const std::string entero = Wms130("<Title>t</Title>", "");
    const std::string inicio = entero.substr(0, entero.find("</Service>"));
    const std::string cortes[] = {
        inicio + "<!-- a comment that never", inicio + "<Abstract><![CDATA[ text",
        inicio + "<Abstract><![CDATA[ text ]]", inicio + "<?instruction not", inicio + "<Abstract lang=\"e",
        inicio + "<Abstract>a &am", inicio + "<Abstract>text", inicio + "</Serv",
    };
    for (const std::string& cortado : cortes) {
        SCOPED_TRACE(cortado.substr(cortado.size() - 30));
        const ExcepcionCapacidades e = Falla(cortado);
        EXPECT_EQ(Motivo::XmlMalformado, e.m_motivo);
        EXPECT_EQ(std::count(cortado.begin(), cortado.end(), '\n') + 1, e.m_linea);
        EXPECT_CONTAINS(e.m_mensaje, L"cut short");
    }
}

TEST(WmsParseFailures, ExternalEntitiesAreNeverRead)
{
    wchar_t carpeta[MAX_PATH];
    GetTempPathW(MAX_PATH, carpeta);
    const std::filesystem::path secreto = std::filesystem::path(carpeta) / L"wms_parse_secret.txt";
    std::ofstream(secreto) << "SECRET-CONTENT";
    std::string url = "file:///" + secreto.generic_string();
    const std::string documento = "<?xml version=\"1.0\"?>\n<!DOCTYPE WMS_Capabilities [\n<!ENTITY xxe SYSTEM \"" +
                                  url + "\">\n]>\n<WMS_Capabilities version=\"1.3.0\"><Service><Title>[&xxe;]</Title>"
                                  "</Service><Capability><Layer><Name>&xxe;</Name></Layer></Capability>"
                                  "</WMS_Capabilities>";
    const Capacidades c = Lee(documento);
    std::filesystem::remove(secreto);
    EXPECT_STREQ(L"[]", c.titulo);
    EXPECT_EQ(std::vector<std::wstring>{L""}, NombresDeHojas(c.capaRaiz));
}

TEST(WmsParseFailures, OnlyCommentsMayFollowTheRoot)
{
    EXPECT_STREQ(L"t", Lee(Wms130("<Title>t</Title>", "") + "<!-- 12 ms -->\n<?done?>\n").titulo);
    const ExcepcionCapacidades e = Falla(Wms130("<Title>t</Title>", "") + "Warning: mapserv.c(12)");
    EXPECT_EQ(Motivo::XmlMalformado, e.m_motivo);
    EXPECT_CONTAINS(e.m_mensaje, L"at line 6, column ");
    EXPECT_CONTAINS(e.m_mensaje, L"something follows the end of the document");
}
