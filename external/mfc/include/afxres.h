// afxres.h: the framework's resource and command identifiers, for code and resource scripts alike.
#pragma once

#ifdef RC_INVOKED
#include <winresrc.h>
#else
#include <windows.h>
#endif

// A control a program never addresses (labels, group boxes).
#define IDC_STATIC (-1)

// Standard commands.
#define ID_HELP 0xE146
#define ID_CONTEXT_HELP 0xE145
#define ID_DEFAULT_HELP 0xE147

// Help context bases: a dialog's topic is HID_BASE_RESOURCE plus its template number.
#define HID_BASE_COMMAND 0x00010000
#define HID_BASE_RESOURCE 0x00020000
#define HID_BASE_PROMPT 0x00030000

// The framework's own strings, in mfc.dll.
#define AFX_IDS_OPENFILE 0xF000
#define AFX_IDS_SAVEFILE 0xF001
#define AFX_IDS_ALLFILTER 0xF002
#define AFX_IDP_PARSE_INT 0xF110
#define AFX_IDP_INTERNAL_FAILURE 0xF108
