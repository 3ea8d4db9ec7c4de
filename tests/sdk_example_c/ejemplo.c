/* ejemplo.c: a host of ortusc.dll in C: the catalogue from an INI file, the connection dialog over a window
 * of its own, the choice, and the catalogue back to the file. It uses Win32 and OrtusC.h only, with no C
 * runtime, so that any compiler builds it; its entry point is Inicio.
 * Unattended, a timer of its own types the output file, selects the first server that offers layers and
 * presses OK (Cancel when none does, or after LIMITE_MS).
 * Usage: ejemplo INI SECTION. Without them it prints the module's version.
 * Exit status: 0 chosen, 1 cancelled, 2 bad arguments, 3 a call failed (its message printed). */
#include <stdarg.h>

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <OrtusC.h>

/* The dialog's controls the timer drives (HOSTING.md lists the identifiers). */
#define IDC_COMBO_CAPA 1003
#define IDC_ARCHIVO_SALIDA 14330
#define IDC_LISTA_URL 18092

#define LIMITE_MS 60000
#define INTERVALO_MS 50
#define SALIDA L"C:\\mapas\\valle.tif"

static ULONGLONG g_inicio;
static UINT_PTR g_temporizador;

/* Formatted as wsprintfW does (1024 characters at most), in UTF-8 on standard output. */
static void Escribe(const wchar_t* formato, ...)
{
    static wchar_t texto[1025];
    static char utf8[3 * 1025];
    DWORD escritos = 0;
    int bytes;
    va_list argumentos;
    va_start(argumentos, formato);
    wvsprintfW(texto, formato, argumentos);
    va_end(argumentos);
    bytes = WideCharToMultiByte(CP_UTF8, 0, texto, -1, utf8, sizeof utf8, NULL, NULL);
    if (bytes > 1)
        WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8, (DWORD)(bytes - 1), &escritos, NULL);
}

/* Tells why llamada failed; the exit status for it. */
static int Falla(const wchar_t* llamada, OrtusEstado estado)
{
    static wchar_t mensaje[512];
    if (OrtusUltimoError(mensaje, 512, NULL) != ORTUS_OK)
        mensaje[0] = L'\0';
    Escribe(L"%s failed (%d): %s\r\n", llamada, estado, mensaje);
    return 3;
}

/* Selects each row alone in turn until the layer box fills; the row, or -1. */
static int SeleccionaServidorConCapas(HWND dialogo)
{
    const HWND lista = GetDlgItem(dialogo, IDC_LISTA_URL);
    const int filas = (int)SendMessageW(lista, LVM_GETITEMCOUNT, 0, 0);
    int fila;
    for (fila = 0; fila < filas; ++fila) {
        ListView_SetItemState(lista, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_SetItemState(lista, fila, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        if (SendMessageW(GetDlgItem(dialogo, IDC_COMBO_CAPA), CB_GETCOUNT, 0, 0) > 0)
            return fila;
    }
    return -1;
}

/* Drives the connection dialog once it shows: the active window, with the server list. */
static void CALLBACK Tic(HWND ventana, UINT mensaje, UINT_PTR id, DWORD ahora)
{
    HWND dialogo = GetActiveWindow();
    if (dialogo != NULL && (!IsWindowVisible(dialogo) || GetDlgItem(dialogo, IDC_LISTA_URL) == NULL))
        dialogo = NULL;
    const BOOL agotado = GetTickCount64() - g_inicio > LIMITE_MS;
    if (dialogo == NULL && !agotado)
        return;
    KillTimer(NULL, g_temporizador);
    if (dialogo == NULL)
        return; /* the dialog never showed: DoModal ends on its own */
    if (agotado || SeleccionaServidorConCapas(dialogo) < 0) {
        SendMessageW(GetDlgItem(dialogo, IDCANCEL), BM_CLICK, 0, 0);
        return;
    }
    SetDlgItemTextW(dialogo, IDC_ARCHIVO_SALIDA, SALIDA); /* as typed: choosing a server rewrites the box */
    SendMessageW(GetDlgItem(dialogo, IDOK), BM_CLICK, 0, 0);
}

static int MuestraEleccion(OrtusCatalogo catalogo)
{
    OrtusEleccion* eleccion = NULL;
    const OrtusEstado estado = OrtusCatalogoLeeEleccion(catalogo, &eleccion);
    if (estado != ORTUS_OK)
        return Falla(L"OrtusCatalogoLeeEleccion", estado);
    Escribe(L"server %d, layer %s, reference system %s, file %s, load option %d\r\n", eleccion->seleccionURL,
            eleccion->seleccionCapa, eleccion->seleccionSR, eleccion->archivoSalida, eleccion->cargar);
    OrtusFree(eleccion);
    return 0;
}

/* The dialog over a window of the host's, driven from the timer. */
static OrtusEstado EjecutaDialogo(OrtusCatalogo catalogo, int32_t* resultado)
{
    static const OrtusSistemaReferencia sistemas[] = {{4326, L"WGS 84"}, {25830, L"ETRS89 / UTM zone 30N"}};
    OrtusDialogo dialogo;
    OrtusEstado estado;
    const HWND ventana = CreateWindowExW(0, L"STATIC", L"C host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 640,
                                         480, NULL, NULL, GetModuleHandleW(NULL), NULL);
    SecureZeroMemory(&dialogo, sizeof dialogo); /* no callbacks: the system's Save As, no Help button */
    dialogo.tamanho = sizeof dialogo;
    dialogo.padre = ventana;
    dialogo.terceraOpcion = 1;
    dialogo.sistemas = sistemas;
    dialogo.numeroSistemas = sizeof sistemas / sizeof sistemas[0];
    g_inicio = GetTickCount64();
    g_temporizador = SetTimer(NULL, 0, INTERVALO_MS, Tic);
    estado = OrtusDialogoEjecuta(catalogo, &dialogo, resultado);
    KillTimer(NULL, g_temporizador);
    DestroyWindow(ventana);
    return estado;
}

static int Elige(OrtusCatalogo catalogo, const wchar_t* ini, const wchar_t* seccion)
{
    int32_t resultado = 0;
    int salida = 1;
    OrtusEstado estado = OrtusCatalogoLeeIni(catalogo, ini, seccion);
    if (estado != ORTUS_OK)
        return Falla(L"OrtusCatalogoLeeIni", estado);
    estado = EjecutaDialogo(catalogo, &resultado);
    if (estado != ORTUS_OK)
        return Falla(L"OrtusDialogoEjecuta", estado);
    Escribe(L"dialog: %s\r\n", resultado == IDOK ? L"OK" : L"Cancel");
    if (resultado == IDOK)
        salida = MuestraEleccion(catalogo);
    /* The edits stay after Cancel too: store them either way. */
    estado = OrtusCatalogoEscribeIni(catalogo, ini, seccion);
    return estado == ORTUS_OK ? salida : Falla(L"OrtusCatalogoEscribeIni", estado);
}

void Inicio(void)
{
    int argumentos = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argumentos);
    OrtusCatalogo catalogo = NULL;
    uint32_t mayor = 0, menor = 0;
    int salida = 2;
    OrtusVersion(&mayor, &menor, NULL);
    Escribe(L"ortusc.dll %u.%u (OrtusC.h %d.%d)\r\n", mayor, menor, ORTUSC_VERSION_MAYOR, ORTUSC_VERSION_MENOR);
    if (argv == NULL || argumentos != 3) {
        Escribe(L"usage: ejemplo INI SECTION\r\n");
    } else if (mayor != ORTUSC_VERSION_MAYOR || menor < ORTUSC_VERSION_MENOR) {
        Escribe(L"this program needs ortusc.dll %d.%d or a later %d.x\r\n", ORTUSC_VERSION_MAYOR,
                ORTUSC_VERSION_MENOR, ORTUSC_VERSION_MAYOR);
    } else if (OrtusCatalogoCrea(&catalogo) == ORTUS_OK) {
        salida = Elige(catalogo, argv[1], argv[2]);
        OrtusCatalogoDestruye(catalogo);
    }
    LocalFree(argv);
    ExitProcess((UINT)salida);
}
