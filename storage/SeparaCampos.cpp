// SeparaCampos.cpp: SeparaCampos.
#include "SeparaCampos.h"

namespace {

constexpr WCHAR kComillas = L'"';
constexpr WCHAR kComa = L',';

// Blanks, line breaks, the comma and a byte-order mark left over from a file.
bool EsSeparador(WCHAR c)
{
    return c == L'\n' || c == L'\r' || c == L'\t' || c == L' ' || c == kComa || c == 0xFEFF;
}

// Walks one line left to right; Toma* return true once the second field is taken.
class Separador {
public:
    Separador(const CString& linea, CString campos[2]) : m_linea(linea), m_campos(campos) {}

    int Separa()
    {
        const int longitud = m_linea.GetLength();
        for (int p = 0; p < longitud; ++p) {
            const WCHAR c = m_linea[p];
            if (c == kComillas) {
                if (m_entreComillas ? CierraComillas(p) : AbreComillas(p))
                    return m_tomados;
            } else if (!EsSeparador(c)) {
                m_campoAbierto = true;
                m_comaPendiente = false;
            } else if (!m_entreComillas && FinDeCampo(p, c)) {
                return m_tomados;
            }
        }
        // An unclosed quote keeps everything after it, trailing blanks included.
        if (m_campoAbierto)
            TomaHasta(longitud);
        return m_tomados;
    }

private:
    bool TomaHasta(int fin)
    {
        m_campos[m_tomados++] = m_linea.Mid(m_inicio, fin - m_inicio);
        return m_tomados == 2;
    }

    bool TomaVacio()
    {
        m_campos[m_tomados++].Empty();
        return m_tomados == 2;
    }

    bool CierraComillas(int p)
    {
        if (TomaHasta(p))
            return true;
        m_entreComillas = m_campoAbierto = m_comaPendiente = false;
        m_inicio = p + 1;
        return false;
    }

    // Text running straight into a quotation mark ends there as a field of its own.
    bool AbreComillas(int p)
    {
        if (m_campoAbierto && TomaHasta(p))
            return true;
        m_entreComillas = m_campoAbierto = true;
        m_comaPendiente = false;
        m_inicio = p + 1;
        return false;
    }

    // A separator outside quotes ends an open field; two commas with only blanks between make an
    // empty one.
    bool FinDeCampo(int p, WCHAR c)
    {
        if (m_campoAbierto) {
            if (TomaHasta(p))
                return true;
            m_campoAbierto = false;
        } else if (c == kComa && m_comaPendiente && TomaVacio()) {
            return true;
        }
        if (c == kComa)
            m_comaPendiente = true;
        m_inicio = p + 1;
        return false;
    }

    const CString& m_linea;
    CString* m_campos;
    int m_tomados = 0;
    int m_inicio = 0;
    bool m_entreComillas = false;
    bool m_campoAbierto = false;
    bool m_comaPendiente = false;
};

}  // namespace

int SeparaCampos(const CString& linea, CString campos[2])
{
    if (linea.IsEmpty())
        return 0;
    campos[0].Empty();
    campos[1].Empty();
    return Separador(linea, campos).Separa();
}
