// Textos.h: the English (United States) messages of ortusc.dll; en-US is also the fallback.
#pragma once

#define ORTUSC_IDIOMA LANG_ENGLISH, SUBLANG_ENGLISH_US

#define TXT_ERROR_NULO "The argument %s is missing."
#define TXT_ERROR_MANEJADOR "The catalogue handle is not one this module made, or it was destroyed already."
#define TXT_ERROR_INDICE "The catalogue has no server at position %u: it has %u."
#define TXT_ERROR_RECHAZADA "Another server of the catalogue already has the name “%s” or the address “%s”."
#define TXT_ERROR_TAMANHO "This ortusc.dll knows no %s structure of %u bytes (its own has %u): the program was built with another version of OrtusC.h."
#define TXT_ERROR_IDIOMA "ortusc.dll has no texts in %s (there is no %s\\ortusc.dll.mui beside it)."
#define TXT_ERROR_DIALOGO "The connection dialog could not be shown: its template was not found (en-US\\ortus.dll.mui beside ortusc.dll)."
#define TXT_ERROR_MEMORIA "There is not enough memory for this operation."
#define TXT_ERROR_INTERNO "An unexpected failure stopped this operation inside Ortus (%s)."
#define TXT_ERROR_VENTANA "The parent window given for the dialog is not a window."
#define TXT_ERROR_CLAVE "The registry key “%s” is not under Software: name one as “Software\\Company\\Program”, which lies in HKEY_CURRENT_USER."
#define TXT_ERROR_SECCION "The section name is missing: it must not be empty."
#define TXT_ERROR_BLOQUE "OrtusFree was given memory this module did not hand out, or released already."
#define TXT_ERROR_ALMACEN "%s cannot be written: %s"
