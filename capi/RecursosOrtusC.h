// RecursosOrtusC.h: numbers of the strings of ortusc.dll's language modules, the messages of its
// failures. They share the resource search with ortus.dll's strings and the framework's: the numbers
// stay clear of both.
#pragma once

#define IDS_ERROR_NULO 27100
#define IDS_ERROR_MANEJADOR 27101
#define IDS_ERROR_INDICE 27102
#define IDS_ERROR_RECHAZADA 27103
#define IDS_ERROR_TAMANHO 27104
#define IDS_ERROR_IDIOMA 27105
#define IDS_ERROR_DIALOGO 27106
#define IDS_ERROR_MEMORIA 27107
#define IDS_ERROR_INTERNO 27108
#define IDS_ERROR_VENTANA 27109
#define IDS_ERROR_CLAVE 27110
#define IDS_ERROR_SECCION 27111
#define IDS_ERROR_BLOQUE 27112
#define IDS_ERROR_ALMACEN 27113
