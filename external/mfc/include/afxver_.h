// afxver_.h: platform headers and the export macro of the shared MFC-compatible library.
#pragma once

#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#ifndef _AFXDLL
#define _AFXDLL
#endif

#include <windows.h>
#include <tchar.h>

// Classes and functions of the shared library (mfc.dll); MFC_BUILD is defined only while building it.
#ifdef MFC_BUILD
#define AFX_CORE_API __declspec(dllexport)
#else
#define AFX_CORE_API __declspec(dllimport)
#endif

#ifndef AFXAPI
#define AFXAPI __stdcall
#endif
#ifndef PASCAL
#define PASCAL __stdcall
#endif

#ifndef ASSERT
#ifdef NDEBUG
#define ASSERT(f) ((void)0)
#else
#define ASSERT(f) ((f) ? (void)0 : AfxAssertFailed(__FILE__, __LINE__, #f))
#endif
#endif
#ifndef VERIFY
#ifdef NDEBUG
#define VERIFY(f) ((void)(f))
#else
#define VERIFY(f) ASSERT(f)
#endif
#endif

// Reports a failed assertion on stderr and in the debugger output, then aborts.
AFX_CORE_API void AFXAPI AfxAssertFailed(const char* file, int line, const char* expression);
