// CodificacionXml.h: the bytes of an XML answer as UTF-8, whatever encoding they came in.
#pragma once

#include <afx.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace Nadir::OpenGIS::WMS {

// The encoding is taken from, in this order: a byte-order mark (UTF-8, UTF-16 LE/BE); UTF-16 without
// a mark, recognised by the zero bytes around its first '<'; the encoding the XML declaration names;
// the charset of tipoContenido (a Content-Type header value, may be empty); else UTF-8.
// Single-byte and a few double-byte charsets are decoded through their Windows code page.
// Text taken as UTF-8 is repaired, not refused: every byte that is not part of a valid sequence
// becomes U+FFFD, so one stray Latin-1 letter in an abstract does not cost the user the server.
// The result has no byte-order mark; its declaration (if any) still names the old encoding.
// Throws ExcepcionCapacidades (CodificacionNoSoportada) for UTF-32 and unknown charsets.
// The bytes are taken over: UTF-8 that needs no repair comes back in its own buffer, so a large answer
// is not held twice.
std::string TextoEnUtf8(std::string&& bytes, const CString& tipoContenido, const CString& origen);

// TextoEnUtf8's choice for an answer that starts with comienzo, which holds its XML declaration whole
// when it has one: the length of the byte-order mark (0 when there is none) when the answer is taken
// as UTF-8, nothing for any other encoding. Throws as TextoEnUtf8.
std::optional<std::size_t> MarcaUtf8(std::string_view comienzo, const CString& tipoContenido, const CString& origen);

// For UTF-8 that arrives piece by piece, repaired as TextoEnUtf8 repairs it:
// how many bytes at the end of a piece begin a character that the next piece may complete;
std::size_t ColaIncompletaUtf8(std::string_view trozo);
// where the first byte that starts no well-formed sequence stands (the size when there is none);
std::size_t PrimerDefectoUtf8(std::string_view bytes);
// the bytes with each of those replaced by U+FFFD.
std::string Utf8Reparado(std::string_view bytes);

}  // namespace Nadir::OpenGIS::WMS
