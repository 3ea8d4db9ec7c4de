// main.cpp: quasar.exe, a console host that fills a catalogue, stores it in an INI file and in the
// registry profile, reads both back and reports whether they match what was written.
#include <afxwin.h>

#include <DataConectaURL.h>

#include <cwchar>
#include <string>

#include "QuasarApp.h"

namespace {

CQuasarApp theApp;

LPCWSTR const kIniSection = L"Catalogo";
LPCWSTR const kProfileSection = L"Catalogo";
LPCWSTR const kProfilePrefix = L"WMS";
LPCWSTR const kDefaultIniName = L"quasar-catalogue.ini";

enum ExitCode { kMatch = 0, kMismatch = 1, kUsage = 2 };

struct Options {
    CString iniPath;
    bool reset = false;
};

// UTF-16 straight to a console; UTF-8 bytes to a pipe or a file.
void Print(const CString& text)
{
    const HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0, written = 0;
    if (::GetConsoleMode(out, &mode)) {
        ::WriteConsoleW(out, text.GetString(), static_cast<DWORD>(text.GetLength()), &written, nullptr);
        return;
    }
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text, text.GetLength(), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, text.GetLength(), utf8.data(), bytes, nullptr, nullptr);
    ::WriteFile(out, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

void PrintLine(const CString& text) { Print(text + L"\r\n"); }

void PrintUsage()
{
    PrintLine(L"usage: quasar [--ini PATH] [--reset]");
    PrintLine(L"  --ini PATH  INI file to read the catalogue from and write it to");
    PrintLine(CString(L"              (default: ") + kDefaultIniName + L" beside quasar.exe)");
    PrintLine(L"  --reset     start from the five default servers, ignoring what the INI file holds");
}

// A relative path would send the private-profile functions to the Windows directory.
CString FullPath(const CString& path)
{
    const DWORD length = ::GetFullPathNameW(path, 0, nullptr, nullptr);
    if (length == 0)
        return path;
    CString full;
    ::GetFullPathNameW(path, length, full.GetBuffer(static_cast<int>(length)), nullptr);
    full.ReleaseBuffer();
    return full;
}

bool ParseOptions(int argc, wchar_t* argv[], Options& options)
{
    options.iniPath = theApp.PathBesideExe(kDefaultIniName);
    for (int i = 1; i < argc; ++i) {
        if (wcscmp(argv[i], L"--ini") == 0 && i + 1 < argc)
            options.iniPath = FullPath(argv[++i]);
        else if (wcscmp(argv[i], L"--reset") == 0)
            options.reset = true;
        else
            return false;
    }
    return true;
}

CDataConectaURL FillCatalogue(const Options& options)
{
    CDataConectaURL catalogue;
    if (!options.reset)
        catalogue.GetPrivateProfile(options.iniPath, kIniSection);
    if (catalogue.Cantidad() == 0)
        catalogue.CargaURLPorDefecto();
    return catalogue;
}

void SetChoice(CDataConectaURL& catalogue)
{
    catalogue.m_seleccionURL = 0;
    catalogue.m_seleccionCapa = L"OI.OrthoimageCoverage";
    catalogue.m_seleccionSR = L"EPSG:25830";
    catalogue.m_archivoSalida = L"C:\\Quasar\\Salida\\ortofoto \u00c1vila.tif";
    catalogue.m_cargar = 1;
}

// The stored line cannot keep blanks at the end of an address; anything else must come back as written.
bool SameAddress(const CString& written, const CString& read, bool& trailingBlankDropped)
{
    if (written.Compare(read) == 0)
        return true;
    CString trimmed = written;
    trimmed.TrimRight();
    trailingBlankDropped = trimmed.Compare(read) == 0;
    return trailingBlankDropped;
}

bool SameChoice(const CDataConectaURL& written, const CDataConectaURL& read)
{
    return written.m_seleccionURL == read.m_seleccionURL && written.m_seleccionCapa == read.m_seleccionCapa &&
           written.m_seleccionSR == read.m_seleccionSR && written.m_archivoSalida == read.m_archivoSalida &&
           written.m_cargar == read.m_cargar;
}

// Prints the read-back catalogue entry by entry against what was written; true when they match.
bool PrintAndCompare(const CString& store, const CDataConectaURL& written, const CDataConectaURL& read)
{
    PrintLine(L"");
    PrintLine(L"Read back from " + store + L":");
    bool match = written.Cantidad() == read.Cantidad();
    for (unsigned int i = 0; i < read.Cantidad(); ++i) {
        const CDireccionURL entry = read[i];
        const CDireccionURL expected = written[i];
        bool trailingBlankDropped = false;
        const bool same = i < written.Cantidad() && entry.m_nombre == expected.m_nombre &&
                          SameAddress(expected.m_url, entry.m_url, trailingBlankDropped);
        match = match && same;
        CString line;
        line.Format(L"  %u. %-16s %s%s", i + 1, entry.m_nombre.GetString(), entry.m_url.GetString(),
                    !same ? L"   <- differs from what was written"
                    : trailingBlankDropped ? L"   (its trailing blank is not kept in storage)"
                                           : L"");
        PrintLine(line);
    }
    CString values;
    values.Format(L"  Selected server:  %d (%s)\r\n"
                  L"  Layer:            %s\r\n"
                  L"  Reference system: %s\r\n"
                  L"  Output file:      %s\r\n"
                  L"  Load option:      %d",
                  read.m_seleccionURL, read.Seleccion().m_nombre.GetString(), read.m_seleccionCapa.GetString(),
                  read.m_seleccionSR.GetString(), read.m_archivoSalida.GetString(), read.m_cargar);
    PrintLine(values);
    match = match && SameChoice(written, read);
    PrintLine(match ? L"  Matches what was written." : L"  Does NOT match what was written.");
    return match;
}

}  // namespace

int wmain(int argc, wchar_t* argv[])
{
    if (!AfxWinInit(::GetModuleHandle(nullptr), nullptr, ::GetCommandLine(), 0)) {
        PrintLine(L"quasar: the framework did not start");
        return kUsage;
    }
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        PrintUsage();
        return kUsage;
    }

    CDataConectaURL catalogue = FillCatalogue(options);
    SetChoice(catalogue);

    catalogue.WritePrivateProfile(options.iniPath, kIniSection);
    theApp.UseRegistry();
    catalogue.WriteProfile(kProfileSection, kProfilePrefix);
    CString summary;
    summary.Format(L"Wrote %u servers and the choice to:", catalogue.Cantidad());
    PrintLine(summary);
    PrintLine(L"  INI file " + options.iniPath + L", section [" + kIniSection + L"]");
    PrintLine(CString(L"  registry HKCU\\Software\\") + CQuasarApp::kRegistryKey + L"\\" + theApp.m_pszAppName + L"\\" +
              kProfileSection + L", key prefix " + kProfilePrefix);

    CDataConectaURL fromIni;
    fromIni.GetPrivateProfile(options.iniPath, kIniSection);
    CDataConectaURL fromRegistry;
    fromRegistry.GetProfile(kProfileSection, kProfilePrefix);

    const bool iniMatches = PrintAndCompare(L"the INI file", catalogue, fromIni);
    const bool registryMatches = PrintAndCompare(L"the registry profile", catalogue, fromRegistry);
    PrintLine(L"");
    PrintLine(iniMatches && registryMatches ? L"Both read-backs match what was written."
                                            : L"A read-back differs from what was written.");
    return iniMatches && registryMatches ? kMatch : kMismatch;
}
