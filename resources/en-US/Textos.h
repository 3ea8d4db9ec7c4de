// Textos.h: the English (United States) texts of the resource module; en-US is also the fallback.
// Access keys are unique within each dialog; OK and Cancel have none (Enter and Esc).
#pragma once

#define ORTUS_IDIOMA LANG_ENGLISH, SUBLANG_ENGLISH_US

#define TXT_ACEPTAR "OK"
#define TXT_CANCELAR "Cancel"

#define TXT_CONECTA_TITULO "Connect to a map server"
#define TXT_SERVIDORES "&Servers:"
#define TXT_NUEVO "&New..."
#define TXT_EDITAR "&Edit..."
#define TXT_BORRAR "&Delete"
#define TXT_SERVICIO "Service"
#define TXT_METADATO1 "&Title:"
#define TXT_METADATO2 "A&bstract:"
#define TXT_METADATO3 "&Contact:"
#define TXT_METADATO4 "&Version and terms:"
#define TXT_CAPA "&Layer:"
#define TXT_SISTEMA "Re&ference system:"
#define TXT_ARCHIVO "&Output file:"
#define TXT_EXAMINAR "B&rowse..."
#define TXT_CARGAR "Load"
#define TXT_CARGAR0 "&Just save the file"
#define TXT_CARGAR1 "Save the file and o&pen it in a new map"
#define TXT_CARGAR2 "Save the file and &add it to the current map"
#define TXT_AYUDA "&Help"

#define TXT_URL_TITULO "Map server"
#define TXT_NOMBRE "&Name:"
#define TXT_DIRECCION "&Address:"
#define TXT_EJEMPLO "For example: http://maps.example.com/wms?"

#define TXT_COLUMNA_NOMBRE "Name"
#define TXT_COLUMNA_URL "Address"
#define TXT_URL_REPETIDA "Another server already has this name or this address. Give each server a name and an address of its own, then try again."
#define TXT_RESPUESTA_ILEGIBLE "%s: the answer could not be read (%S)."
