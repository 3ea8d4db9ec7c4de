// Manejadores.h: Manejador, the move-only owner of a handle that one function gives back, and the owners made
// of it (kernel objects, registry keys, global, local and credential memory, BSTRs, loaded modules, COM
// pointers, windows, hooks, GDI objects); DcDeVentana and SeleccionGdi, which need two values to give back what
// they hold.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <unknwn.h>
#include <wincred.h>

#include <utility>

namespace Win32 {

// Libera: the function that gives the handle back (CloseHandle, RegCloseKey, FreeLibrary, ...); its result
// is not looked at. A null handle is no handle.
template <class H, auto Libera>
class Manejador {
public:
    Manejador() = default;
    explicit Manejador(H handle) : m_handle(handle) {}
    ~Manejador() { Cierra(); }
    Manejador(Manejador&& otro) noexcept : m_handle(std::exchange(otro.m_handle, nullptr)) {}
    Manejador& operator=(Manejador&& otro) noexcept
    {
        if (this != &otro) {
            Cierra();
            m_handle = std::exchange(otro.m_handle, nullptr);
        }
        return *this;
    }
    Manejador(const Manejador&) = delete;
    Manejador& operator=(const Manejador&) = delete;

    H Get() const { return m_handle; }
    H operator->() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

    // For functions that hand out a new handle through an out parameter; what was held is given back first.
    H* Recibe()
    {
        Cierra();
        return &m_handle;
    }

private:
    void Cierra()
    {
        if (m_handle)
            Libera(m_handle);
        m_handle = nullptr;
    }

    H m_handle = nullptr;
};

namespace detalle {
template <class T>
void SueltaReferencia(T* objeto)
{
    objeto->Release();
}
}  // namespace detalle

// Files, events, threads, processes. CreateFile's INVALID_HANDLE_VALUE is a failure: never give it one.
using ObjetoDelNucleo = Manejador<HANDLE, ::CloseHandle>;
using ClaveDeRegistro = Manejador<HKEY, ::RegCloseKey>;
// Memory the system hands out for the caller to free: GlobalFree (WinHTTP's strings), LocalFree
// (CommandLineToArgvW, FormatMessage).
template <class T>
using MemoriaGlobal = Manejador<T*, ::GlobalFree>;
template <class T>
using MemoriaLocal = Manejador<T*, ::LocalFree>;
// What Credential Manager hands out (CredReadW, CredEnumerateW), given back with CredFree.
template <class T>
using MemoriaDeCredenciales = Manejador<T*, ::CredFree>;
using CadenaBstr = Manejador<BSTR, ::SysFreeString>;
using ModuloCargado = Manejador<HMODULE, ::FreeLibrary>;
// Holds one reference: takes over one the caller already owns.
template <class T>
using PunteroCom = Manejador<T*, &detalle::SueltaReferencia<T>>;

using Ventana = Manejador<HWND, ::DestroyWindow>;
// A hook of SetWindowsHookEx.
using Gancho = Manejador<HHOOK, ::UnhookWindowsHookEx>;
using DcEnMemoria = Manejador<HDC, ::DeleteDC>;
using MapaDeBits = Manejador<HBITMAP, ::DeleteObject>;

// A window's DC (GetDC, or GetWindowDC with its frame), given back with ReleaseDC.
class DcDeVentana {
public:
    explicit DcDeVentana(HWND ventana, bool conMarco = false)
        : m_ventana(ventana), m_dc(conMarco ? ::GetWindowDC(ventana) : ::GetDC(ventana))
    {
    }
    ~DcDeVentana()
    {
        if (m_dc)
            ::ReleaseDC(m_ventana, m_dc);
    }
    DcDeVentana(const DcDeVentana&) = delete;
    DcDeVentana& operator=(const DcDeVentana&) = delete;

    HDC Get() const { return m_dc; }

private:
    HWND m_ventana;
    HDC m_dc;
};

// Selects a GDI object into a DC and puts the previous one back.
class SeleccionGdi {
public:
    SeleccionGdi(HDC dc, HGDIOBJ objeto) : m_dc(dc), m_anterior(::SelectObject(dc, objeto)) {}
    ~SeleccionGdi() { ::SelectObject(m_dc, m_anterior); }
    SeleccionGdi(const SeleccionGdi&) = delete;
    SeleccionGdi& operator=(const SeleccionGdi&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_anterior;
};

}  // namespace Win32
