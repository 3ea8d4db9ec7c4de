// PrologoXml.h: an XML text made fit for XmlLite: no leading whitespace, a plain declaration, no
// DOCTYPE, no references to entities that nothing declares.
#pragma once

#include "Nadir/NadirExport.h"

#include <afx.h>

#include <string>
#include <string_view>

namespace Nadir::OpenGIS::WMS {

struct TextoPreparado {
    std::string utf8;
    // Line breaks removed before the declaration: XmlLite's line numbers are this much short.
    int lineasQuitadas = 0;
    // Characters put before the first line (a declaration where there was none): XmlLite's
    // columns on that line are this much long.
    int columnasAnadidas = 0;
    // Name the blanked DOCTYPE gave the root ("html" for a web page); empty without DOCTYPE.
    std::string nombreDoctype;
};

// Value of the encoding pseudo-attribute of the XML declaration texto starts with; empty when texto
// does not start with a declaration or it names no encoding.
NADIR_WMS_API std::string_view CodificacionDeclarada(std::string_view texto);

// Prepares a UTF-8 text (from TextoEnUtf8) for XmlLite, which under Wine stops at whitespace before
// the declaration, knows no charset but UTF-8 and UTF-16, and cannot skip an internal DTD subset:
// - leading whitespace goes (counted in lineasQuitadas);
// - the declaration becomes <?xml version="1.0"?>, padded to its old length so that columns stay,
//   or is put first where there was none;
// - the DOCTYPE, internal subset included, is overwritten with blanks, its line breaks kept;
// - since no DTD is read, a reference to any entity but the five predefined ones (&amp; &lt; &gt;
//   &quot; &apos;) expands to nothing, as a non-validating processor that skips external entities
//   would leave it; character references stay. Comments, CDATA sections and instructions are left alone.
// Throws ExcepcionCapacidades: Vacio (nothing but whitespace), NoEsXml (does not start with '<'),
// XmlMalformado (declaration or DOCTYPE never closed).
NADIR_WMS_API TextoPreparado PreparaPrologo(std::string utf8, const CString& origen);

}  // namespace Nadir::OpenGIS::WMS
