// CapturaDeVentana.cpp: paint, then BitBlt from the window's DC into a top-down 32-bit DIB section.
#include "CapturaDeVentana.h"

#include "EscrituraPng.h"

#include <Win32/Manejadores.h>

#include <cstring>
#include <unordered_set>

namespace {

// Bounded: a window that keeps posting itself messages must not hold the capture for ever.
void DejaPintar(HWND ventana)
{
    ::RedrawWindow(ventana, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    MSG mensaje;
    for (int i = 0; i < 1000 && ::PeekMessageW(&mensaje, nullptr, 0, 0, PM_REMOVE); ++i) {
        ::TranslateMessage(&mensaje);
        ::DispatchMessageW(&mensaje);
    }
    ::GdiFlush();
}

}  // namespace

CapturaDeVentana::CapturaDeVentana(HWND ventana, bool conLoQueTapa)
{
    DejaPintar(ventana);
    RECT marco;
    if (!::GetWindowRect(ventana, &marco))
        return;
    const int ancho = marco.right - marco.left;
    const int alto = marco.bottom - marco.top;

    BITMAPINFO formato = {};
    formato.bmiHeader.biSize = sizeof formato.bmiHeader;
    formato.bmiHeader.biWidth = ancho;
    formato.bmiHeader.biHeight = -alto;  // top row first
    formato.bmiHeader.biPlanes = 1;
    formato.bmiHeader.biBitCount = 32;
    formato.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const Win32::DcDeVentana origen(conLoQueTapa ? nullptr : ventana, !conLoQueTapa);
    const Win32::DcEnMemoria destino(::CreateCompatibleDC(origen.Get()));
    const Win32::MapaDeBits mapa(::CreateDIBSection(origen.Get(), &formato, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!origen.Get() || !destino || !mapa)
        return;
    {
        const Win32::SeleccionGdi seleccion(destino.Get(), mapa.Get());
        const POINT desde = conLoQueTapa ? POINT{marco.left, marco.top} : POINT{0, 0};
        if (!::BitBlt(destino.Get(), 0, 0, ancho, alto, origen.Get(), desde.x, desde.y, SRCCOPY))
            return;
        ::GdiFlush();
    }
    m_pixeles.resize(static_cast<size_t>(ancho) * alto);
    std::memcpy(m_pixeles.data(), bits, m_pixeles.size() * sizeof(uint32_t));
    for (uint32_t& pixel : m_pixeles)
        pixel &= 0x00FFFFFF;
    m_ancho = ancho;
    m_alto = alto;
}

size_t CapturaDeVentana::ColoresDistintos() const
{
    return std::unordered_set<uint32_t>(m_pixeles.begin(), m_pixeles.end()).size();
}

bool CapturaDeVentana::GuardaPng(const std::filesystem::path& ruta) const
{
    return EscribePng(ruta, m_ancho, m_alto, m_pixeles);
}
