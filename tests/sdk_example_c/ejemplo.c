/* ejemplo.c: a host of ortusc.dll in C, as HOSTING.md shows it: the catalogue from an INI file (the
 * built-in servers when it holds none), the connection dialog in the user's language, the choice, and
 * the catalogue back to the file. It uses Win32 and OrtusC.h only, with no C runtime, so that any
 * compiler builds it; its entry point is Inicio.
 * Usage: ejemplo INI_PATH (a full path). Without one it prints the module's version. */
#include <stdarg.h>

#include <windows.h>
#include <shellapi.h>

#include <OrtusC.h>

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

static int Elige(OrtusCatalogo catalogo, const wchar_t* ini)
{
    static const OrtusSistemaReferencia sistemas[] = {{25830, L"ETRS89 / UTM 30N"}, {4326, L"WGS 84"}};
    OrtusDialogo dialogo;
    int32_t resultado = 0;
    uint32_t cantidad = 0;
    int salida = 1;
    OrtusEstado estado = OrtusCatalogoLeeIni(catalogo, ini, L"Servers");
    if (estado != ORTUS_OK)
        return Falla(L"OrtusCatalogoLeeIni", estado);
    OrtusCatalogoCantidad(catalogo, &cantidad);
    if (cantidad == 0)
        OrtusCatalogoCargaURLPorDefecto(catalogo);

    SecureZeroMemory(&dialogo, sizeof dialogo); /* no callbacks: the system's Save As, no Help button */
    dialogo.tamanho = sizeof dialogo;
    dialogo.terceraOpcion = 1;
    dialogo.sistemas = sistemas;
    dialogo.numeroSistemas = sizeof sistemas / sizeof sistemas[0];
    estado = OrtusDialogoEjecuta(catalogo, &dialogo, &resultado);
    if (estado != ORTUS_OK)
        return Falla(L"OrtusDialogoEjecuta", estado);
    if (resultado == IDOK)
        salida = MuestraEleccion(catalogo);
    /* The edits stay after Cancel too: store them either way. */
    estado = OrtusCatalogoEscribeIni(catalogo, ini, L"Servers");
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
    if (argv == NULL || argumentos != 2) {
        Escribe(L"ortusc.dll %u.%u (OrtusC.h %d.%d)\r\nusage: ejemplo INI_PATH\r\n", mayor, menor,
                ORTUSC_VERSION_MAYOR, ORTUSC_VERSION_MENOR);
    } else if (mayor != ORTUSC_VERSION_MAYOR || menor < ORTUSC_VERSION_MENOR) {
        Escribe(L"this program needs ortusc.dll %d.%d or a later %d.x\r\n", ORTUSC_VERSION_MAYOR,
                ORTUSC_VERSION_MENOR, ORTUSC_VERSION_MAYOR);
    } else if (OrtusCatalogoCrea(&catalogo) == ORTUS_OK) {
        salida = Elige(catalogo, argv[1]);
        OrtusCatalogoDestruye(catalogo);
    }
    LocalFree(argv);
    ExitProcess((UINT)salida);
}
