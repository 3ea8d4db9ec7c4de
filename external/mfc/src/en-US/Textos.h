// Textos.h: the framework's texts in English (United States), those of mfc.dll itself.
#pragma once

#define MFC_IDIOMA LANG_ENGLISH, SUBLANG_ENGLISH_US

#define TXT_OPENFILE "Open"
#define TXT_SAVEFILE "Save As"
#define TXT_ALLFILTER "All Files (*.*)"
#define TXT_INTERNAL_FAILURE "An unexpected error stopped this operation."
#define TXT_PARSE_INT "Please enter an integer."
