// Textos.h: the Spanish (Spain) messages of ortusc.dll.
#pragma once

#define ORTUSC_IDIOMA LANG_SPANISH, SUBLANG_SPANISH_MODERN

#define TXT_ERROR_NULO "Falta el argumento %s."
#define TXT_ERROR_MANEJADOR "El catálogo indicado no lo ha creado este módulo, o ya se ha destruido."
#define TXT_ERROR_INDICE "El catálogo no tiene ningún servidor en la posición %u: tiene %u."
#define TXT_ERROR_RECHAZADA "Otro servidor del catálogo ya tiene el nombre «%s» o la dirección «%s»."
#define TXT_ERROR_TAMANHO "Este ortusc.dll no conoce ninguna estructura %s de %u bytes (la suya tiene %u): el programa se compiló con otra versión de OrtusC.h."
#define TXT_ERROR_IDIOMA "ortusc.dll no tiene textos en %s (no hay ningún %s\\ortusc.dll.mui a su lado)."
#define TXT_ERROR_DIALOGO "No se ha podido mostrar el diálogo de conexión: no se encuentra su plantilla (en-US\\ortus.dll.mui junto a ortusc.dll)."
#define TXT_ERROR_MEMORIA "No hay memoria suficiente para esta operación."
#define TXT_ERROR_INTERNO "Un fallo inesperado ha detenido esta operación dentro de Ortus (%s)."
#define TXT_ERROR_VENTANA "La ventana padre indicada para el diálogo no es una ventana."
#define TXT_ERROR_CLAVE "La clave del registro «%s» no está bajo Software: indique una como «Software\\Empresa\\Programa», que está en HKEY_CURRENT_USER."
#define TXT_ERROR_SECCION "Falta el nombre de la sección: no puede estar vacío."
#define TXT_ERROR_BLOQUE "OrtusFree ha recibido memoria que este módulo no ha entregado, o que ya se había liberado."
#define TXT_ERROR_ALMACEN "No se puede escribir en %s: %s"
