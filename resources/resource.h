// resource.h: numbers of the dialog templates, icons, strings and controls of the language
// resource modules, shared by the dialogs' code and the resource scripts.
#pragma once

// Dialog templates and their icons.
#define IDD_CONECTA_URL 101
#define IDD_URL 102
#define IDI_CONECTA_URL 101
#define IDI_URL 102

// Strings: the server list's column headers, the refusal of a repeated name or address, and the
// second service text of a server whose answer could not be read (its address, then the cause).
#define IDS_COLUMNA_NOMBRE 26005
#define IDS_COLUMNA_URL 26006
#define IDS_URL_REPETIDA 26007
#define IDS_RESPUESTA_ILEGIBLE 26008

// Controls of the entry editor (IDD_URL).
#define IDC_NOMBRE 1001
#define IDC_URL 1002

// Controls of the connection dialog (IDD_CONECTA_URL), besides IDOK, IDCANCEL and ID_HELP.
#define IDC_COMBO_CAPA 1003
#define IDC_COMBO_SR 1004
#define IDC_METADATO2 1005
#define IDC_METADATO1 1006
#define IDC_METADATO3 1007
#define IDC_METADATO4 1008
#define IDC_CARGAR 1009
#define IDC_CARGAR_SEGUNDA 1010
#define IDC_CARGAR_TERCERA 1011
#define IDC_ARCHIVO_SALIDA 14330
#define IDC_BORRAR 18063
#define IDC_EDITAR 18064
#define IDC_LISTA_URL 18092
#define IDC_NUEVO 18247
#define IDC_BUSCAR_FICHERO 20085
