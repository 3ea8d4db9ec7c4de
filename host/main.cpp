// main.cpp: quasar.exe, the sample host: its application object and the framework's start.
#include "QuasarApp.h"

namespace {

CQuasarApp theApp;

}  // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR lpCmdLine, int nCmdShow)
{
    if (!AfxWinInit(hInstance, nullptr, lpCmdLine, nCmdShow))
        return CQuasarApp::kSinDialogo;
    if (!theApp.InitInstance())
        return theApp.ExitInstance();
    return theApp.Run();
}
