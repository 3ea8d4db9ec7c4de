// LectorXml.h: LectorXml, expat set up safely over the bytes of an answer as they arrive.
#pragma once

#include <afx.h>

#include <cstddef>
#include <exception>
#include <memory>
#include <span>
#include <string>
#include <string_view>

struct XML_ParserStruct;

namespace Nadir::OpenGIS::WMS {

struct TextoPreparado;

// What the reader finds, in document order. Names are the namespace URI, kSeparador and the local
// name, or the local name alone outside any namespace; attributes come as name, value, ..., null.
class OyenteXml {
public:
    static constexpr wchar_t kSeparador = L'\x01';  // no XML name or URI may hold it

    virtual void AlEmpezar(const wchar_t* nombre, const wchar_t** atributos) = 0;
    virtual void AlTerminar() = 0;
    // Character data, CDATA sections included, in pieces.
    virtual void AlTexto(std::wstring_view texto) = 0;

protected:
    ~OyenteXml() = default;
};

// Reads the bytes of an answer as they arrive and tells oyente what it finds. UTF-8, the usual case,
// is parsed piece by piece as it comes, in the parser's own buffer; any other encoding is held until
// the end and decoded whole (TextoEnUtf8). No DTD is ever read, no entity it declares is expanded and
// a reference to an undeclared one expands to nothing; elements nest at most kProfundidadMaxima deep.
// Failures are thrown as ExcepcionCapacidades, with positions in the answer as the server sent it,
// as soon as the bytes show them; what oyente throws leaves the reader the same way.
class LectorXml {
public:
    static constexpr int kProfundidadMaxima = 256;

    // tipoContenido: the answer's Content-Type header (may be empty); origen names the server in messages.
    LectorXml(OyenteXml& oyente, const CString& tipoContenido, const CString& origen);
    ~LectorXml();
    LectorXml(const LectorXml&) = delete;
    LectorXml& operator=(const LectorXml&) = delete;

    // Room for the next bytes of the answer, at least minimo of them.
    std::span<char> Espacio(std::size_t minimo);
    // That many bytes were written at the start of the room Espacio gave last.
    void Agrega(std::size_t bytes);
    // The answer has ended: reads what is left, and fails if the document is not complete.
    void Termina();

    // The name the DOCTYPE gave the root ("html" for a web page); empty without DOCTYPE. Known from
    // the first AlEmpezar on.
    const std::string& NombreDoctype() const { return m_nombreDoctype; }

private:
    enum class Fase {
        Comienzo,  // the prologue not yet whole: bytes kept until it is, to choose how to read them
        Utf8,      // read as they arrive
        Entera,    // another encoding: kept until the end
    };
    struct LiberaAnalizador {
        void operator()(XML_ParserStruct* analizador) const;
    };

    struct Llamadas;  // expat's handlers, each sent on to oyente

    void EligeLectura();
    void EmpiezaUtf8(std::size_t marca);
    void AgregaUtf8(std::size_t bytes);
    std::size_t GuardaCola(std::string_view texto);
    void AnalizaPreparado(TextoPreparado texto, bool final);
    void AnalizaTexto(std::string_view texto, bool final);
    void Analiza(int estado, bool final);
    [[noreturn]] void Falla(bool final);

    OyenteXml& m_oyente;
    CString m_tipoContenido;
    CString m_origen;
    std::unique_ptr<XML_ParserStruct, LiberaAnalizador> m_analizador;
    Fase m_fase = Fase::Comienzo;
    std::string m_bytes;  // Comienzo, Entera: what has arrived
    std::size_t m_recibidos = 0;
    char* m_espacio = nullptr;  // Utf8: the room in expat's buffer Espacio gave last
    char m_cola[3] = {};        // Utf8: the start of a character the next bytes complete
    std::size_t m_largoCola = 0;
    int m_lineasQuitadas = 0;
    std::string m_nombreDoctype;
    int m_profundidad = 0;  // elements open
    bool m_raizVista = false;
    std::exception_ptr m_fallo;  // of a handler, kept while expat unwinds
};

}  // namespace Nadir::OpenGIS::WMS
