// DataConectaURLStorage.cpp: CDataConectaURL's storage in the application profile or a private INI file.
#include <afxwin.h>

#include "DataConectaURL.h"
#include "SeparaCampos.h"

namespace {

// What a private-file value is read through: 255 characters and the terminator.
constexpr DWORD kLongitudValorPrivado = 256;

LPCWSTR const kArchivoSalida = L"ArchivoSalida";
LPCWSTR const kSeleccionURL = L"SeleccionURL";
LPCWSTR const kSeleccionCapa = L"SeleccionCapa";
LPCWSTR const kSeleccionSR = L"SeleccionSR";
LPCWSTR const kCargar = L"Cargar";

// Only the name and the address are stored; the rest comes back with the next interrogation.
CDireccionURL EntradaDeLinea(const CString& linea)
{
    CString campos[2];
    SeparaCampos(linea, campos);
    CDireccionURL entrada;
    entrada.m_nombre = campos[0];
    entrada.m_url = campos[1];
    return entrada;
}

// The stored form "name",address: the name quoted, nothing escaped.
CString LineaDeEntrada(const CDireccionURL& entrada)
{
    CString linea;
    linea.Format(L"\"%s\",%s", entrada.m_nombre.GetString(), entrada.m_url.GetString());
    return linea;
}

CString ClaveDeEntrada(const CString& prefijo, int numero)
{
    CString clave;
    clave.Format(L"%sURL%d", prefijo.GetString(), numero);
    return clave;
}

CString TextoDeEntero(int valor)
{
    CString texto;
    texto.Format(L"%d", valor);
    return texto;
}

// True with the value when the key holds a non-empty one; values longer than 255 characters come cut.
bool LeePrivado(const CString& archivo, const CString& seccion, LPCWSTR clave, CString& valor)
{
    WCHAR buffer[kLongitudValorPrivado];
    if (::GetPrivateProfileStringW(seccion, clave, L"", buffer, kLongitudValorPrivado, archivo) == 0)
        return false;
    valor = buffer;
    return true;
}

void LeePrivado(const CString& archivo, const CString& seccion, LPCWSTR clave, int& valor)
{
    CString texto;
    if (LeePrivado(archivo, seccion, clave, texto))
        valor = _wtoi(texto);
}

// Writes the value whole, however long: the reader's 255-character limit is its own.
void EscribePrivado(const CString& archivo, const CString& seccion, LPCWSTR clave, const CString& valor)
{
    ::WritePrivateProfileStringW(seccion, clave, valor, archivo);
}

}  // namespace

void CDataConectaURL::GetProfile(const CString& seccion, const CString& prefijo)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    m_archivoSalida = pApp->GetProfileString(seccion, prefijo + kArchivoSalida, m_archivoSalida);
    m_seleccionURL = static_cast<int>(pApp->GetProfileInt(seccion, prefijo + kSeleccionURL, m_seleccionURL));
    m_seleccionCapa = pApp->GetProfileString(seccion, prefijo + kSeleccionCapa, m_seleccionCapa);
    m_seleccionSR = pApp->GetProfileString(seccion, prefijo + kSeleccionSR, m_seleccionSR);
    m_cargar = static_cast<int>(pApp->GetProfileInt(seccion, prefijo + kCargar, m_cargar));

    // The list ends at the first missing or empty line; a refused entry is skipped.
    for (int numero = 1;; ++numero) {
        const CString linea = pApp->GetProfileString(seccion, ClaveDeEntrada(prefijo, numero), L"");
        if (linea.IsEmpty())
            break;
        Inserta(EntradaDeLinea(linea));
    }
}

void CDataConectaURL::WriteProfile(const CString& seccion, const CString& prefijo) const
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    // Deleting the section first drops the lines of a longer catalogue written earlier.
    pApp->WriteProfileString(seccion, nullptr, nullptr);
    pApp->WriteProfileString(seccion, prefijo + kArchivoSalida, m_archivoSalida);
    pApp->WriteProfileInt(seccion, prefijo + kSeleccionURL, m_seleccionURL);
    pApp->WriteProfileString(seccion, prefijo + kSeleccionCapa, m_seleccionCapa);
    pApp->WriteProfileString(seccion, prefijo + kSeleccionSR, m_seleccionSR);
    pApp->WriteProfileInt(seccion, prefijo + kCargar, m_cargar);
    for (unsigned int i = 0; i < Cantidad(); ++i)
        pApp->WriteProfileString(seccion, ClaveDeEntrada(prefijo, static_cast<int>(i) + 1),
                                 LineaDeEntrada(m_direcciones[i]));
}

void CDataConectaURL::GetPrivateProfile(const CString& archivo, const CString& seccion)
{
    LeePrivado(archivo, seccion, kArchivoSalida, m_archivoSalida);
    LeePrivado(archivo, seccion, kSeleccionURL, m_seleccionURL);
    LeePrivado(archivo, seccion, kSeleccionCapa, m_seleccionCapa);
    LeePrivado(archivo, seccion, kSeleccionSR, m_seleccionSR);
    LeePrivado(archivo, seccion, kCargar, m_cargar);

    CString linea;
    for (int numero = 1; LeePrivado(archivo, seccion, ClaveDeEntrada(L"", numero), linea); ++numero)
        Inserta(EntradaDeLinea(linea));
}

void CDataConectaURL::WritePrivateProfile(const CString& archivo, const CString& seccion) const
{
    ::WritePrivateProfileStringW(seccion, nullptr, nullptr, archivo);
    EscribePrivado(archivo, seccion, kArchivoSalida, m_archivoSalida);
    EscribePrivado(archivo, seccion, kSeleccionURL, TextoDeEntero(m_seleccionURL));
    EscribePrivado(archivo, seccion, kSeleccionCapa, m_seleccionCapa);
    EscribePrivado(archivo, seccion, kSeleccionSR, m_seleccionSR);
    EscribePrivado(archivo, seccion, kCargar, TextoDeEntero(m_cargar));
    for (unsigned int i = 0; i < Cantidad(); ++i)
        EscribePrivado(archivo, seccion, ClaveDeEntrada(L"", static_cast<int>(i) + 1), LineaDeEntrada(m_direcciones[i]));
}
