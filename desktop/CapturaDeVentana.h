// CapturaDeVentana.h: CapturaDeVentana, the pixels of a top-level window as it shows on screen,
// and its PNG file. Pictures need a display driver that keeps window pixels (X11 under Xvfb).
#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <vector>

class CapturaDeVentana {
public:
    // Lets the window and its children paint, then copies it, frame and caption included. conLoQueTapa:
    // from the screen, with whatever lies over it (another process's windows too), as its user sees it.
    explicit CapturaDeVentana(HWND ventana, bool conLoQueTapa = false);

    int Ancho() const { return m_ancho; }
    int Alto() const { return m_alto; }
    // 0x00RRGGBB, top row first; empty when the window could not be read.
    const std::vector<uint32_t>& Pixeles() const { return m_pixeles; }
    // How many colours the picture holds: a window that painted nothing has one or two.
    size_t ColoresDistintos() const;
    bool GuardaPng(const std::filesystem::path& ruta) const;

private:
    int m_ancho = 0;
    int m_alto = 0;
    std::vector<uint32_t> m_pixeles;
};
