// ExportaAlmacen.cpp: the catalogue's storage in the C interface: a private INI file, or the registry
// as this module's application profile placed where the host names.
#include <afxwin.h>

#include <Win32/Manejadores.h>
#include <Win32/Texto.h>

#include <cwchar>

#include "Frontera.h"
#include "OrtusCApp.h"

namespace {

constexpr wchar_t kSoftware[] = L"Software\\";

// An empty section would make a write delete the whole store above it.
CString Seccion(const wchar_t* seccion)
{
    if (Requiere(seccion, L"seccion") == L'\0')
        Falla(ORTUS_ERROR_ARGUMENTO, IDS_ERROR_SECCION);
    return seccion;
}

CString Archivo(const wchar_t* archivo)
{
    if (Requiere(archivo, L"archivo") == L'\0')
        Falla(ORTUS_ERROR_ARGUMENTO, IDS_ERROR_NULO, L"archivo");
    return archivo;
}

// The framework keeps a profile at HKEY_CURRENT_USER\Software\<empresa>\<programa>: "Software\A\B\C"
// is empresa "A\B" and programa "C".
void SeparaClave(const wchar_t* clave, CString& empresa, CString& programa)
{
    Requiere(clave, L"clave");
    CString resto = clave;
    resto.TrimRight(L"\\");
    const int prefijo = static_cast<int>(wcslen(kSoftware));
    if (resto.Left(prefijo).CompareNoCase(kSoftware) != 0 || resto.GetLength() == prefijo ||
        resto.Find(L"\\\\") >= 0 || resto[prefijo] == L'\\')
        Falla(ORTUS_ERROR_ARGUMENTO, IDS_ERROR_CLAVE, clave);
    resto = resto.Mid(prefijo);
    const int barra = resto.ReverseFind(L'\\');
    empresa = barra >= 0 ? resto.Left(barra) : CString();
    programa = resto.Mid(barra + 1);
}

// A write that could not happen fails here, before the section is deleted.
void CompruebaArchivo(const CString& archivo)
{
    const HANDLE abierto = ::CreateFileW(archivo, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (abierto == INVALID_HANDLE_VALUE)
        Falla(ORTUS_ERROR_ALMACEN, IDS_ERROR_ALMACEN, archivo.GetString(),
              Win32::MensajeOCodigo(::GetLastError()).c_str());
    const Win32::ObjetoDelNucleo cierre(abierto);
}

void CompruebaClave(const CString& clave)
{
    Win32::ClaveDeRegistro abierta;
    const LSTATUS resultado = ::RegCreateKeyExW(HKEY_CURRENT_USER, clave, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                                KEY_WRITE, nullptr, abierta.Recibe(), nullptr);
    if (resultado != ERROR_SUCCESS)
        Falla(ORTUS_ERROR_ALMACEN, IDS_ERROR_ALMACEN, clave.GetString(), Win32::MensajeOCodigo(resultado).c_str());
}

// Runs operacion on the section with the module's profile at the host's key.
template <typename Operacion>
void EnPerfil(const wchar_t* clave, const wchar_t* seccion, Operacion operacion)
{
    CString empresa, programa;
    SeparaClave(clave, empresa, programa);
    const CString enSeccion = Seccion(seccion);
    COrtusCApp::Modulo().ConPerfil(empresa, programa, [&] { operacion(enSeccion); });
}

}  // namespace

OrtusEstado WINAPI OrtusCatalogoLeeIni(OrtusCatalogo catalogo, const wchar_t* archivo, const wchar_t* seccion)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return Protege([&] { CatalogoVivo(catalogo)->GetPrivateProfile(Archivo(archivo), Seccion(seccion)); });
}

OrtusEstado WINAPI OrtusCatalogoEscribeIni(OrtusCatalogo catalogo, const wchar_t* archivo, const wchar_t* seccion)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return Protege([&] {
        const auto datos = CatalogoVivo(catalogo);
        const CString ruta = Archivo(archivo);
        const CString nombreDeSeccion = Seccion(seccion);
        CompruebaArchivo(ruta);
        datos->WritePrivateProfile(ruta, nombreDeSeccion);
    });
}

OrtusEstado WINAPI OrtusCatalogoLeeRegistro(OrtusCatalogo catalogo, const wchar_t* clave, const wchar_t* seccion,
                                            const wchar_t* prefijo)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return Protege([&] {
        const auto datos = CatalogoVivo(catalogo);
        EnPerfil(clave, seccion, [&](const CString& enSeccion) { datos->GetProfile(enSeccion, TextoDe(prefijo)); });
    });
}

OrtusEstado WINAPI OrtusCatalogoEscribeRegistro(OrtusCatalogo catalogo, const wchar_t* clave, const wchar_t* seccion,
                                                const wchar_t* prefijo)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return Protege([&] {
        const auto datos = CatalogoVivo(catalogo);
        EnPerfil(clave, seccion, [&](const CString& enSeccion) {
            CompruebaClave(CString(clave).TrimRight(L"\\") + L"\\" + enSeccion);
            datos->WriteProfile(enSeccion, TextoDe(prefijo));
        });
    });
}
