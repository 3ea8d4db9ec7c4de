// PruebaDeVentanas.h: what every window test needs: the application started on a desktop of the
// process's own, and a main window on screen as a host has one.
#pragma once

#include <afxwin.h>

#include <gtest/gtest.h>

// Register once per test program: testing::AddGlobalTestEnvironment(new CEntornoDeVentanas).
class CEntornoDeVentanas : public testing::Environment {
public:
    void SetUp() override;
};

// The application's main window for the length of a scope: dialogs with no parent are owned by it.
class CVentanaPrincipal {
public:
    CVentanaPrincipal();
    ~CVentanaPrincipal();
    CVentanaPrincipal(const CVentanaPrincipal&) = delete;
    CVentanaPrincipal& operator=(const CVentanaPrincipal&) = delete;

    CWnd& Ventana() { return m_ventana; }

private:
    CWnd m_ventana;
};
