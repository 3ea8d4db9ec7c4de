// ArchivoLocal.cpp: telling paths from addresses, and reading a document with CreateFileW.
#include "ArchivoLocal.h"

#include "Nadir/ExcepcionNadir.h"
#include "Nadir/Sockets/ConexionHttp.h"

#include <windows.h>

#include <Win32/Manejadores.h>
#include <Win32/Texto.h>

namespace {

bool EsLetra(wchar_t c)
{
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

[[noreturn]] void FallaLectura(const CString& ruta, const CString& motivo)
{
    CString mensaje;
    mensaje.Format(L"Cannot read \"%s\": %s.", ruta.GetString(), motivo.GetString());
    throw Nadir::ExcepcionNadir(mensaje);
}

Win32::ObjetoDelNucleo AbreParaLeer(const CString& ruta)
{
    const HANDLE archivo = CreateFileW(ruta, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (archivo == INVALID_HANDLE_VALUE)
        FallaLectura(ruta, Win32::MensajeOCodigo(GetLastError()).c_str());
    return Win32::ObjetoDelNucleo(archivo);
}

}  // namespace

bool ArchivoLocal::EsRuta(const CString& texto)
{
    const DWORD atributos = GetFileAttributesW(texto);
    if (atributos != INVALID_FILE_ATTRIBUTES && !(atributos & FILE_ATTRIBUTE_DIRECTORY))
        return true;
    if (texto.Find(L"://") >= 0)
        return false;
    const bool unidad = texto.GetLength() >= 2 && EsLetra(texto[0]) && texto[1] == L':';
    const bool raizUnix = texto.Left(1) == L"/" && texto.Left(2) != L"//";
    CString extension = texto.Right(4);
    return unidad || raizUnix || texto.Find(L'\\') >= 0 || texto.Left(1) == L"." ||
           extension.MakeLower() == L".xml";
}

std::string ArchivoLocal::Lee(const CString& ruta)
{
    const Win32::ObjetoDelNucleo archivo = AbreParaLeer(ruta);
    LARGE_INTEGER tamano = {};
    if (!GetFileSizeEx(archivo.Get(), &tamano))
        FallaLectura(ruta, Win32::MensajeOCodigo(GetLastError()).c_str());
    const auto tope = Nadir::Sockets::ConexionHttp::Limites{}.tamanoMaximo;
    if (static_cast<unsigned long long>(tamano.QuadPart) > tope)
        FallaLectura(ruta, L"it is larger than any WMS capabilities document should be");
    std::string documento(static_cast<size_t>(tamano.QuadPart), '\0');
    size_t leidos = 0;
    while (leidos < documento.size()) {
        DWORD bloque = 0;
        if (!ReadFile(archivo.Get(), documento.data() + leidos, static_cast<DWORD>(documento.size() - leidos), &bloque,
                      nullptr))
            FallaLectura(ruta, Win32::MensajeOCodigo(GetLastError()).c_str());
        if (bloque == 0)
            break;  // shorter than when it was measured
        leidos += bloque;
    }
    documento.resize(leidos);
    return documento;
}
