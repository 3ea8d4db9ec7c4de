// OrtusExport.h: ORTUS_API, the export macro of the classes ortus.dll offers its hosts.
#pragma once

// ORTUS_BUILD is defined only while building ortus.dll.
#ifdef ORTUS_BUILD
#define ORTUS_API __declspec(dllexport)
#else
#define ORTUS_API __declspec(dllimport)
#endif
