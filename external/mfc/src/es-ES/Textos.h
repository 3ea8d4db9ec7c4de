// Textos.h: the framework's texts in Spanish (Spain), for es-ES/mfc.dll.mui.
#pragma once

#define MFC_IDIOMA LANG_SPANISH, SUBLANG_SPANISH_MODERN

#define TXT_OPENFILE "Abrir"
#define TXT_SAVEFILE "Guardar como"
#define TXT_ALLFILTER "Todos los archivos (*.*)"
#define TXT_INTERNAL_FAILURE "Un error inesperado ha detenido esta operación."
#define TXT_PARSE_INT "Escriba un número entero."
