/* OrtusC.h: the C interface of Ortus (ortusc.dll): the catalogue of map servers and the user's choice,
 * its storage in an INI file or the registry, and the connection dialog, for any Windows program.
 *
 * Every function returns an OrtusEstado; on failure the calling thread's last failure has a message in
 * the module's language (OrtusUltimoError). Texts are UTF-16, null-terminated; a null text given to
 * the module reads as empty unless a function says otherwise. Structures start with their size in
 * bytes: set it to sizeof before passing one in; the ones the module hands out carry theirs. What the
 * module hands out through a pointer to a pointer is its own until OrtusFree; after a failure that
 * pointer is null. A catalogue is used by one thread at a time. Functions never change once shipped;
 * later versions add functions and append members to structures. */
#ifndef ORTUSC_H
#define ORTUSC_H

#include <stddef.h>
#include <stdint.h>
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifdef ORTUSC_BUILD
#define ORTUSC_API __declspec(dllexport)
#else
#define ORTUSC_API __declspec(dllimport)
#endif

/* The version this header describes; OrtusVersion gives the module's. A module of the same major
 * version and a minor one at least as high has every function and member named here. */
#define ORTUSC_VERSION_MAYOR 1
#define ORTUSC_VERSION_MENOR 0

typedef int32_t OrtusEstado;
enum {
    ORTUS_OK = 0,
    ORTUS_ERROR_ARGUMENTO = 1,     /* a required pointer is null, or a value is not one the call takes */
    ORTUS_ERROR_MANEJADOR = 2,     /* not a catalogue of this module, or one already destroyed */
    ORTUS_ERROR_BUFFER_CORTO = 3,  /* the caller's buffer is too small; the size needed was given back */
    ORTUS_ERROR_INDICE = 4,        /* the catalogue has no entry at that position */
    ORTUS_ERROR_RECHAZADA = 5,     /* the catalogue refused the edit: another entry has the name or the address */
    ORTUS_ERROR_TAMANHO = 6,       /* a structure of a size this module does not know */
    ORTUS_ERROR_IDIOMA = 7,        /* the module has no texts in the language named */
    ORTUS_ERROR_DIALOGO = 8,       /* the dialog could not be shown (its templates are missing) */
    ORTUS_ERROR_MEMORIA = 9,       /* not enough memory */
    ORTUS_ERROR_INTERNO = 10,      /* an unexpected failure inside the module */
    ORTUS_ERROR_ALMACEN = 11       /* the store cannot be written: a missing folder, no rights */
};

/* A catalogue of map servers with the user's choice; made by OrtusCatalogoCrea. */
DECLARE_HANDLE(OrtusCatalogo);

/* One server of the catalogue. In: nombre and url are what edits look at (nulls read as empty); the
 * rest may stay zero. Out: one block, every text and list in it, released with OrtusFree. */
typedef struct OrtusEntrada {
    uint32_t tamanho;
    const wchar_t* nombre;
    const wchar_t* url;
    /* What the server said of itself when it was last asked: title, abstract (or why it could not be
     * asked), contact, version and terms. */
    const wchar_t* metadato1;
    const wchar_t* metadato2;
    const wchar_t* metadato3;
    const wchar_t* metadato4;
    uint32_t numeroCapas;  /* the server's leaf layers; none until it is asked */
    const wchar_t* const* capas;
    uint32_t numeroSistemas;  /* its reference systems in its own notation ("EPSG:25830"), sorted */
    const wchar_t* const* sistemas;
} OrtusEntrada;

/* The user's choice. Out: one block released with OrtusFree. */
typedef struct OrtusEleccion {
    uint32_t tamanho;
    int32_t seleccionURL;  /* position of the chosen server; -1 for none */
    const wchar_t* seleccionCapa;  /* the layer's name */
    const wchar_t* seleccionSR;    /* the server's identifier of the reference system */
    const wchar_t* archivoSalida;
    int32_t cargar;  /* the load option: 0, 1, or 2 when the dialog offered the third */
} OrtusEleccion;

/* One of the host's reference systems: the dialog shows a server's system under this name when
 * their codes match (EPSG:25830 under code 25830). */
typedef struct OrtusSistemaReferencia {
    int32_t codigo;
    const wchar_t* nombre;
} OrtusSistemaReferencia;

/* The host's file prompt: archivo holds the proposed name on entry and receives the chosen one
 * (capacidad characters with the terminator). titulo is the prompt's title in the module's language.
 * Nonzero when the user chose a name. */
typedef BOOL(CALLBACK* OrtusPideArchivo)(void* contexto, HWND dialogo, const wchar_t* titulo, wchar_t* archivo,
                                         uint32_t capacidad);
/* The host's help: shows the topic with help context tema (0x20065 for the connection dialog). */
typedef void(CALLBACK* OrtusMuestraAyuda)(void* contexto, HWND dialogo, uint32_t tema);

/* How the connection dialog runs. */
typedef struct OrtusDialogo {
    uint32_t tamanho;
    HWND padre;  /* its owner, or null */
    int32_t terceraOpcion;  /* zero: the third load option is not offered */
    const OrtusSistemaReferencia* sistemas;  /* the host's reference systems; may be null when there are none */
    uint32_t numeroSistemas;
    OrtusPideArchivo pideArchivo;  /* null: the system's Save As prompt */
    OrtusMuestraAyuda muestraAyuda;  /* null: no Help button */
    void* contexto;  /* handed to both callbacks as it is */
} OrtusDialogo;

/* The module's version (mayor.menor.revision); any of the three may be null. */
ORTUSC_API OrtusEstado WINAPI OrtusVersion(uint32_t* mayor, uint32_t* menor, uint32_t* revision);

/* The message of the calling thread's last failure (empty when it has had none), the Win32 way: it fits
 * in capacidad characters with the terminator, or ORTUS_ERROR_BUFFER_CORTO and nothing copied;
 * necesarios (optional) receives the characters it takes with the terminator. This call leaves the
 * last failure as it was. */
ORTUSC_API OrtusEstado WINAPI OrtusUltimoError(wchar_t* texto, uint32_t capacidad, uint32_t* necesarios);

/* Releases what the module handed out (OrtusEntrada, OrtusEleccion); null does nothing. Anything else,
 * or a block released already, is ORTUS_ERROR_ARGUMENTO. */
ORTUSC_API OrtusEstado WINAPI OrtusFree(void* bloque);

/* The language of the dialog and of the messages, "es-ES" or "en-US"; null: the user's (Spanish for a
 * Spanish-speaking user, else English), which is also where the module starts. Call it while no other
 * thread is inside the module. */
ORTUSC_API OrtusEstado WINAPI OrtusEstableceIdioma(const wchar_t* idioma);

/* A catalogue with no entries, no choice (seleccionURL -1) and load option 1. */
ORTUSC_API OrtusEstado WINAPI OrtusCatalogoCrea(OrtusCatalogo* catalogo);
/* A dialog running on it keeps it until it closes. */
ORTUSC_API OrtusEstado WINAPI OrtusCatalogoDestruye(OrtusCatalogo catalogo);
ORTUSC_API OrtusEstado WINAPI OrtusCatalogoCantidad(OrtusCatalogo catalogo, uint32_t* cantidad);
/* A copy of the entry at indice (from 0). */
ORTUSC_API OrtusEstado WINAPI OrtusCatalogoEntrada(OrtusCatalogo catalogo, uint32_t indice, OrtusEntrada** entrada);
/* Appends the entry; ORTUS_ERROR_RECHAZADA when another has its name or address (exact comparison). */
ORTUSC_API OrtusEstado WINAPI OrtusCatalogoInserta(OrtusCatalogo catalogo, const OrtusEntrada* entrada);
/* Replaces the entry at indice whole; refused as OrtusCatalogoInserta is by the other entries. */
ORTUSC_API OrtusEstado WINAPI OrtusCatalogoModifica(OrtusCatalogo catalogo, uint32_t indice, const OrtusEntrada* entrada);
/* Edits leave the choice's seleccionURL as it was. */
ORTUSC_API OrtusEstado WINAPI OrtusCatalogoBorra(OrtusCatalogo catalogo, uint32_t indice);
/* By name, then address, ordinal on UTF-16 code units ("B" before "a"). */
ORTUSC_API OrtusEstado WINAPI OrtusCatalogoOrdenar(OrtusCatalogo catalogo);
/* Appends the five built-in servers, whatever the catalogue holds. */
ORTUSC_API OrtusEstado WINAPI OrtusCatalogoCargaURLPorDefecto(OrtusCatalogo catalogo);
ORTUSC_API OrtusEstado WINAPI OrtusCatalogoLeeEleccion(OrtusCatalogo catalogo, OrtusEleccion** eleccion);
ORTUSC_API OrtusEstado WINAPI OrtusCatalogoEstableceEleccion(OrtusCatalogo catalogo, const OrtusEleccion* eleccion);

/* Storage. Reading appends the stored servers (skipping any whose name or address is taken) and keeps a
 * member whose key is missing; writing replaces the whole section. Only names and addresses are stored,
 * with the choice. seccion must not be empty.
 * In an INI file: archivo, a full path (a relative one lands in the Windows folder); values are read
 * through 255 characters. */
ORTUSC_API OrtusEstado WINAPI OrtusCatalogoLeeIni(OrtusCatalogo catalogo, const wchar_t* archivo, const wchar_t* seccion);
ORTUSC_API OrtusEstado WINAPI OrtusCatalogoEscribeIni(OrtusCatalogo catalogo, const wchar_t* archivo,
                                                     const wchar_t* seccion);
/* In the registry: under HKEY_CURRENT_USER\clave\seccion, clave being under Software
 * ("Software\\Company\\Program"), every value named with prefijo (may be null) in front. */
ORTUSC_API OrtusEstado WINAPI OrtusCatalogoLeeRegistro(OrtusCatalogo catalogo, const wchar_t* clave,
                                                      const wchar_t* seccion, const wchar_t* prefijo);
ORTUSC_API OrtusEstado WINAPI OrtusCatalogoEscribeRegistro(OrtusCatalogo catalogo, const wchar_t* clave,
                                                          const wchar_t* seccion, const wchar_t* prefijo);

/* Runs the connection dialog modally on the catalogue, which it edits in place: it sorts it, asks each
 * server for its layers and reference systems (waiting for each), and on OK stores the choice. resultado
 * receives IDOK or IDCANCEL; the edits, the output file and the load option stay after either. Runs on
 * the calling thread, which must pump messages (it is a user-interface thread). */
ORTUSC_API OrtusEstado WINAPI OrtusDialogoEjecuta(OrtusCatalogo catalogo, const OrtusDialogo* dialogo,
                                                 int32_t* resultado);

#ifdef __cplusplus
}
#endif

#endif
