// InformeJson.cpp: the JSON object and its string escapes; non-ASCII text goes out as it is (UTF-8).
#include "InformeJson.h"

#include <cwchar>

using Nadir::OpenGIS::WMS::IClienteWMS;
using Nadir::OpenGIS::WMS::Layer;

namespace {

// The escape for a character JSON does not allow raw in a string, empty for the others.
std::wstring_view Escape(wchar_t c, wchar_t (&hexadecimal)[7])
{
    switch (c) {
    case L'"':
        return L"\\\"";
    case L'\\':
        return L"\\\\";
    case L'\b':
        return L"\\b";
    case L'\f':
        return L"\\f";
    case L'\n':
        return L"\\n";
    case L'\r':
        return L"\\r";
    case L'\t':
        return L"\\t";
    default:
        if (c >= 0x20)
            return {};
        swprintf(hexadecimal, 7, L"\\u%04x", static_cast<unsigned int>(c));
        return hexadecimal;
    }
}

}  // namespace

void InformeJson::Escribe(const IClienteWMS& cliente)
{
    m_salida.Escribe(L"{\"version\": ");
    EscribeCadena(cliente.GetVersion());
    m_salida.Escribe(L", \"metadato\": [");
    const CString metadatos[] = {cliente.GetMetadato1(), cliente.GetMetadato2(), cliente.GetMetadato3(),
                                 cliente.GetMetadato4()};
    for (const CString& metadato : metadatos) {
        if (&metadato != metadatos)
            m_salida.Escribe(L", ");
        EscribeCadena(metadato);
    }
    m_salida.Escribe(L"], \"layers\": [");
    if (const auto raiz = cliente.GetCapaRaiz())
        EscribeCapa(*raiz);
    m_salida.Escribe(L"]}\n");
}

void InformeJson::EscribeCapa(const Layer& capa)
{
    m_salida.Escribe(L"{\"name\": ");
    EscribeCadena(capa.GetName());
    m_salida.Escribe(L", \"title\": ");
    EscribeCadena(capa.GetTitle());
    m_salida.Escribe(L", \"srs\": [");
    bool primero = true;
    for (const auto& sistema : capa.GetSRS()) {
        if (!primero)
            m_salida.Escribe(L", ");
        primero = false;
        EscribeCadena(sistema.srs);
    }
    m_salida.Escribe(L"], \"layers\": [");
    primero = true;
    for (const auto& hija : capa.GetLayers()) {
        if (!primero)
            m_salida.Escribe(L", ");
        primero = false;
        EscribeCapa(*hija);
    }
    m_salida.Escribe(L"]}");
}

void InformeJson::EscribeCadena(const CString& texto)
{
    m_salida.Escribe(L"\"");
    const std::wstring_view todo(texto.GetString(), static_cast<size_t>(texto.GetLength()));
    size_t tramo = 0;  // start of the characters not yet written
    wchar_t hexadecimal[7];
    for (size_t i = 0; i < todo.size(); ++i) {
        const std::wstring_view escape = Escape(todo[i], hexadecimal);
        if (escape.empty())
            continue;
        m_salida.Escribe(todo.substr(tramo, i - tramo));
        m_salida.Escribe(escape);
        tramo = i + 1;
    }
    m_salida.Escribe(todo.substr(tramo));
    m_salida.Escribe(L"\"");
}
