// PrologoXml.h: the start of an XML text made fit for the parser: no leading whitespace, a plain
// declaration, no DOCTYPE.
#pragma once

#include <afx.h>

#include <string>
#include <string_view>

namespace Nadir::OpenGIS::WMS {

struct TextoPreparado {
    std::string utf8;
    // Line breaks removed before the declaration: the parser's line numbers are this much short.
    int lineasQuitadas = 0;
    // Name the blanked DOCTYPE gave the root ("html" for a web page); empty without DOCTYPE.
    std::string nombreDoctype;
};

// Value of the encoding pseudo-attribute of the XML declaration texto starts with; empty when texto
// does not start with a declaration or it names no encoding.
std::string_view CodificacionDeclarada(std::string_view texto);

// Whether texto, the start of a UTF-8 text, holds its prologue whole: the declaration, comments,
// instructions and DOCTYPE up to the root element's '<' (or the first line of something that is not XML).
bool PrologoCompleto(std::string_view texto);

// Prepares the start of a UTF-8 text (from TextoEnUtf8: the whole text, or enough of it for
// PrologoCompleto) for the parser, which is told it reads UTF-8 and takes no DTD:
// - leading whitespace goes (counted in lineasQuitadas): no declaration may follow any;
// - the declaration becomes <?xml version="1.0"?>, padded to its old length so that columns stay: the
//   parser never sees the old encoding, nor a standalone="yes" that would make undeclared entities errors;
// - the DOCTYPE, internal subset included, is overwritten with blanks, its line breaks kept, so no
//   entity it declares is ever expanded.
// Nothing after the prologue changes. Throws ExcepcionCapacidades: Vacio (nothing but whitespace),
// NoEsXml (does not start with '<'), XmlMalformado (declaration or DOCTYPE never closed).
TextoPreparado PreparaPrologo(std::string utf8, const CString& origen);

}  // namespace Nadir::OpenGIS::WMS
