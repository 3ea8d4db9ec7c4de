// Textos.h: the Spanish (Spain) texts of the resource module.
// Access keys are unique within each dialog; OK and Cancel have none (Enter and Esc).
#pragma once

#define ORTUS_IDIOMA LANG_SPANISH, SUBLANG_SPANISH_MODERN

#define TXT_ACEPTAR "Aceptar"
#define TXT_CANCELAR "Cancelar"

#define TXT_CONECTA_TITULO "Conectar con un servidor de mapas"
#define TXT_SERVIDORES "&Servidores:"
#define TXT_NUEVO "&Nuevo..."
#define TXT_EDITAR "&Editar..."
#define TXT_BORRAR "E&liminar"
#define TXT_SERVICIO "Servicio"
#define TXT_METADATO1 "&Título:"
#define TXT_METADATO2 "&Resumen:"
#define TXT_METADATO3 "&Contacto:"
#define TXT_METADATO4 "&Versión y condiciones:"
#define TXT_CAPA "Ca&pa:"
#define TXT_SISTEMA "Sistema de re&ferencia:"
#define TXT_ARCHIVO "Arc&hivo de salida:"
#define TXT_EXAMINAR "E&xaminar..."
#define TXT_CARGAR "Carga"
#define TXT_CARGAR0 "&Guardar solo el archivo"
#define TXT_CARGAR1 "Guardar el archivo y abrirlo en un &mapa nuevo"
#define TXT_CARGAR2 "Guardar el archivo y añadirlo al mapa &actual"
#define TXT_AYUDA "A&yuda"

#define TXT_URL_TITULO "Servidor de mapas"
#define TXT_NOMBRE "&Nombre:"
#define TXT_DIRECCION "&Dirección:"
#define TXT_EJEMPLO "Por ejemplo: http://mapas.ejemplo.es/wms?"

#define TXT_COLUMNA_NOMBRE "Nombre"
#define TXT_COLUMNA_URL "Dirección"
#define TXT_URL_REPETIDA "Ya hay otro servidor con este nombre o con esta dirección. Dé a cada servidor un nombre y una dirección propios y vuelva a intentarlo."
#define TXT_RESPUESTA_ILEGIBLE "%s: no se ha podido leer la respuesta (%S)."
