// ManejadoresWin32.h: move-only owners of Win32 handles for windows programs and their tests: loaded modules,
// windows, memory DCs, bitmaps, fonts, icons, a window's DC and a GDI selection.
#pragma once

#include <windows.h>

#include <utility>

// Owns a handle released by one function of its own (FreeLibrary, DestroyWindow, DeleteDC, ...).
template <class H, BOOL(WINAPI* Libera)(H)>
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
    explicit operator bool() const { return m_handle != nullptr; }

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
inline BOOL WINAPI BorraMapaDeBits(HBITMAP h) { return ::DeleteObject(h); }
inline BOOL WINAPI BorraFuente(HFONT h) { return ::DeleteObject(h); }
}  // namespace detalle

using ModuloCargado = Manejador<HMODULE, ::FreeLibrary>;
using Ventana = Manejador<HWND, ::DestroyWindow>;
using DcEnMemoria = Manejador<HDC, ::DeleteDC>;
using MapaDeBits = Manejador<HBITMAP, detalle::BorraMapaDeBits>;
using Fuente = Manejador<HFONT, detalle::BorraFuente>;
using Icono = Manejador<HICON, ::DestroyIcon>;

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
