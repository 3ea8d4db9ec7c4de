// CatalogoDeTextos.h: CatalogoDeTextos, the user-facing texts and dialog templates of the Nadir library
// this is built into, in the thread's UI language; Cadena and Mensaje, its texts for the library's code.
#pragma once

#include <afx.h>

#include <windows.h>

#include <Win32/Manejadores.h>

#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace Nadir {

// Windows finds a language-neutral module's language modules by itself; Wine does not, so the
// library looks for them as Windows lays them out (es-ES\NadirWMS.dll.mui beside NadirWMS.dll, in its folder):
// the thread's preferred UI languages first, then en-US, then the library's own English strings, so a
// missing folder never loses a message. Each language module is loaded once and kept.
class CatalogoDeTextos {
public:
    // The catalogue of the library this code is linked into, made on first use.
    static CatalogoDeTextos& DeEsteModulo();

    explicit CatalogoDeTextos(HMODULE biblioteca);
    CatalogoDeTextos(const CatalogoDeTextos&) = delete;
    CatalogoDeTextos& operator=(const CatalogoDeTextos&) = delete;

    // String id in the first of those languages that has it; empty only when the library lacks it.
    CString Texto(UINT id);
    // The module of the first of those languages that holds dialog template id; the library's own
    // when none does, null only when the library lacks it too.
    HMODULE ModuloConDialogo(UINT id);

private:
    // The thread's preferred UI languages, then en-US.
    static std::vector<std::wstring> IdiomasBuscados();
    // The language's module beside the library, null when there is none.
    HMODULE ModuloDeIdioma(const std::wstring& idioma);

    HMODULE m_biblioteca;
    std::wstring m_carpeta;  // the library's folder, ending in a backslash
    std::wstring m_nombre;   // its file name
    std::mutex m_cerrojo;    // over m_idiomas: libraries may be called from several threads
    std::map<std::wstring, Win32::ModuloCargado> m_idiomas;  // every language looked for, found or not
};

// Text id of this library's catalogue.
CString Cadena(UINT id);
// The message text id makes with the arguments, as CString::Format would (%s takes a wide string).
CString Mensaje(UINT id, ...);

}  // namespace Nadir
