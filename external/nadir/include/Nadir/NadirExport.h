// NadirExport.h: export macros of the two Nadir libraries.
#pragma once

#ifdef NADIR_SOCKETS_BUILD
#define NADIR_SOCKETS_API __declspec(dllexport)
#else
#define NADIR_SOCKETS_API __declspec(dllimport)
#endif

#ifdef NADIR_WMS_BUILD
#define NADIR_WMS_API __declspec(dllexport)
#else
#define NADIR_WMS_API __declspec(dllimport)
#endif
